#include "orders/views/CDeliveryOptionsView.h"

#include "app/core/CZevSettings.h"
#include "app/core/IniReader.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevFolders.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "base/Clock.h"
#include "orders/OrderSaver.h"
#include "orders/OrderSettings.h"
#include "orders/views/CSignatureDlg.h"
#include "reports/DocumentHeading.h"
#include "reports/OrderDocuments.h"
#include "reports/views/CDocumentPrinter.h"
#include "tables/SqlText.h"
#include "tabula/Query.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {

constexpr std::size_t kOdcEditable = 140;
constexpr std::size_t kOdcShown = 141;
constexpr std::size_t kDeliveryFromTomorrow = 142;
constexpr std::size_t kFirstDayPreselected = 143;
constexpr std::size_t kCancelDateShown = 146;
constexpr std::size_t kCreditCardShown = 147;
constexpr std::size_t kDeliveryDatePicker = 149;
constexpr std::size_t kOdcRequired = 154;
constexpr std::size_t kCreditCardRequired = 155;
constexpr std::size_t kCancelDateRequired = 156;
constexpr std::size_t kPrintOnApprove = 158;
constexpr std::size_t kOrderNotesMaxLength = 17707;
constexpr std::size_t kOdcCaption = 17148;
constexpr std::size_t kCancelDateCaption = 17180;
constexpr std::size_t kCreditCardCaption = 17564;
constexpr std::size_t kOptionNames = 15916;

std::string FirstText(const std::string& sql, int column = 0)
{
    Query q("", "", 0);
    if (q.Open(sql) == 0 || q.IsEOF() != 0)
        return {};
    return zev::SqlText::Trim(q.GetFieldValueString(column));
}

} // namespace

CDeliveryOptionsView::CDeliveryOptionsView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "DeliveryOptionsView", parent), m_ctx(std::move(context)),
      m_ownClock(m_ctx.clock ? nullptr : std::make_unique<zev::SystemClock>()),
      m_clock(m_ctx.clock ? m_ctx.clock : m_ownClock.get()), m_day(new QComboBox(this)), m_picker(new QDateEdit(this)),
      m_warehouse(new QComboBox(this)), m_ship(new QComboBox(this)), m_odcList(new QComboBox(this)),
      m_terms(new QComboBox(this)), m_odc(new QLineEdit(this)), m_cancelDate(new QLineEdit(this)),
      m_card(new QLineEdit(this)), m_month(new QComboBox(this)), m_year(new QComboBox(this)),
      m_notes(new QPlainTextEdit(this)), m_options(new QListWidget(this)), m_odcLabel(new QLabel(this)),
      m_cancelLabel(new QLabel(this)), m_cardLabel(new QLabel(this)), m_approve(new QPushButton(tr("&Approve"), this))
{
}

CDeliveryOptionsView::~CDeliveryOptionsView() = default;

void CDeliveryOptionsView::FillLookup(QComboBox* box, const char* sql)
{
    box->addItem(QString(), QVariant());
    Query q("", "", 0);
    if (q.Open(sql) == 0)
        return;
    for (; q.IsEOF() == 0; q.MoveNext())
        box->addItem(QString::fromStdString(zev::SqlText::Trim(q.GetFieldValueString(1))), q.GetFieldValueInt(0));
}

