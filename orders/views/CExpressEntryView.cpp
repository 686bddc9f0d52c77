#include "orders/views/CExpressEntryView.h"

#include "app/core/CZevSettings.h"
#include "app/core/IniReader.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/ScreenHost.h"
#include "tables/WorkOrder.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kKeypad = "0123456789ABCD";

// The guide of the account, -1 when it has none.
int WorkOrderOf(int accountId)
{
    if (accountId < 0)
        return -1;
    zev::WorkOrder guide;
    if (guide.getByPK(accountId) == 0 || guide.IsEOF() != 0)
        return -1;
    return guide.GetFieldValueInt(1);
}

std::string KeyName(char key) { return std::string("BTN_") + key; }

} // namespace

CExpressEntryView::CExpressEntryView(zev::IScreenHost& host, zev::OrderViewContext context, QWidget* parent)
    : CZevBaseView(host, "ExpressEntryView", parent), m_ctx(std::move(context)), m_entry(new QLineEdit(this))
{
    const zev::ZevConfig& config = host.State().settings.config;
    m_doneToGuide = config.IsOn(zev::cfg::kExpressDoneToGuide);
    const int workOrder = WorkOrderOf(m_ctx.current.accountId);
    if (workOrder < 0)
        return;
    const std::string mode = zev::ReadIniValue("GENERAL", "PRICEOVERRIDEMODE", "0", 8, host.State().settingsFilePath);
    zev::ExpressEntry::Options options;
    options.invParEntersInventory = config.IsOn(zev::cfg::kInvParEntersInventory);
    options.invParFillsToPar = config.IsOn(zev::cfg::kInvParFillsToPar);
    options.doneToGuide = m_doneToGuide;
    options.catalogId = m_ctx.current.orderCatalog;
    m_logic = std::make_unique<zev::ExpressEntry>(m_ctx.current.accountId, workOrder,
                                                  zev::OrderSettings::FromConfig(config, std::atoi(mode.c_str())),
                                                  options, m_ctx.price, host.Messages());
}

CExpressEntryView::~CExpressEntryView() = default;

QPushButton* CExpressEntryView::Button(const char* name) const
{
    const auto it = m_buttons.find(name);
    return it == m_buttons.end() ? nullptr : it->second;
}

QLabel* CExpressEntryView::Label(const char* name) const
{
    const auto it = m_labels.find(name);
    return it == m_labels.end() ? nullptr : it->second;
}

QPushButton* CExpressEntryView::KeypadButton(int key) const
{
    if (key < 0 || key > 0x7f || key == 0 || !std::strchr(kKeypad, key))
        return nullptr;
    return Button(KeyName(static_cast<char>(key)).c_str());
}

