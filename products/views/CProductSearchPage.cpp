#include "products/views/CProductSearchPage.h"

#include "app/core/MessageBox.h"
#include "app/core/StringTable.h"
#include "tables/Items.h"
#include "tabula/Query.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zev {

namespace {

constexpr int kNoDivision = 123456;

QRadioButton* Radio(QWidget* parent, const char* name, const QString& text)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(text);
    return button;
}

} // namespace

CProductSearchPage::CProductSearchPage(const ProductSearchSwitches& switches, IMessageBox& messages,
                                       std::function<std::optional<int>()> currentCatalog, QWidget* parent)
    : QWidget(parent), m_switches(switches), m_messages(messages), m_catalog(std::move(currentCatalog))
{
    auto* grid = new QGridLayout(this);
    auto* simple = Radio(this, "BTN_Simple", tr("&Simple"));
    auto* advanced = Radio(this, "BTN_Advanced", tr("&Advanced"));
    simple->setChecked(true);
    grid->addWidget(simple, 0, 0);
    grid->addWidget(advanced, 0, 1);

    m_nameOrNumber = new QWidget(this);
    auto* choice = new QHBoxLayout(m_nameOrNumber);
    auto* byNumber = Radio(m_nameOrNumber, "BTN_SearchByNumber", tr("By &number"));
    auto* byName = Radio(m_nameOrNumber, "BTN_SearchByName", tr("By na&me"));
    byNumber->setChecked(true);
    choice->addWidget(byNumber);
    choice->addWidget(byName);
    grid->addWidget(m_nameOrNumber, 1, 0, 1, 4);

    m_byNumberLabel = Label("LBL_ItemNumberLabel", tr("Item number:"));
    m_byNameLabel = Label("LBL_DescriptionLabel", tr("Description:"));
    m_keywordsLabel = Label("LBL_KeyWordsLabel", tr("Keywords:"));
    m_keywords = Edit("EDT_Keywords");
    m_keywords->setAccessibleName(tr("Keywords"));
    grid->addWidget(m_byNumberLabel, 2, 0);
    grid->addWidget(m_byNameLabel, 2, 0);
    grid->addWidget(m_keywordsLabel, 2, 0);
    grid->addWidget(m_keywords, 2, 1, 1, 3);

    m_caseLabel = Label("LBL_CasePriceLabel", tr("Case price:"));
    m_unitLabel = Label("LBL_UnitPriceLabel", tr("Unit price:"));
    m_caseLow = Edit("EDT_CasePriceLow");
    m_caseAnd = Label("LBL_CaseAndLabel", tr("and"));
    m_caseHigh = Edit("EDT_CasePriceHigh");
    grid->addWidget(m_caseLabel, 3, 0);
    grid->addWidget(m_unitLabel, 3, 0);
    grid->addWidget(m_caseLow, 3, 1);
    grid->addWidget(m_caseAnd, 3, 2);
    grid->addWidget(m_caseHigh, 3, 3);

    m_singleLabel = Label("LBL_SinglePriceLabel", tr("Single price:"));
    m_singleLow = Edit("EDT_SinglePriceLow");
    m_singleAnd = Label("LBL_SingleAndLabel", tr("and"));
    m_singleHigh = Edit("EDT_SinglePriceHigh");
    grid->addWidget(m_singleLabel, 4, 0);
    grid->addWidget(m_singleLow, 4, 1);
    grid->addWidget(m_singleAnd, 4, 2);
    grid->addWidget(m_singleHigh, 4, 3);

    m_ratingLabel = Label("LBL_WineRatingLabel", tr("Wine rating:"));
    m_ratingLow = Edit("EDT_WineRatingLow");
    m_ratingAnd = Label("LBL_RatingAndLabel", tr("and"));
    m_ratingHigh = Edit("EDT_WineRatingHigh");
    grid->addWidget(m_ratingLabel, 5, 0);
    grid->addWidget(m_ratingLow, 5, 1);
    grid->addWidget(m_ratingAnd, 5, 2);
    grid->addWidget(m_ratingHigh, 5, 3);

    m_divisionsLabel = Label("LBL_DivisionsLabel", tr("Division:"));
    m_divisions = new QComboBox(this);
    m_divisions->setObjectName("LST_Divisions");
    m_divisions->setAccessibleName(tr("Division"));
    m_divisions->addItem(QString::fromStdString(StringTable::Text(65036)), kNoDivision);
    Query divisions("Division", "DivisionID", 0);
    if (divisions.getAll() == 1)
        for (; !divisions.IsEOF(); divisions.MoveNext())
            m_divisions->addItem(QString::fromStdString(divisions.GetFieldValueString(1)),
                                 divisions.GetFieldValueInt(0));
    m_divisions->setCurrentIndex(0);
    grid->addWidget(m_divisionsLabel, 6, 0);
    grid->addWidget(m_divisions, 6, 1, 1, 3);

    m_search = new QPushButton(tr("S&earch"), this);
    m_search->setObjectName("BTN_Search");
    m_search->setAccessibleName(tr("Search"));
    m_search->setDefault(true);
    grid->addWidget(m_search, 7, 3);

    connect(simple, &QRadioButton::toggled, this, [this](bool on) { SetAdvanced(!on); });
    connect(byName, &QRadioButton::toggled, this, [this](bool on) { SetByName(on); });
    connect(m_search, &QPushButton::clicked, this, [this] { Search(); });
    connect(m_keywords, &QLineEdit::returnPressed, this, [this] { Search(); });
    UpdateVisibility();
}

