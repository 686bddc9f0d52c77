#include "tabula/ListCtrlQuery.h"

ListCtrlQuery::ListCtrlQuery() : Query() { attachPool(0); }

ListCtrlQuery::ListCtrlQuery(const std::string& tableName, const std::string& keyColumn)
    : Query(tableName, keyColumn, 0)
{
}

ListCtrlQuery::~ListCtrlQuery() = default;

void ListCtrlQuery::fillListCtrl(IListCtrlTarget* list, int firstColumn)
{
    if (list == nullptr || m_pRS == nullptr) {
        return;
    }
    MoveFirst();
    list->DeleteAllItems();
    const long fields = m_pRS->GetFieldCount();
    int index = 0;
    while (!IsEOF()) {
        const int item = list->InsertItem(index, std::string());
        for (long col = firstColumn; col < fields; ++col) {
            list->SetItemText(item, static_cast<int>(col - firstColumn), GetFieldValueString(col));
        }
        ++index;
        MoveNext();
    }
}

void ListCtrlQuery::fillListCtrl(IControlParent* parent, int controlId, int firstColumn)
{
    if (parent == nullptr) {
        return;
    }
    fillListCtrl(parent->GetListCtrl(controlId), firstColumn);
}

LookupTableQuery::LookupTableQuery() = default;

LookupTableQuery::LookupTableQuery(const std::string& tableName, const std::string& keyColumn)
    : ListCtrlQuery(tableName, keyColumn)
{
}

LookupTableQuery::~LookupTableQuery() = default;

std::string LookupTableQuery::getText() { return GetFieldValueString(1); }

void LookupTableQuery::fillBox(IListBoxTarget* box, const std::string& tableName, const std::string& keyColumn)
{
    if (box == nullptr) {
        return;
    }
    box->ResetContent();
    if (!tableName.empty()) {
        initSQL(tableName, keyColumn);
    }
    if (!getAll()) {
        return;
    }
    while (!IsEOF()) {
        const int index = box->AddString(getText());
        if (index >= 0) {
            box->SetItemData(index, GetFieldValueInt(0));
        }
        MoveNext();
    }
}

void LookupTableQuery::fillListBox(IListBoxTarget* box, const std::string& tableName, const std::string& keyColumn)
{
    fillBox(box, tableName, keyColumn);
}

void LookupTableQuery::fillComboBox(IComboBoxTarget* box, const std::string& tableName, const std::string& keyColumn)
{
    fillBox(box, tableName, keyColumn);
}

void LookupTableQuery::fillListBox(IControlParent* parent, int controlId, const std::string& tableName,
                                   const std::string& keyColumn)
{
    if (parent != nullptr) {
        fillBox(parent->GetListBox(controlId), tableName, keyColumn);
    }
}

void LookupTableQuery::fillComboBox(IControlParent* parent, int controlId, const std::string& tableName,
                                    const std::string& keyColumn)
{
    if (parent != nullptr) {
        fillBox(parent->GetComboBox(controlId), tableName, keyColumn);
    }
}
