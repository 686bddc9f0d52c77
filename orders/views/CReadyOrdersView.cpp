#include "orders/views/CReadyOrdersView.h"

#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "orders/Amount.h"
#include "tables/ReadyOrder.h"
#include "tables/ReadyOrderItems.h"
#include "tables/SqlText.h"
#include "tabula/CVORecordset.h"
#include "tabula/Query.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr std::size_t kQuantitiesInUnits = 31;

bool Ran(Query& q) { return q.getRS() != nullptr && q.getRS()->GetLastError().empty(); }

} // namespace

CReadyOrdersView::CReadyOrdersView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "ReadyOrderView", parent), m_ctx(std::move(context)), m_list(new CZevListCtrl(this))
{
}

QPushButton* CReadyOrdersView::Button(const char* name) const
{
    const auto it = m_buttons.find(name);
    return it == m_buttons.end() ? nullptr : it->second;
}

void CReadyOrdersView::OnInitialUpdate()
{
    m_list->Setup(5, Host().State().settings.config, &Host().UserProfile());
    m_list->setAccessibleName(tr("Ready orders"));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> defs[] = {
        {"BTN_DETAILS", "De&tails"}, {"BTN_MODIFY", "&Modify"}, {"BTN_SEND", "&Send"}, {"BTN_DELETE", "&Delete"}};
    for (const auto& [name, caption] : defs) {
        auto* b = new QPushButton(tr(caption), this);
        b->setAccessibleName(b->text().remove('&'));
        m_buttons[name] = b;
        buttons->addWidget(b);
        AddControl(QString::fromLatin1(name), b);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    AddControl(QStringLiteral("LST_READYORDERS"), m_list);
    LayOut();
    connect(m_buttons["BTN_DETAILS"], &QPushButton::clicked, this, &CReadyOrdersView::OnDetails);
    connect(m_buttons["BTN_MODIFY"], &QPushButton::clicked, this, &CReadyOrdersView::OnModify);
    connect(m_buttons["BTN_SEND"], &QPushButton::clicked, this, &CReadyOrdersView::OnSend);
    connect(m_buttons["BTN_DELETE"], &QPushButton::clicked, this, &CReadyOrdersView::OnDelete);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this] { OnDetails(); });
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        QMenu* menu = BuildMenu();
        menu->exec(m_list->viewport()->mapToGlobal(pos));
        delete menu;
    });
    m_buttons["BTN_SEND"]->setEnabled(static_cast<bool>(m_ctx.sendOrder));
    Fill();
    m_list->setFocus();
}

QMenu* CReadyOrdersView::BuildMenu()
{
    auto* menu = new QMenu(tr("ReadyOrder"), this);
    const bool any = Current() >= 0;
    menu->addAction(tr("Details"), this, &CReadyOrdersView::OnDetails)->setEnabled(any);
    menu->addAction(tr("Modify"), this, &CReadyOrdersView::OnModify)->setEnabled(any);
    menu->addAction(tr("Send"), this, &CReadyOrdersView::OnSend)->setEnabled(any && m_ctx.sendOrder);
    menu->addAction(tr("Delete"), this, &CReadyOrdersView::OnDelete)->setEnabled(any);
    return menu;
}

void CReadyOrdersView::Fill()
{
    m_rows.clear();
    Query q("", "", 0);
    if (q.Open(
            "select R.AccountID, R.ReadyID, R.OrderType, R.DeliveryDate, A.CompanyName, "
            "(select sum(ExtPrice) from ReadyOrderItems I where I.ReadyID = R.ReadyID and I.AccountID = R.AccountID), "
            "(select count(*) from ReadyOrderItems I where I.ReadyID = R.ReadyID and I.AccountID = R.AccountID), "
            "(select sum(CQty) from ReadyOrderItems I where I.ReadyID = R.ReadyID and I.AccountID = R.AccountID), "
            "(select sum(SQty) from ReadyOrderItems I where I.ReadyID = R.ReadyID and I.AccountID = R.AccountID) "
            "from ReadyOrder R left join Accounts A on A.AccountID = R.AccountID Order by R.ReadyID") != 0) {
        for (; q.IsEOF() == 0; q.MoveNext()) {
            Row r;
            r.accountId = q.GetFieldValueInt(0);
            r.readyId = q.GetFieldValueInt(1);
            r.orderType = q.GetFieldValueInt(2);
            r.date = zev::SqlText::Trim(q.GetFieldValueString(3));
            r.account = zev::SqlText::Trim(q.GetFieldValueString(4));
            r.total = q.GetFieldValueDouble(5);
            r.lines = q.GetFieldValueInt(6);
            r.cases = q.GetFieldValueInt(7);
            r.singles = q.GetFieldValueInt(8);
            m_rows.push_back(std::move(r));
        }
    }
    const bool units = Host().State().settings.config.IsOn(kQuantitiesInUnits);
    std::vector<QStringList> rows;
    for (const Row& r : m_rows) {
        rows.push_back({QString::fromStdString(r.account), QString::asprintf("%6.2lf", r.total),
                        QString::fromStdString(r.date), QString::number(r.lines),
                        units ? QString::number(r.cases) : QString::asprintf("%d / %d", r.cases, r.singles)});
    }
    if (rows.empty())
        rows.push_back({tr("No ReadyOrders")});
    m_list->Model()->SetRows(std::move(rows));
    SelectRow(m_rows.empty() ? -1 : 0);
}

