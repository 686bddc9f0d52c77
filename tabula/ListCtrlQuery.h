#pragma once

#include "tabula/ListTargets.h"
#include "tabula/Query.h"

// A query on pool 0 that fills report-style list controls from its result.
class ListCtrlQuery : public Query {
public:
    ListCtrlQuery(const std::string& tableName, const std::string& keyColumn);
    ~ListCtrlQuery() override;
    ListCtrlQuery(const ListCtrlQuery&) = default;
    ListCtrlQuery& operator=(const ListCtrlQuery&) = default;

    // Fills the control from the current result (opened by the caller): one
    // item per row, sub-item j holding column firstColumn + j.
    void fillListCtrl(IListCtrlTarget* list, int firstColumn);
    void fillListCtrl(IControlParent* parent, int controlId, int firstColumn);

protected:
    ListCtrlQuery();
};

// A lookup table: identifier in column 0, display text in column 1.
class LookupTableQuery : public ListCtrlQuery {
public:
    LookupTableQuery();
    LookupTableQuery(const std::string& tableName, const std::string& keyColumn);
    ~LookupTableQuery() override;
    LookupTableQuery(const LookupTableQuery&) = default;
    LookupTableQuery& operator=(const LookupTableQuery&) = default;

    std::string getText();

    // Empties the box and lists every row of the table (getText as entry,
    // column 0 as item data). A non-empty table name re-targets the query
    // first. Nothing happens when the box (or parent/child) is missing.
    void fillListBox(IListBoxTarget* box, const std::string& tableName = "", const std::string& keyColumn = "");
    void fillComboBox(IComboBoxTarget* box, const std::string& tableName = "", const std::string& keyColumn = "");
    void fillListBox(IControlParent* parent, int controlId, const std::string& tableName = "",
                     const std::string& keyColumn = "");
    void fillComboBox(IControlParent* parent, int controlId, const std::string& tableName = "",
                      const std::string& keyColumn = "");

private:
    void fillBox(IListBoxTarget* box, const std::string& tableName, const std::string& keyColumn);
};
