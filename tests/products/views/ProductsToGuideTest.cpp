// The product screens end to end over a real database: a search whose list
// fills its case prices in the background, the chosen item added to the
// current account's guide and found priced when the guide opens; the
// promotions screen; the item details window's pages.
#include "TestDatabase.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/CZevListModel.h"
#include "base/Clock.h"
#include "orders/views/COrderGuideView.h"
#include "products/ItemDetailsData.h"
#include "products/views/CItemDetailsRIPPage.h"
#include "products/views/CItemDetailsSheet.h"
#include "products/views/CProductBrowseSheet.h"
#include "products/views/CProductTable.h"
#include "products/views/CPromotionsView.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr int kAccount = 7;

// Case price 20 + item id / 100 in catalogue 10; item 4 has no price.
bool Price(int item, float& casePrice, float& singlePrice, int, int catalog, unsigned)
{
    if (item == 4 || catalog != 10)
        return false;
    casePrice = 20.0f + static_cast<float>(item) / 100.0f;
    singlePrice = casePrice / 12.0f;
    return true;
}

class FixedClock final : public zev::IClock {
public:
    std::time_t Now() const override
    {
        std::tm day{};
        day.tm_year = 2026 - 1900;
        day.tm_mon = 11;
        day.tm_mday = 9;
        day.tm_hour = 12;
        return std::mktime(&day);
    }
};

zev::ListDefinition GuideList()
{
    zev::ListDefinition list;
    list.number = 1;
    list.name = "OrderGuide";
    list.headings = {"Description", "Cases", "Singles", "Price", "Item #"};
    for (std::size_t i = 0; i < list.headings.size(); ++i) {
        list.widths.push_back(80);
        list.formats.push_back(0);
        list.order.push_back(static_cast<std::uint8_t>(i + 1));
        list.flags.push_back(0);
    }
    return list;
}

} // namespace

class ProductsToGuideTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    zev::CurrentAccount current;
    FixedClock clock;
    std::vector<int> detailsAsked;

    void Item(int id, const char* description, const char* catalogs, int perCase = 12)
    {
        QVERIFY(db->Exec("insert into Items (ItemID, Description, DistributorSKU, ItemVolume, QtyPerCase, QtyOnHand, "
                         "Rating, ValidCatalogs, DeletedFlag, CategoryID, ProductKind, ItemFlags, SellMultiple, UPC, "
                         "CatalogPage) values (" +
                         std::to_string(id) + ", '" + description + "', 'W-" + std::to_string(id) + "', '750ML', " +
                         std::to_string(perCase) + ", 30, 90, '" + catalogs + "', 0, 1, 1, 0, 0, 'U" +
                         std::to_string(id) + "', '1')"));
    }

    zev::ProductsViewContext Context()
    {
        zev::ProductsViewContext ctx;
        ctx.current = &current;
        ctx.price = Price;
        ctx.clock = &clock;
        ctx.itemDetails = [this](int item) { detailsAsked.push_back(item); };
        return ctx;
    }

    std::string LastText() const
    {
        const auto boxes = host->messages.Boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        host->app.settings.config.SetList(GuideList());
        host->app.settings.config.SetByte(zev::cfg::kProductSearch, 1);
        current = zev::CurrentAccount{};
        current.accountId = kAccount;
        current.orderCatalog = 10;
        detailsAsked.clear();
        QVERIFY(db->Exec("insert into WorkOrder values (7, 3, 0, 1)"));
        Item(1, "CHARDONNAY RESERVE", "10");
        Item(2, "CHARDONNAY BRUT", "10,20");
        Item(3, "MERLOT", "10");
        Item(4, "CHARDONNAY UNPRICED", "10");
        Item(5, "CHARDONNAY ELSEWHERE", "20");
        QVERIFY(db->Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, CaseQTY, SingleQTY, "
                         "CDistPrice, SDistPrice, LastQty, OrderCount, LineItemNumber, SpecialFlag, DiscountAmount, "
                         "PriceOverride, Par, Inv, RetailPrice, Warehouse, Filter, LineComment, HTDItemCount, "
                         "Updated) values (7, 3, 3, 10, 0, 0, 20.03, 1.67, 0, 0, 4, '0', '0', '0', 0, 0, 0, 0, 0, "
                         "'', 0, 0)"));
    }

    void cleanup()
    {
        host.reset();
        dir.reset();
        db.reset();
    }

    void oneReturnOnTheKeywordsOnlySearches()
    {
        zev::CProductBrowseSheet sheet(host->app.settings.config, host->messages, Context(), 0);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        sheet.findChild<QRadioButton*>("BTN_SearchByName")->setChecked(true);
        auto* keywords = sheet.findChild<QLineEdit*>("EDT_Keywords");
        keywords->setText("chard");
        keywords->setFocus();
        QTest::keyClick(keywords, Qt::Key_Return);
        QCOMPARE(sheet.Pages()->currentWidget(), sheet.List()->parentWidget());
        QCoreApplication::processEvents();
        // Nothing was added: the results page's command waits for its own Return.
        QCOMPARE(sheet.AddedCount(), 0);
        QCOMPARE(db->ScalarInt("select count(*) from WorkOrder where AccountID = 7 and Updated = 1"), 0);
        QTRY_VERIFY(sheet.findChild<QPushButton*>("BTN_ADDTOGUIDE")->isDefault());
        QTest::keyClick(sheet.List(), Qt::Key_Return);
        QCOMPARE(sheet.AddedCount(), 1);
    }

    void searchAddToGuideAndFindTheLinePricedInTheGuide()
    {
        zev::CProductBrowseSheet sheet(host->app.settings.config, host->messages, Context(), 0);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        sheet.findChild<QRadioButton*>("BTN_SearchByName")->setChecked(true);
        sheet.findChild<QLineEdit*>("EDT_Keywords")->setText("chard");
        QTest::mouseClick(sheet.findChild<QPushButton*>("BTN_Search"), Qt::LeftButton);

        QTableWidget* list = sheet.List();
        QCOMPARE(sheet.Pages()->currentWidget(), list->parentWidget());
        // The account's catalogue keeps item 5 out.
        QCOMPARE(list->rowCount(), 3);
        // Prices arrive from the worker; an unpriced item stays blank.
        QTRY_COMPARE(list->item(0, 3)->text(), QString("20.02"));
        QTRY_COMPARE(list->item(1, 3)->text(), QString("20.01"));
        QCOMPARE(list->item(0, 1)->text(), QString("CHARDONNAY BRUT"));
        QCOMPARE(list->item(0, 3)->text(), QString("20.02"));
        QCOMPARE(list->item(2, 1)->text(), QString("CHARDONNAY UNPRICED"));
        QCOMPARE(list->item(2, 3)->text(), QString());

        // Sorting by case price puts the unpriced item first.
        list->sortItems(3, Qt::AscendingOrder);
        QCOMPARE(list->item(0, 0)->text(), QString("W-4"));
        QCOMPARE(list->item(2, 0)->text(), QString("W-2"));

        list->selectRow(2);
        QCOMPARE(sheet.CurrentItem(), 2);
        auto* add = sheet.findChild<QPushButton*>("BTN_ADDTOGUIDE");
        QVERIFY(add->isEnabled());
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(LastText(), std::string("CHARDONNAY BRUT was added to the order guide as line 5."));
        QCOMPARE(db->ScalarInt("select Updated from WorkOrder where AccountID = 7"), 1);
        QTest::mouseClick(add, Qt::LeftButton);
        QCOMPARE(LastText(), std::string("CHARDONNAY BRUT is already in the order guide."));
        QCOMPARE(sheet.AddedCount(), 1);
        QTest::mouseClick(sheet.findChild<QPushButton*>("BTN_DETAILS"), Qt::LeftButton);
        QCOMPARE(detailsAsked, std::vector<int>{2});

        // The guide opens with the new line last, priced.
        zev::OrderHeader order;
        std::vector<int> guideDetails;
        zev::OrderViewContext orders{current, order, Price, {}, {}, nullptr};
        orders.itemDetails = [&](int item) { guideDetails.push_back(item); };
        COrderGuideView guide(*host, orders);
        guide.InitialUpdate();
        QTRY_VERIFY(!guide.Loading());
        const auto& rows = guide.Guide().Rows();
        QCOMPARE(rows.size(), std::size_t(2));
        QCOMPARE(rows.back().itemId, 2);
        QCOMPARE(rows.back().lineItemNumber, 5);
        QCOMPARE(QString::asprintf("%.2f", rows.back().casePrice), QString("20.02"));
        QCOMPARE(guide.List()->Model()->Cell(1, 0).trimmed(), QString("CHARDONNAY BRUT"));
        QVERIFY(guide.List()->Model()->Cell(1, 3).contains("20.02"));
        // Details in the guide opens the item details window of the line's item.
        guide.SelectRow(1);
        guide.OnDetails();
        QCOMPARE(guideDetails, std::vector<int>{2});
    }

    void withoutAnAccountNothingIsAddedAndDetailsNeedsItsWindow()
    {
        current.accountId = -1;
        zev::ProductsViewContext ctx = Context();
        ctx.itemDetails = {};
        zev::CProductBrowseSheet sheet(host->app.settings.config, host->messages, ctx, 0);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        sheet.findChild<QRadioButton*>("BTN_SearchByName")->setChecked(true);
        sheet.findChild<QLineEdit*>("EDT_Keywords")->setText("chard");
        QTest::mouseClick(sheet.findChild<QPushButton*>("BTN_Search"), Qt::LeftButton);
        QCOMPARE(sheet.List()->rowCount(), 4);
        QVERIFY(sheet.CurrentItem() > 0);
        QVERIFY(!sheet.findChild<QPushButton*>("BTN_ADDTOGUIDE")->isEnabled());
        QVERIFY(!sheet.findChild<QPushButton*>("BTN_DETAILS")->isEnabled());
        sheet.OnAddToGuide();
        QCOMPARE(LastText(), std::string("Please select an account first."));
        QCOMPARE(db->ScalarInt("select count(*) from WorkOrderItems"), 1);
    }

    void promotionsFollowTheCatalogueAndAddToTheGuide()
    {
        QVERIFY(db->Exec("insert into Promo values (1, 0, 'Holiday Wine Event', 0, 0, 0, '2026-12-01', '2026-12-31')"));
        QVERIFY(db->Exec("insert into Promo values (1, 1, 'Buy 2 cases, save', 5, 24, 1.50, '2026-12-01', "
                         "'2026-12-31')"));
        QVERIFY(db->Exec("insert into Promo values (1, 2, 'Buy 3 cases, save', 1, 36, 3.00, '2026-12-01', "
                         "'2026-12-31')"));
        QVERIFY(db->Exec("insert into Promo values (2, 0, 'Autumn', 0, 0, 0, '2026-10-01', '2026-10-31')"));
        zev::CPromotionsView view(*host, Context());
        view.InitialUpdate();
        QAbstractItemModelTester tester(view.ItemList()->model());
        QVERIFY(view.CatalogFilter()->isChecked());
        QCOMPARE(view.PromotionList()->model()->rowCount(), 1);
        QCOMPARE(view.ItemList()->model()->rowCount(), 1);
        QCOMPARE(view.ItemList()->Model()->Cell(0, 0), QString("W-1"));
        view.CatalogFilter()->setChecked(false);
        QCOMPARE(view.ItemList()->model()->rowCount(), 2);
        view.CatalogFilter()->setChecked(true);

        QVERIFY(view.AddButton()->isEnabled());
        QTest::mouseClick(view.AddButton(), Qt::LeftButton);
        QCOMPARE(LastText(), std::string("Chardonnay Reserve was added to the order guide as line 5."));
        QCOMPARE(db->Scalar("select printf('%.2f', CDistPrice) from WorkOrderItems where ItemID = 1"),
                 std::string("20.01"));
        QTest::mouseClick(view.DetailsButton(), Qt::LeftButton);
        QCOMPARE(detailsAsked, std::vector<int>{1});
    }

    void itemDetailsPagesFollowTheSwitchBytes_data()
    {
        QTest::addColumn<bool>("optional");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("none") << false << QStringList{"&General", "&Quantities && Prices"};
        QTest::newRow("all") << true << QStringList{"&General", "&Quantities && Prices", "&History",
                                                    "&Notes",   "By the G&lass",         "P&rograms",
                                                    "In&voices"};
    }
    void itemDetailsPagesFollowTheSwitchBytes()
    {
        QFETCH(bool, optional);
        QFETCH(QStringList, tabs);
        zev::ZevConfig config;
        using zev::ItemDetailsData;
        for (std::size_t b :
             {ItemDetailsData::kHistorySwitch, ItemDetailsData::kNotesSwitch, ItemDetailsData::kBtgSwitch,
              ItemDetailsData::kProgramsSwitch, ItemDetailsData::kInvoicesSwitch})
            config.SetByte(b, optional ? 1 : 0);
        zev::CItemDetailsSheet sheet(config, Context(), 2);
        QStringList shown;
        for (int i = 0; i < sheet.Pages()->count(); ++i)
            shown << sheet.Pages()->tabText(i);
        QCOMPARE(shown, tabs);
        QCOMPARE(sheet.Pages()->currentIndex(), 1);
        QCOMPARE(sheet.findChild<QLabel*>("LBL_QPC")->text(), QString("12"));
        QCOMPARE(sheet.findChild<QLabel*>("LBL_CASEPRICE")->text(), QString("$20.02"));
        QCOMPARE(sheet.findChild<QLabel*>("LBL_SKU")->text(), QString("W-2"));
        if (optional) {
            // The calculator starts from the unit price and the item's size.
            QCOMPARE(sheet.findChild<QLineEdit*>("LBL_PRICE")->text(), QString("1.67"));
        }
    }

    void programPagePricesTiersForTheSelectedItem()
    {
        Item(8, "RIESLING", "10", 6);
        QVERIFY(db->Exec("insert into RIPItems values (50, 2)"));
        QVERIFY(db->Exec("insert into RIPItems values (50, 8)"));
        QVERIFY(db->Exec("insert into RIP values (50, 'R-50', 'Spring whites', '5C', 30.00, null, null)"));
        QVERIFY(db->Exec("insert into RIP values (50, 'R-50', 'Spring whites', '10', 12.00, null, null)"));
        zev::CItemDetailsRIPPage page(8);
        QAbstractItemModelTester tester(page.Tiers()->model());
        QCOMPARE(page.Programs()->Model()->Cell(0, 0), QString("R-50"));
        // The shown item is selected: 6 bottles a case.
        QCOMPARE(page.Items()->CurrentRow(), 1);
        QCOMPARE(page.Tiers()->Model()->Cell(0, 2), QString("0.20/btl"));
        QCOMPARE(page.Tiers()->Model()->Cell(1, 2), QString("6.00/cs 1.00/btl"));
        page.Items()->SelectRow(0);
        QCOMPARE(page.Tiers()->Model()->Cell(1, 2), QString("6.00/cs 0.50/btl"));
    }
};

QTEST_MAIN(ProductsToGuideTest)
#include "ProductsToGuideTest.moc"
