// The product search page wired to the search logic over a real database:
// which fields each mode and setting shows, the messages for bad or empty
// searches, and a found result handed on.
#include "app/core/ZevConfig.h"
#include "products/views/CItemDetailsBTGCalculatorPage.h"
#include "products/views/CItemDetailsProductNotesPage.h"
#include "products/views/CProductBrowsePage.h"
#include "products/views/CProductBrowseSheet.h"
#include "products/views/CProductSearchPage.h"
#include "tables/Items.h"

#include "TestDatabase.h"
#include "tests/app/core/FakeMessageBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using zev::CProductSearchPage;
using zev::ProductSearchSwitches;

class ProductsViewsTest : public QObject {
    Q_OBJECT

private:
    template <typename T> static T* Find(QWidget& page, const char* name)
    {
        auto* w = page.findChild<T*>(name);
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    // Visible within the page, whether or not the page is on screen.
    static bool Shown(QWidget& page, const char* name) { return Find<QWidget>(page, name)->isVisibleTo(&page); }

private slots:
    void simpleModeShowsOnlyTheChoiceAndKeywords()
    {
        zev::test::TestDatabase db;
        FakeMessageBox box;
        CProductSearchPage page({}, box, [] { return std::optional<int>(); });
        QVERIFY(Shown(page, "BTN_SearchByNumber"));
        QVERIFY(Shown(page, "LBL_ItemNumberLabel"));
        QVERIFY(!Shown(page, "LBL_DescriptionLabel"));
        QVERIFY(!Shown(page, "EDT_CasePriceLow"));
        QVERIFY(!Shown(page, "LST_Divisions"));
        Find<QRadioButton>(page, "BTN_SearchByName")->setChecked(true);
        QVERIFY(Shown(page, "LBL_DescriptionLabel"));
        QVERIFY(!Shown(page, "LBL_ItemNumberLabel"));
        QCOMPARE(Find<QComboBox>(page, "LST_Divisions")->itemText(0), QString("None"));
    }

    void advancedModeFollowsTheSettings_data()
    {
        QTest::addColumn<bool>("unitOnly");
        QTest::addColumn<bool>("divisionsHidden");
        QTest::addColumn<bool>("ratings");
        QTest::newRow("all shown") << false << false << true;
        QTest::newRow("unit price, no divisions, no ratings") << true << true << false;
    }
    void advancedModeFollowsTheSettings()
    {
        QFETCH(bool, unitOnly);
        QFETCH(bool, divisionsHidden);
        QFETCH(bool, ratings);
        zev::test::TestDatabase db;
        FakeMessageBox box;
        ProductSearchSwitches switches;
        switches.unitPriceOnly = unitOnly;
        switches.divisionsHidden = divisionsHidden;
        switches.ratingsShown = ratings;
        CProductSearchPage page(switches, box, [] { return std::optional<int>(); });
        Find<QRadioButton>(page, "BTN_Advanced")->setChecked(true);
        QVERIFY(!Shown(page, "BTN_SearchByName"));
        QVERIFY(Shown(page, "LBL_KeyWordsLabel"));
        QVERIFY(Shown(page, "EDT_CasePriceHigh"));
        QCOMPARE(Shown(page, "LBL_UnitPriceLabel"), unitOnly);
        QCOMPARE(Shown(page, "EDT_SinglePriceLow"), !unitOnly);
        QCOMPARE(Shown(page, "LST_Divisions"), !divisionsHidden);
        QCOMPARE(Shown(page, "EDT_WineRatingLow"), ratings);
    }

    void emptyOrFruitlessSearchesTellTheUser()
    {
        zev::test::TestDatabase db;
        FakeMessageBox box;
        CProductSearchPage page({}, box, [] { return std::optional<int>(); });
        int results = 0;
        page.onResult = [&](std::shared_ptr<zev::Items>) { ++results; };
        QTest::mouseClick(Find<QPushButton>(page, "BTN_Search"), Qt::LeftButton);
        QCOMPARE(box.shown.size(), std::size_t(1));
        QCOMPARE(box.shown[0].textId, 65073);
        Find<QLineEdit>(page, "EDT_Keywords")->setText("12345");
        QVERIFY(!page.Search());
        QCOMPARE(box.shown.back().textId, 65037);
        QCOMPARE(results, 0);
    }

    void aFoundItemIsHandedOn()
    {
        zev::test::TestDatabase db;
        QVERIFY(db.Exec("insert into Items (ItemID, Description, DistributorSKU, ValidCatalogs, DeletedFlag) values "
                        "(1, 'O''BRIEN STOUT', '55501', ',10,', 0)"));
        FakeMessageBox box;
        CProductSearchPage page({}, box, [] { return std::optional<int>(10); });
        std::shared_ptr<zev::Items> result;
        page.onResult = [&](std::shared_ptr<zev::Items> items) { result = std::move(items); };
        Find<QRadioButton>(page, "BTN_SearchByName")->setChecked(true);
        Find<QLineEdit>(page, "EDT_Keywords")->setText("o'brien");
        QTest::keyClick(Find<QLineEdit>(page, "EDT_Keywords"), Qt::Key_Return);
        QVERIFY(result);
        QCOMPARE(result->GetFieldValueInt(0), 1);
        QVERIFY(box.shown.empty());
    }

    void calculatorPageWorksBothWays()
    {
        zev::CItemDetailsBTGCalculatorPage page(12.00, "750ML");
        auto* bottle = Find<QComboBox>(page, "LBL_BOTSIZE");
        QCOMPARE(bottle->currentText(), QString("750 ml"));
        QCOMPARE(Find<QLineEdit>(page, "LBL_PRICE")->text(), QString("12.00"));
        QTest::keyClicks(Find<QLineEdit>(page, "LBL_MARGIN"), "100");
        // Nothing is computed before a serving size is chosen.
        QCOMPARE(Find<QLineEdit>(page, "LBL_PERSERV")->text(), QString());
        Find<QComboBox>(page, "LBL_SERVSIZE")->setCurrentIndex(5); // 5 oz
        QCOMPARE(Find<QLineEdit>(page, "LBL_PERSERV")->text(), QString("4.71"));
        QCOMPARE(Find<QLabel>(page, "LBL_SERVPERBOT")->text(), QString("5.1"));
        QCOMPARE(Find<QLabel>(page, "LBL_MARGINPERBOT")->text(), QString("$12.00"));

        auto* perServing = Find<QLineEdit>(page, "LBL_PERSERV");
        perServing->clear();
        QTest::keyClicks(perServing, "4.567");
        QCOMPARE(perServing->text(), QString("4.56"));
        QCOMPARE(Find<QLineEdit>(page, "LBL_MARGIN")->text(), QString("93"));

        zev::CItemDetailsBTGCalculatorPage unknown(9.5, "MAGNUM");
        QCOMPARE(Find<QComboBox>(unknown, "LBL_BOTSIZE")->currentIndex(), -1);
    }

    void categoryPageListsOnlyLeafCategories()
    {
        zev::test::TestDatabase db;
        QVERIFY(db.Exec("insert into Category values (1, 'WINE', 1, 1, 0)"));
        QVERIFY(db.Exec("insert into Category values (10, 'RED', 1, 1, 0)"));
        QVERIFY(db.Exec("insert into Category values (20, 'CABERNET', 10, 0, 0)"));
        QVERIFY(db.Exec("insert into Category values (11, 'ROSE', 1, 0, 0)"));
        QVERIFY(db.Exec("insert into Items (ItemID, Description, CategoryID, DeletedFlag) values (1, 'CAB', 20, 0)"));
        QVERIFY(db.Exec("insert into Items (ItemID, Description, CategoryID, DeletedFlag) values (2, 'OLD', 11, 1)"));
        FakeMessageBox box;
        zev::CProductBrowsePage page(box);
        std::shared_ptr<zev::Items> result;
        page.onResult = [&](std::shared_ptr<zev::Items> items) { result = std::move(items); };
        auto* tree = Find<QTreeWidget>(page, "LST_CATEGORYTREE");
        auto* list = Find<QPushButton>(page, "BTN_LIST");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem* wine = tree->topLevelItem(0);
        QVERIFY(wine->isExpanded());
        QCOMPARE(wine->childCount(), 2);
        QTreeWidgetItem* red = wine->child(0);
        QCOMPARE(red->text(0), QString("Red"));
        // A category with sub-categories keeps List disabled.
        tree->setCurrentItem(red);
        QVERIFY(!list->isEnabled());
        QVERIFY(!page.ListSelected());
        red->setExpanded(true);
        QCOMPARE(red->childCount(), 1);
        tree->setCurrentItem(red->child(0));
        QVERIFY(list->isEnabled());
        QTest::mouseClick(list, Qt::LeftButton);
        QVERIFY(result);
        QCOMPARE(result->GetFieldValueInt(0), 1);
        // A leaf whose only item is deleted finds nothing.
        tree->setCurrentItem(wine->child(1));
        QVERIFY(!page.ListSelected());
        QCOMPARE(box.shown.back().textId, 65037);
    }

    void sheetPagesFollowTheSettingsAndShowTheResult()
    {
        zev::test::TestDatabase db;
        QVERIFY(db.Exec("insert into Items (ItemID, Description, DistributorSKU, ItemVolume, QtyOnHand, Rating, "
                        "DeletedFlag) values (1, 'CHARDONNAY', '12345', '750ML', 40, 91, 0)"));
        FakeMessageBox box;
        zev::ZevConfig config;
        // Without the search page Browse starts on the category page, the first.
        config.SetByte(19, 1);
        QCOMPARE(zev::CProductBrowseSheet::BrowseStart(config), 0);
        zev::CProductBrowseSheet noSearch(config, box, {}, 0);
        QCOMPARE(noSearch.Pages()->count(), 2);
        QVERIFY(!noSearch.findChild<QLineEdit*>("EDT_Keywords"));

        config.SetByte(22, 1);
        QCOMPARE(zev::CProductBrowseSheet::BrowseStart(config), 1);
        zev::CProductBrowseSheet sheet(config, box, {}, 0);
        QCOMPARE(sheet.windowTitle(), QString("Products"));
        QCOMPARE(sheet.Pages()->count(), 3);
        QCOMPARE(sheet.Pages()->currentIndex(), 0);
        auto* keywords = Find<QLineEdit>(sheet, "EDT_Keywords");
        auto* search = dynamic_cast<zev::CProductSearchPage*>(keywords->parentWidget());
        QVERIFY(search);
        keywords->setText("12345");
        QVERIFY(search->Search());
        QVERIFY(sheet.Result());
        auto* list = Find<QTableWidget>(sheet, "LST_Products");
        QCOMPARE(sheet.Pages()->currentWidget(), list->parentWidget());
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->item(0, 0)->text(), QString("12345"));
        QCOMPARE(list->item(0, 1)->text(), QString("CHARDONNAY"));
        QCOMPARE(list->item(0, 4)->data(Qt::DisplayRole).toInt(), 40);
        QCOMPARE(list->item(0, 5)->data(Qt::DisplayRole).toInt(), 91);
    }

    void notesPageShowsNotesWithLineBreaksOrTheEmptyText()
    {
        zev::test::TestDatabase db;
        QVERIFY(db.Exec("insert into ProductNotes values (5, ' Oak~Cool ', null, 'Pairs with fish')"));
        zev::CItemDetailsProductNotesPage page(5, {"Tasting", "Awards", "Food"});
        QCOMPARE(Find<QPlainTextEdit>(page, "LBL_NOTE1")->toPlainText(), QString("Oak\nCool"));
        QCOMPARE(Find<QPlainTextEdit>(page, "LBL_NOTE2")->toPlainText(), QString("No information available."));
        QCOMPARE(Find<QLabel>(page, "LBL_LBLNOTE3")->text(), QString("Food"));
        QVERIFY(!Find<QPlainTextEdit>(page, "LBL_NOTE1")->textCursor().hasSelection());
    }
};

QTEST_MAIN(ProductsViewsTest)
#include "ProductsViewsTest.moc"