void CExpressEntryView::BuildControls()
{
    const zev::ZevConfig& config = Host().State().settings.config;
    auto addButton = [this](const std::string& name, const QString& caption, const QString& accessible) {
        auto* b = new QPushButton(caption, this);
        b->setAccessibleName(accessible);
        b->setMinimumSize(56, 44);
        m_buttons[name] = b;
        AddControl(QString::fromStdString(name), b);
        return b;
    };

    // Keypad in the usual telephone-free layout of a numeric keypad, letters down the right.
    auto* keypad = new QGridLayout;
    const char rows[4][4] = {{'7', '8', '9', 'A'}, {'4', '5', '6', 'B'}, {'1', '2', '3', 'C'}, {0, '0', 0, 'D'}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const char key = rows[r][c];
            if (key == 0)
                continue;
            QPushButton* b = addButton(KeyName(key), QString(QChar(key)), tr("Keypad %1").arg(QChar(key)));
            keypad->addWidget(b, r, c);
            connect(b, &QPushButton::clicked, this, [this, key] { OnKey(key); });
        }
    keypad->addWidget(addButton("BTN_CLEAR", tr("Clea&r"), tr("Clear")), 3, 0);
    keypad->addWidget(addButton("BTN_LOOKUP", tr("&Look Up"), tr("Look up")), 3, 2);

    const bool entersInventory =
        config.IsOn(zev::cfg::kInvParEntersInventory) && !config.IsOn(zev::cfg::kInvParFillsToPar);
    struct Action {
        const char* name;
        QString caption;
        void (CExpressEntryView::*slot)();
    };
    const Action actions[] = {
        {"BTN_CASES", tr("&Cases"), &CExpressEntryView::OnCases},
        {"BTN_SINGLES", tr("&Singles"), &CExpressEntryView::OnSingles},
        {"BTN_ZERO", tr("&Zero"), &CExpressEntryView::OnZero},
        {"BTN_DEAL", tr("D&eal"), &CExpressEntryView::OnDeal},
        {"BTN_DISCOUNT", tr("D&iscount"), &CExpressEntryView::OnDiscount},
        {"BTN_OVERRIDE", tr("&Override"), &CExpressEntryView::OnOverride},
        // The button says what it sets: the inventory, or the par (and with it the cases).
        {"BTN_INVPAR", entersInventory ? tr("In&v") : tr("&Par"), &CExpressEntryView::OnInvPar},
    };
    auto* actionColumn = new QVBoxLayout;
    for (const Action& a : actions) {
        QPushButton* b = addButton(a.name, a.caption, QString(a.caption).remove('&'));
        actionColumn->addWidget(b);
        connect(b, &QPushButton::clicked, this, a.slot);
    }
    actionColumn->addStretch();
    connect(m_buttons["BTN_CLEAR"], &QPushButton::clicked, this, &CExpressEntryView::OnClear);
    connect(m_buttons["BTN_LOOKUP"], &QPushButton::clicked, this, &CExpressEntryView::OnLookup);

    // The item: value labels beside their captions.
    auto* description = new QLabel(this);
    description->setWordWrap(true);
    description->setAccessibleName(tr("Description"));
    QFont big = description->font();
    big.setBold(true);
    description->setFont(big);
    m_labels["LBL_DESCRIPTION"] = description;
    AddControl(QStringLiteral("LBL_DESCRIPTION"), description);
    struct Field {
        const char* name;
        QString caption;
    };
    const Field fields[] = {{"SKU", tr("Item #")},
                            {"UPC", tr("UPC")},
                            {"CASEPRICE", tr("Case price")},
                            {"SINGLEPRICE", tr("Single price")},
                            {"ONHAND", tr("On hand")},
                            {"INVENTORY", tr("Ordered")},
                            {"COUNT", tr("Inventory")},
                            {"PAR", tr("Par")},
                            {"DEAL", tr("Deal")},
                            {"DISCOUNT", tr("Discount")},
                            {"OVERRIDE", tr("Override")}};
    auto* form = new QGridLayout;
    int row = 0;
    for (const Field& f : fields) {
        auto* caption = new QLabel(f.caption + QLatin1Char(':'), this);
        auto* value = new QLabel(this);
        value->setAccessibleName(f.caption);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const std::string valueName = std::string("LBL_") + f.name;
        const std::string captionName = std::string("LBL_LBL") + f.name;
        m_labels[valueName] = value;
        m_labels[captionName] = caption;
        AddControl(QString::fromStdString(valueName), value);
        AddControl(QString::fromStdString(captionName), caption);
        form->addWidget(caption, row, 0);
        form->addWidget(value, row, 1);
        ++row;
    }
    form->setColumnStretch(1, 1);
    form->setRowStretch(row, 1);
    if (config.IsOn(zev::cfg::kQuantitiesInUnits)) {
        m_labels["LBL_SINGLEPRICE"]->hide();
        m_labels["LBL_LBLSINGLEPRICE"]->hide();
    }

    auto* entryLabel = new QLabel(tr("I&tem number:"), this);
    entryLabel->setBuddy(m_entry);
    m_entry->setAccessibleName(tr("Item number"));
    QFont entryFont = m_entry->font();
    entryFont.setPointSizeF(entryFont.pointSizeF() * 1.5);
    m_entry->setFont(entryFont);
    AddControl(QStringLiteral("EDT_ITEMID"), m_entry);
    AddControl(QStringLiteral("LBL_ITEMID"), entryLabel);

    auto* top = new QHBoxLayout;
    top->addWidget(entryLabel);
    top->addWidget(m_entry, 1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(keypad);
    middle->addSpacing(16);
    middle->addLayout(form, 1);
    middle->addSpacing(16);
    middle->addLayout(actionColumn);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(addButton("BTN_DONE", tr("&Done"), tr("Done")));
    bottom->addWidget(addButton("BTN_CANCEL", tr("Ca&ncel"), tr("Cancel")));
    connect(m_buttons["BTN_DONE"], &QPushButton::clicked, this, &CExpressEntryView::OnDone);
    connect(m_buttons["BTN_CANCEL"], &QPushButton::clicked, this, &CExpressEntryView::OnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(description);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
}

void CExpressEntryView::OnInitialUpdate()
{
    BuildControls();
    LayOut();
    m_entry->installEventFilter(this);
    connect(m_entry, &QLineEdit::textChanged, this, [this] { UpdateCommands(); });
    if (!m_logic) {
        m_labels["LBL_DESCRIPTION"]->setText(m_ctx.current.accountId < 0 ? tr("Choose an account first.")
                                                                         : tr("This account has no order guide."));
        m_entry->setEnabled(false);
    }
    ShowItem();
    UpdateCommands();
    m_entry->setFocus();
}

void CExpressEntryView::TakeEntry()
{
    const QString text = m_entry->text();
    const std::size_t caret = static_cast<std::size_t>(text.left(m_entry->cursorPosition()).toUtf8().size());
    m_logic->SetEntry(text.toStdString(), caret);
}

void CExpressEntryView::GiveEntry()
{
    const std::string& entry = m_logic->Entry();
    m_entry->setText(QString::fromStdString(entry));
    m_entry->setCursorPosition(static_cast<int>(QString::fromStdString(entry.substr(0, m_logic->Caret())).size()));
}

void CExpressEntryView::ShowItem()
{
    if (!m_logic)
        return;
    const zev::ExpressEntry::Display& d = m_logic->Shown();
    const std::pair<const char*, const std::string*> texts[] = {{"LBL_DESCRIPTION", &d.description},
                                                                {"LBL_SKU", &d.sku},
                                                                {"LBL_UPC", &d.upc},
                                                                {"LBL_CASEPRICE", &d.casePrice},
                                                                {"LBL_SINGLEPRICE", &d.singlePrice},
                                                                {"LBL_ONHAND", &d.onHand},
                                                                {"LBL_INVENTORY", &d.quantity},
                                                                {"LBL_COUNT", &d.inventory},
                                                                {"LBL_PAR", &d.par},
                                                                {"LBL_DEAL", &d.deal},
                                                                {"LBL_DISCOUNT", &d.discount},
                                                                {"LBL_OVERRIDE", &d.priceOverride}};
    for (const auto& [name, text] : texts)
        m_labels[name]->setText(QString::fromStdString(*text));
}

// Greys what cannot work now: the item's buttons without an item, those that
// read a number with nothing keyed, Look Up with nothing to look up.
void CExpressEntryView::UpdateCommands()
{
    const bool live = m_logic != nullptr;
    const bool item = live && m_logic->HasItem();
    const bool keyed = live && !m_entry->text().trimmed().isEmpty();
    for (const char* k = kKeypad; *k != '\0'; ++k)
        m_buttons[KeyName(*k)]->setEnabled(live);
    m_buttons["BTN_CLEAR"]->setEnabled(live);
    m_buttons["BTN_LOOKUP"]->setEnabled(keyed);
    for (const char* name : {"BTN_CASES", "BTN_SINGLES", "BTN_DEAL", "BTN_DISCOUNT", "BTN_INVPAR"})
        m_buttons[name]->setEnabled(item && keyed);
    m_buttons["BTN_ZERO"]->setEnabled(item);
    m_buttons["BTN_OVERRIDE"]->setEnabled(item);
}

void CExpressEntryView::Act(bool (zev::ExpressEntry::*action)())
{
    if (!m_logic)
        return;
    TakeEntry();
    (void)(m_logic.get()->*action)();
    GiveEntry();
    ShowItem();
    UpdateCommands();
    m_entry->setFocus();
}

void CExpressEntryView::OnKey(char key)
{
    if (!m_logic)
        return;
    TakeEntry();
    m_logic->Key(key);
    GiveEntry();
    m_entry->setFocus();
}

void CExpressEntryView::OnClear()
{
    if (!m_logic)
        return;
    m_logic->Clear();
    GiveEntry();
    m_entry->setFocus();
}

void CExpressEntryView::OnLookup() { Act(&zev::ExpressEntry::Lookup); }
void CExpressEntryView::OnCases() { Act(&zev::ExpressEntry::Cases); }
void CExpressEntryView::OnSingles() { Act(&zev::ExpressEntry::Singles); }
void CExpressEntryView::OnZero() { Act(&zev::ExpressEntry::Zero); }
void CExpressEntryView::OnDeal() { Act(&zev::ExpressEntry::Deal); }
void CExpressEntryView::OnDiscount() { Act(&zev::ExpressEntry::Discount); }
void CExpressEntryView::OnOverride() { Act(&zev::ExpressEntry::Override); }
void CExpressEntryView::OnInvPar() { Act(&zev::ExpressEntry::InvPar); }

void CExpressEntryView::OnDone()
{
    Host().PostSwitchScreen(m_doneToGuide ? zev::ExpressEntry::kScreenOrderGuide
                                          : zev::ExpressEntry::kScreenAccountList);
}

void CExpressEntryView::OnCancel() { Host().PostSwitchScreen(zev::ExpressEntry::Cancel()); }

bool CExpressEntryView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_entry)
        return CZevBaseView::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // A scanner ends its code with Enter: look it up at once.
            OnLookup();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            OnClear();
            return true;
        }
        const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        const QString text = key->text();
        if ((key->modifiers() & chord) == 0 && text.size() == 1) {
            if (QPushButton* button = KeypadButton(text.at(0).unicode()); button && button->isEnabled()) {
                if (!key->isAutoRepeat()) {
                    if (m_held)
                        m_held->setDown(false);
                    m_held = button;
                    button->setDown(true);
                }
                OnKey(static_cast<char>(text.at(0).unicode()));
                return true;
            }
        }
    } else if (event->type() == QEvent::KeyRelease || event->type() == QEvent::FocusOut) {
        auto* key = event->type() == QEvent::KeyRelease ? static_cast<QKeyEvent*>(event) : nullptr;
        if (m_held && (!key || !key->isAutoRepeat())) {
            m_held->setDown(false);
            m_held = nullptr;
        }
    }
    return CZevBaseView::eventFilter(watched, event);
}

CZevBaseView* CreateExpressEntryView(zev::IScreenHost& host, zev::OrderViewContext context)
{
    return new CExpressEntryView(host, std::move(context));
}