void CDeliveryOptionsView::OnInitialUpdate()
{
    const zev::ZevConfig& config = Host().State().settings.config;
    auto* form = new QFormLayout;
    auto add = [&](const QString& caption, QWidget* field, const char* labelName, const char* fieldName,
                   QLabel* label = nullptr) {
        if (!label)
            label = new QLabel(this);
        label->setText(caption);
        label->setBuddy(field);
        field->setAccessibleName(QString(caption).remove('&'));
        form->addRow(label, field);
        AddControl(QString::fromLatin1(labelName), label);
        AddControl(QString::fromLatin1(fieldName), field);
    };
    auto* dayRow = new QWidget(this);
    auto* dayLayout = new QHBoxLayout(dayRow);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    dayLayout->addWidget(m_day, 1);
    dayLayout->addWidget(m_picker, 1);
    add(tr("&Delivery day"), dayRow, "LBL_DeliveryDayLabel", "LST_DeliveryDayRow");
    AddControl(QStringLiteral("LST_DeliveryDay"), m_day);
    AddControl(QStringLiteral("EDT_Picker"), m_picker);
    m_day->setAccessibleName(tr("Delivery day"));
    m_picker->setAccessibleName(tr("Delivery date"));
    add(tr("&Warehouse"), m_warehouse, "LBL_WarehouseLabel", "LST_Warehouse");
    add(tr("S&hipping method"), m_ship, "LBL_ShippingMethodLabel", "LST_ShippingMethod");
    add(tr("Disc&ount"), m_odcList, "LBL_ODCComboLabel", "LST_ODC");
    add(tr("Credit &terms"), m_terms, "LBL_CreditTermsLabel", "LST_CreditTerms");
    add(QString::fromStdString(config.Text(kOdcCaption, 32)), m_odc, "LBL_ODCLabel", "EDT_ODC", m_odcLabel);
    add(QString::fromStdString(config.Text(kCancelDateCaption, 32)), m_cancelDate, "LBL_CancelDate", "EDT_CancelDate",
        m_cancelLabel);
    auto* cardRow = new QWidget(this);
    auto* cardLayout = new QHBoxLayout(cardRow);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    cardLayout->addWidget(m_card, 2);
    cardLayout->addWidget(m_month);
    cardLayout->addWidget(m_year);
    add(QString::fromStdString(config.Text(kCreditCardCaption, 32)), cardRow, "LBL_CreditCard", "CardRow", m_cardLabel);
    AddControl(QStringLiteral("EDT_CreditCard"), m_card);
    AddControl(QStringLiteral("LST_CreditMonth"), m_month);
    AddControl(QStringLiteral("LST_CreditYear"), m_year);
    m_card->setAccessibleName(tr("Card number"));
    m_month->setAccessibleName(tr("Card month"));
    m_year->setAccessibleName(tr("Card year"));
    add(tr("&Notes"), m_notes, "LBL_OrderNotesLabel", "EDT_OrderNotes");
    add(tr("O&ptions"), m_options, "LBL_OptionsLabel", "LST_OptionsList");

    auto* signature = new QPushButton(tr("&Signature..."), this);
    auto* print = new QPushButton(tr("P&rint"), this);
    auto* cancel = new QPushButton(tr("&Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(signature);
    buttons->addWidget(print);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(m_approve);
    for (QPushButton* b : {signature, print, cancel, m_approve})
        b->setAccessibleName(b->text().remove('&'));
    AddControl(QStringLiteral("BTN_Signature"), signature);
    AddControl(QStringLiteral("BTN_Print"), print);
    AddControl(QStringLiteral("BTN_CANCEL"), cancel);
    AddControl(QStringLiteral("BTN_APPROVE"), m_approve);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);
    LayOut();

    const int noteMax = config.Byte(kOrderNotesMaxLength) == 0 ? 255 : config.Byte(kOrderNotesMaxLength);
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this, noteMax] {
        if (m_notes->toPlainText().size() > noteMax) {
            QString text = m_notes->toPlainText().left(noteMax);
            m_notes->setPlainText(text);
            m_notes->moveCursor(QTextCursor::End);
        }
    });
    m_odc->setMaxLength(49);
    m_odc->setReadOnly(!config.IsOn(kOdcEditable));
    m_odc->setVisible(config.IsOn(kOdcShown));
    m_odcLabel->setVisible(config.IsOn(kOdcShown));
    m_cancelDate->setVisible(config.IsOn(kCancelDateShown));
    m_cancelLabel->setVisible(config.IsOn(kCancelDateShown));
    cardRow->setVisible(config.IsOn(kCreditCardShown));
    m_cardLabel->setVisible(config.IsOn(kCreditCardShown));

    m_month->addItem(QString());
    for (int m = 1; m <= 12; ++m)
        m_month->addItem(QString::asprintf("%02d", m));
    // The card years run from the current year for twelve years.
    const std::time_t now = m_clock->Now();
    std::tm local{};
    localtime_r(&now, &local);
    m_year->addItem(QString());
    for (int y = 0; y < 12; ++y)
        m_year->addItem(QString::number(1900 + local.tm_year + y));

    FillLookup(m_warehouse, "select WarehouseID, Description from Warehouse where EnableFlag = 1 order by WarehouseID");
    FillLookup(m_ship, "select MethodID, Description from ShipMethods order by MethodID");
    FillLookup(m_odcList, "select ID, Description from OrderDiscounts order by ID");
    FillLookup(m_terms, "select Code, Description from OrderTerms order by Code");
    if (m_warehouse->count() == 2)
        m_warehouse->setCurrentIndex(1);
    if (m_ship->count() == 2)
        m_ship->setCurrentIndex(1);
    for (std::size_t i = 0; i < 12; ++i) {
        const std::string name = config.Text(kOptionNames + i * 32, 32);
        if (name.empty())
            break;
        auto* item = new QListWidgetItem(QString::fromStdString(name), m_options);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }

    if (config.IsOn(kDeliveryDatePicker)) {
        m_day->hide();
        const QDate today = QDate::currentDate().addDays(config.IsOn(kDeliveryFromTomorrow) ? 1 : 0);
        m_picker->setDateRange(today, today.addDays(365));
        m_picker->setDate(today);
        m_picker->setCalendarPopup(true);
    } else {
        m_picker->hide();
        FillDays();
    }

    if (m_ctx.order.modifying)
        RestoreModified();

    connect(signature, &QPushButton::clicked, this, &CDeliveryOptionsView::OnSignature);
    connect(print, &QPushButton::clicked, this, [this] { (void)OnPrint(); });
    connect(cancel, &QPushButton::clicked, this, &CDeliveryOptionsView::OnCancel);
    connect(m_approve, &QPushButton::clicked, this, &CDeliveryOptionsView::OnApprove);
    m_approve->setDefault(true);
}