QLineEdit* CProductSearchPage::Edit(const char* name)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(name);
    return edit;
}

QLabel* CProductSearchPage::Label(const char* name, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    return label;
}

void CProductSearchPage::SetAdvanced(bool advanced)
{
    m_advanced = advanced;
    UpdateVisibility();
}

void CProductSearchPage::SetByName(bool byName)
{
    m_byName = byName;
    UpdateVisibility();
    m_keywords->setFocus();
}

void CProductSearchPage::UpdateVisibility()
{
    const bool a = m_advanced;
    m_nameOrNumber->setVisible(!a);
    m_byNameLabel->setVisible(!a && m_byName);
    m_byNumberLabel->setVisible(!a && !m_byName);
    m_keywordsLabel->setVisible(a);
    for (QWidget* w :
         {static_cast<QWidget*>(m_caseLow), static_cast<QWidget*>(m_caseHigh), static_cast<QWidget*>(m_caseAnd)})
        w->setVisible(a);
    const bool singles = a && !m_switches.unitPriceOnly;
    for (QWidget* w :
         {static_cast<QWidget*>(m_caseLabel), static_cast<QWidget*>(m_singleLabel), static_cast<QWidget*>(m_singleAnd),
          static_cast<QWidget*>(m_singleLow), static_cast<QWidget*>(m_singleHigh)})
        w->setVisible(singles);
    m_unitLabel->setVisible(a && m_switches.unitPriceOnly);
    m_divisions->setVisible(a && !m_switches.divisionsHidden);
    m_divisionsLabel->setVisible(a && !m_switches.divisionsHidden);
    for (QWidget* w : {static_cast<QWidget*>(m_ratingLabel), static_cast<QWidget*>(m_ratingAnd),
                       static_cast<QWidget*>(m_ratingLow), static_cast<QWidget*>(m_ratingHigh)})
        w->setVisible(a && m_switches.ratingsShown);
}

ProductSearchCriteria CProductSearchPage::Criteria() const
{
    ProductSearchCriteria c;
    c.keywords = m_keywords->text().toStdString();
    c.byName = m_byName;
    c.advanced = m_advanced;
    c.casePriceHigh = m_caseHigh->text().toDouble();
    c.casePriceLow = m_caseLow->text().toDouble();
    c.singlePriceHigh = m_singleHigh->text().toDouble();
    c.singlePriceLow = m_singleLow->text().toDouble();
    c.ratingHigh = m_ratingHigh->text().toInt();
    c.ratingLow = m_ratingLow->text().toInt();
    if (m_divisions->currentIndex() > 0)
        c.divisionId = m_divisions->currentData().toInt();
    return c;
}

bool CProductSearchPage::Search()
{
    const ProductSearchCriteria criteria = Criteria();
    if (!ProductSearch::IsValid(criteria)) {
        m_messages.Show(65073, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
        m_keywords->setFocus();
        return false;
    }
    auto items = std::make_shared<Items>();
    const std::string sql =
        ProductSearch::BuildStatement(criteria, m_catalog ? m_catalog() : std::nullopt, m_switches.sortColumn);
    if (!ProductSearch::Run(*items, sql)) {
        m_messages.Show(65037, zev::Caption::Warning, MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    if (onResult)
        onResult(std::move(items));
    return true;
}

} // namespace zev