void CReadyOrdersView::SelectRow(int row)
{
    if (row >= 0 && row < static_cast<int>(m_rows.size()))
        m_list->selectionModel()->setCurrentIndex(m_list->Model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
        m_list->clearSelection();
    for (const char* name : {"BTN_DETAILS", "BTN_MODIFY", "BTN_DELETE"})
        m_buttons[name]->setEnabled(!m_rows.empty());
    m_buttons["BTN_SEND"]->setEnabled(!m_rows.empty() && m_ctx.sendOrder);
}

int CReadyOrdersView::Current() const
{
    const int row = m_list->CurrentRow();
    return row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

bool CReadyOrdersView::Delete(const Row& row)
{
    zev::ReadyOrder headers;
    zev::ReadyOrderItems lines;
    if (headers.beginTransaction() == 0)
        return false;
    bool ok = true;
    if (row.orderType != 2) {
        lines.deleteOrder(row.accountId, row.readyId);
        ok = Ran(lines);
    }
    if (ok) {
        headers.deleteOrder(row.accountId, row.readyId);
        ok = Ran(headers);
    }
    if (!ok || headers.commitTransaction() == 0) {
        headers.rollbackTransaction();
        return false;
    }
    return true;
}

void CReadyOrdersView::OnDelete()
{
    const int row = Current();
    if (row < 0)
        return;
    if (Host().Messages().ShowText("Are you sure that you want to cancel this order?", zev::ids::kCaptionQuestion,
                                   zev::MbButtons::YesNo, zev::MbIcon::Question) != zev::MbResult::Yes)
        return;
    if (!Delete(m_rows[static_cast<std::size_t>(row)])) {
        Host().Messages().ShowText("Failed to remove ready order!", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
        return;
    }
    Fill();
}

void CReadyOrdersView::OnSend()
{
    const int row = Current();
    if (row < 0 || !m_ctx.sendOrder)
        return;
    Host().SetBusy(true);
    bool sent = false;
    {
        zev::WaitCursor wait;
        sent = m_ctx.sendOrder(m_rows[static_cast<std::size_t>(row)].readyId);
    }
    Host().SetBusy(false);
    if (sent)
        Host().Messages().ShowText("The order has been sent.", zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                                   zev::MbIcon::Information);
    else
        Host().Messages().ShowText("Error Sending Order.\nPlease check your internet connection and try again.",
                                   zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    Fill();
}

// The order's lines go back into the guide in one transaction, so the guide
// never holds half of an order being modified.
bool CReadyOrdersView::Modify(const Row& row)
{
    Query header("", "", 0);
    if (header.Open(zev::SqlText::Format("select DeliveryDate, OrderNotes, ODCText, CreditTerms, Warehouse, ODCCode, "
                                         "CancelDate, CreditCard, ShipMethod, Option1, Option2, Option3, Option4, "
                                         "Option5, Option6, Option7, Option8, Option9, Option10, Signature from "
                                         "ReadyOrder where ReadyID=%d and AccountID=%d",
                                         row.readyId, row.accountId)) == 0 ||
        header.IsEOF() != 0)
        return false;
    zev::OrderHeader& order = m_ctx.order;
    order.Reset();
    order.accountId = row.accountId;
    order.readyId = row.readyId;
    order.modifying = true;
    auto text = [&](int i) { return zev::SqlText::Trim(header.GetFieldValueString(i)); };
    order.deliveryDate = text(0);
    order.notes = zev::SqlText::Clean(text(1));
    order.odcText = zev::SqlText::Clean(text(2));
    order.creditTerms = text(3);
    order.warehouse = text(4);
    order.odcCode = text(5);
    order.cancelDate = text(6);
    order.creditCard = text(7);
    order.shippingMethod = text(8);
    for (int i = 0; i < 10; ++i)
        order.options[static_cast<std::size_t>(i)] = header.GetFieldValueInt(9 + i);
    order.signature = text(19);

    Query update("", "", 0);
    if (update.beginTransaction() == 0)
        return false;
    update.Exec(zev::SqlText::Format(
        "update WorkOrderItems set CaseQTY = (select R.CQty from ReadyOrderItems R where R.ReadyID=%d and "
        "R.AccountID=%d and R.ItemID = WorkOrderItems.ItemID and R.LineItemNumber = WorkOrderItems.LineItemNumber), "
        "SingleQTY = (select R.SQty from ReadyOrderItems R where R.ReadyID=%d and R.AccountID=%d and R.ItemID = "
        "WorkOrderItems.ItemID and R.LineItemNumber = WorkOrderItems.LineItemNumber), SpecialFlag = (select "
        "R.SpecialFlag from ReadyOrderItems R where R.ReadyID=%d and R.AccountID=%d and R.ItemID = "
        "WorkOrderItems.ItemID and R.LineItemNumber = WorkOrderItems.LineItemNumber), DiscountAmount = (select "
        "R.DiscountAmount from ReadyOrderItems R where R.ReadyID=%d and R.AccountID=%d and R.ItemID = "
        "WorkOrderItems.ItemID and R.LineItemNumber = WorkOrderItems.LineItemNumber), PriceOverride = (select "
        "R.PriceOverride from ReadyOrderItems R where R.ReadyID=%d and R.AccountID=%d and R.ItemID = "
        "WorkOrderItems.ItemID and R.LineItemNumber = WorkOrderItems.LineItemNumber) where AccountID=%d and exists "
        "(select 1 from ReadyOrderItems R where R.ReadyID=%d and R.AccountID=%d and R.ItemID = WorkOrderItems.ItemID "
        "and R.LineItemNumber = WorkOrderItems.LineItemNumber)",
        row.readyId, row.accountId, row.readyId, row.accountId, row.readyId, row.accountId, row.readyId, row.accountId,
        row.readyId, row.accountId, row.accountId, row.readyId, row.accountId));
    if (!Ran(update) || update.commitTransaction() == 0) {
        update.rollbackTransaction();
        order.Reset();
        return false;
    }
    return true;
}

void CReadyOrdersView::OnModify()
{
    const int index = Current();
    if (index < 0)
        return;
    const Row& row = m_rows[static_cast<std::size_t>(index)];
    if (row.orderType == 2) {
        Host().Messages().ShowText("Sorry, you are not allowed to modify a No Visit/No Sale order. If you wish to make "
                                   "an order for this client you should delete this order and create a new order.",
                                   zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    if (!Modify(row)) {
        Host().Messages().ShowText("The ready order could not be read back into the order guide.",
                                   zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    m_ctx.current.accountId = row.accountId;
    m_ctx.current.companyName = row.account;
    Query number("", "", 0);
    if (number.Open(zev::SqlText::Format("select AccountNumber from Accounts where AccountID=%d", row.accountId)) !=
            0 &&
        number.IsEOF() == 0)
        m_ctx.current.accountNumber = zev::SqlText::Trim(number.GetFieldValueString(0));
    Host().Document().accountNumber = m_ctx.current.accountNumber;
    Host().Document().accountName = m_ctx.current.companyName;
    Host().State().accountCurrent = true;
    Host().PostSwitchScreen(zev::Screen::OrderGuide);
}

QString CReadyOrdersView::DetailsText(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(index)];
    QString text = QStringLiteral("%1\nTotal: %2\nDelivery: %3\n\n")
                       .arg(QString::fromStdString(row.account), QString::asprintf("%.2lf", row.total),
                            QString::fromStdString(row.date));
    Query q("", "", 0);
    if (q.Open(zev::SqlText::Format("select I.Description, R.CQty, R.SQty, R.CDistPrice, R.SDistPrice, R.ExtPrice, "
                                    "R.SpecialFlag, R.DiscountAmount, R.PriceOverride, R.LineComment from "
                                    "ReadyOrderItems R, Items I where R.ItemID = I.ItemID and R.ReadyID=%d and "
                                    "R.AccountID=%d order by R.LineItemNumber",
                                    row.readyId, row.accountId)) != 0) {
        for (; q.IsEOF() == 0; q.MoveNext()) {
            const std::string override = zev::SqlText::Trim(q.GetFieldValueString(8));
            text += QStringLiteral("%1\t%2 / %3\t%4 / %5\t%6\t%7\t%8\t%9\n")
                        .arg(QString::fromStdString(zev::SqlText::Trim(q.GetFieldValueString(0))))
                        .arg(q.GetFieldValueInt(1))
                        .arg(q.GetFieldValueInt(2))
                        .arg(QString::asprintf("%6.2lf", q.GetFieldValueDouble(3)),
                             QString::asprintf("%5.2lf", q.GetFieldValueDouble(4)),
                             QString::asprintf("%.2lf", q.GetFieldValueDouble(5)))
                        .arg(zev::SqlText::Trim(q.GetFieldValueString(6)) == "0"
                                 ? QString()
                                 : QString::fromStdString(zev::SqlText::Trim(q.GetFieldValueString(6))))
                        .arg(override == "-1.00" ? QStringLiteral("FREE") : QString::fromStdString(override))
                        .arg(QString::fromStdString(zev::SqlText::Trim(q.GetFieldValueString(9))));
        }
    }
    return text;
}

void CReadyOrdersView::OnDetails()
{
    const int index = Current();
    if (index < 0)
        return;
    QDialog sheet(this);
    sheet.setWindowTitle(tr("Ready Order Details"));
    auto* text = new QPlainTextEdit(DetailsText(index), &sheet);
    text->setReadOnly(true);
    text->setAccessibleName(tr("Order details"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &sheet);
    connect(buttons, &QDialogButtonBox::rejected, &sheet, &QDialog::reject);
    auto* layout = new QVBoxLayout(&sheet);
    layout->addWidget(text);
    layout->addWidget(buttons);
    sheet.resize(640, 400);
    sheet.exec();
}

CZevBaseView* CreateReadyOrdersView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new CReadyOrdersView(host, std::move(context));
}