void CDeliveryOptionsView::RestoreModified()
{
    // A modified order shows what it was saved with.
    const zev::OrderHeader& order = m_ctx.order;
    for (std::size_t i = 0; i < m_days.size(); ++i)
        if (m_days[i].stored == order.deliveryDate)
            m_day->setCurrentIndex(static_cast<int>(i));
    if (m_picker->isVisibleTo(this) || m_day->isHidden()) {
        const QDate date = QDate::fromString(QString::fromStdString(order.deliveryDate), QStringLiteral("MM/dd/yyyy"));
        if (date.isValid())
            m_picker->setDate(date);
    }
    // The lists hold identifiers as item data; an identifier no longer
    // offered leaves the list unchosen, so Approve asks again.
    auto choose = [](QComboBox* box, const std::string& id) {
        if (id.empty())
            return;
        const int index = box->findData(std::atoi(id.c_str()));
        if (index >= 0)
            box->setCurrentIndex(index);
    };
    choose(m_warehouse, order.warehouse);
    choose(m_ship, order.shippingMethod);
    choose(m_terms, order.creditTerms);
    choose(m_odcList, order.odcCode);
    const zev::OrderSaver::Card card = zev::OrderSaver::SplitCard(order.creditCard);
    m_card->setText(QString::fromStdString(card.number));
    m_month->setCurrentIndex(std::max(0, m_month->findText(QString::fromStdString(card.month))));
    m_year->setCurrentIndex(std::max(0, m_year->findText(QString::fromStdString(card.year))));
    m_cancelDate->setText(QString::fromStdString(order.cancelDate));
    m_odc->setText(QString::fromStdString(order.odcText).replace("''", "'"));
    for (int i = 0; i < m_options->count() && i < 10; ++i)
        m_options->item(i)->setCheckState(order.options[static_cast<std::size_t>(i)] ? Qt::Checked : Qt::Unchecked);
    m_notes->setPlainText(QString::fromStdString(order.notes).replace("''", "'"));
    m_signature = order.signature;
}

void CDeliveryOptionsView::FillDays()
{
    zev::IMessageBox& box = Host().Messages();
    const std::string distributor = FirstText("select * from DistributorInfo", 3);
    const std::string account =
        FirstText(zev::SqlText::Format("select DelivDays from Accounts where AccountID=%d", m_ctx.current.accountId));
    if (const auto problem = zev::DeliveryDays::Problem(account, distributor)) {
        box.ShowText(*problem, zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    const zev::ZevConfig& config = Host().State().settings.config;
    const int count =
        std::atoi(zev::ReadIniValue("SETTINGS", "DDAYS", "0", 8, Host().State().settingsFilePath).c_str());
    m_days = zev::DeliveryDays::Offer(zev::DeliveryDays::Combine(account, distributor), m_clock->Now(), count,
                                      config.IsOn(kDeliveryFromTomorrow));
    for (const auto& day : m_days)
        m_day->addItem(QString::fromStdString(day.shown));
    const bool first = config.IsOn(kDeliveryFromTomorrow) || config.IsOn(kFirstDayPreselected);
    m_day->setCurrentIndex(m_days.size() > 1 && !first ? 1 : (m_days.empty() ? -1 : 0));
}

bool CDeliveryOptionsView::Fail(const std::string& text, QWidget* focus)
{
    Host().Messages().ShowText(text, zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    if (focus)
        focus->setFocus();
    return false;
}

bool CDeliveryOptionsView::Check()
{
    const zev::ZevConfig& config = Host().State().settings.config;
    if (!m_day->isHidden() && m_day->currentIndex() < 0)
        return Fail("A delivery day must be selected in order to save the order.", m_day);
    if (!m_warehouse->isHidden() && !m_warehouse->currentData().isValid())
        return Fail("A warehouse must be selected in order to save the order.", m_warehouse);
    if (!m_ship->isHidden() && !m_ship->currentData().isValid())
        return Fail("A shipping method must be selected in order to save the order.", m_ship);
    const bool cardShown = config.IsOn(kCreditCardShown);
    const QString card = m_card->text().trimmed();
    if (cardShown && card.isEmpty() && config.IsOn(kCreditCardRequired))
        return Fail("A credit card number is required to save the order.", m_card);
    if (cardShown && !card.isEmpty() && (m_month->currentIndex() <= 0 || m_year->currentIndex() <= 0))
        return Fail("If a credit card number has been entered then an expiration date must be provided.", m_month);
    if (config.IsOn(kOdcShown) && m_odc->text().trimmed().isEmpty() && config.IsOn(kOdcRequired))
        return Fail(zev::SqlText::Format("The %s field must be filled in to save the order.",
                                         m_odcLabel->text().toStdString().c_str()),
                    m_odc);
    if (config.IsOn(kCancelDateShown) && m_cancelDate->text().trimmed().isEmpty() && config.IsOn(kCancelDateRequired))
        return Fail(zev::SqlText::Format("The %s field must be filled in to save the order.",
                                         m_cancelLabel->text().toStdString().c_str()),
                    m_cancelDate);
    return true;
}

void CDeliveryOptionsView::CopyIntoHeader()
{
    const zev::ZevConfig& config = Host().State().settings.config;
    zev::OrderHeader& order = m_ctx.order;
    if (!m_day->isHidden()) {
        const int day = m_day->currentIndex();
        order.deliveryDate = day >= 0 && day < static_cast<int>(m_days.size())
                                 ? m_days[static_cast<std::size_t>(day)].stored
                                 : std::string();
    } else {
        const QDate d = m_picker->date();
        order.deliveryDate = QString::asprintf("%02d/%02d/%d", d.month(), d.day(), d.year()).toStdString();
    }
    order.notes =
        zev::OrderSaver::NotesForSave(m_notes->toPlainText().toStdString(), config.Byte(kOrderNotesMaxLength));
    const std::string odc = m_odc->text().toStdString();
    if (!odc.empty())
        order.odcText = zev::SqlText::Clean(odc);
    order.warehouse = m_warehouse->currentData().isValid() ? std::to_string(m_warehouse->currentData().toInt()) : "";
    order.shippingMethod = m_ship->currentData().isValid() ? std::to_string(m_ship->currentData().toInt()) : "";
    order.cancelDate = m_cancelDate->text().toStdString();
    order.creditCard =
        zev::OrderSaver::CardText(m_card->text().trimmed().toStdString(), m_month->currentText().toStdString(),
                                  m_year->currentText().toStdString());
    order.odcCode = m_odcList->currentData().isValid() ? std::to_string(m_odcList->currentData().toInt()) : "";
    order.creditTerms = m_terms->currentData().isValid() ? std::to_string(m_terms->currentData().toInt()) : "";
    for (int i = 0; i < 10; ++i)
        order.options[static_cast<std::size_t>(i)] =
            i < m_options->count() && m_options->item(i)->checkState() == Qt::Checked ? 1 : 0;
    order.signature = m_signature;
}

zev::PrintDocument CDeliveryOptionsView::Document()
{
    zev::PrintDocument document = zev::OrderDocuments::Order(
        m_ctx.order, zev::OrderDocuments::AccountLine(m_ctx.current.companyName, m_ctx.current.accountNumber));
    zev::DocumentHeading::Fill(document, Host().UserProfile().UserID());
    return document;
}

bool CDeliveryOptionsView::PrintTo(const QString& pdfPath)
{
    return CDocumentPrinter::PrintPdf(Document(), pdfPath, Host().Messages());
}

bool CDeliveryOptionsView::PrintOn(QPrinter& printer)
{
    printer.setDocName(QStringLiteral("Order"));
    if (!(m_choosePrinter ? m_choosePrinter(printer) : CDocumentPrinter::AskPrinter(printer, this)))
        return false;
    return CDocumentPrinter::Print(Document(), printer, Host().Messages());
}

bool CDeliveryOptionsView::OnPrint()
{
    CopyIntoHeader();
    QPrinter printer(QPrinter::HighResolution);
    return PrintOn(printer);
}

void CDeliveryOptionsView::OnApprove()
{
    if (!Check())
        return;
    CopyIntoHeader();
    const zev::ZevConfig& config = Host().State().settings.config;
    // Printing is offered first; a cancelled print does not stop the order.
    if (config.IsOn(kPrintOnApprove)) {
        QPrinter printer(QPrinter::HighResolution);
        (void)PrintOn(printer);
    }
    zev::WaitCursor wait;
    const std::string mode = zev::ReadIniValue("GENERAL", "PRICEOVERRIDEMODE", "0", 8, Host().State().settingsFilePath);
    const zev::OrderSettings settings = zev::OrderSettings::FromConfig(config, std::atoi(mode.c_str()));
    zev::OrderSaver saver(settings, Host().Messages());
    if (m_ctx.order.accountId < 0)
        m_ctx.order.accountId = m_ctx.current.accountId;
    const int readyId =
        saver.Save(m_ctx.order, m_clock->Now(),
                   settings.markCallOnOrder && m_ctx.recordCall ? m_ctx.recordCall : zev::OrderSaver::RecordCall{});
    m_ctx.order.Reset();
    if (readyId > 0) {
        Host().Messages().ShowText("The order has been saved.", zev::ids::kCaptionInformation, zev::MbButtons::Ok,
                                   zev::MbIcon::Information);
        Host().PostSwitchScreen(zev::Screen::Accounts);
    } else {
        Host().Messages().ShowText("Unable to place order!", zev::ids::kCaptionError, zev::MbButtons::Ok,
                                   zev::MbIcon::Stop);
        Host().PostSwitchScreen(zev::Screen::OrderGuide);
    }
}

void CDeliveryOptionsView::OnCancel() { Host().PostSwitchScreen(zev::Screen::OrderSummary); }

void CDeliveryOptionsView::OnSignature()
{
    CSignatureDlg dialog(Host().Messages(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_signature = dialog.Encoded();
}

CZevBaseView* CreateDeliveryOptionsView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new CDeliveryOptionsView(host, std::move(context));
}
