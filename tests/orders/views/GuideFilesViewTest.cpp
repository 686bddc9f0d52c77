// The order guide's file commands on the screen: the import dialog (its
// chooser, the empty-file refusal, the Import button waiting for a path), the
// import run from the guide through that dialog with the file remembered and
// moved aside, and the export to the desktop with the account's header.
#include "TestDatabase.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "base/Clock.h"
#include "orders/views/CInventoryImportDlg.h"
#include "orders/views/COrderGuideView.h"
#include "orders/views/GuideFiles.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;
using Kind = zev::InventoryImport::Kind;

namespace {

class FixedClock final : public zev::IClock {
public:
    std::time_t Now() const override { return 1765270800; } // 2025-12-09 09:00:00 UTC
};

zev::ListDefinition GuideList()
{
    zev::ListDefinition list;
    list.number = 1;
    list.name = "OrderGuide";
    list.headings = {"Description", "Cases", "Singles", "Par", "Inv"};
    const std::uint8_t codes[] = {0, 4, 5, 11, 13};
    for (std::size_t i = 0; i < list.headings.size(); ++i) {
        list.widths.push_back(80);
        list.formats.push_back(0);
        list.order.push_back(static_cast<std::uint8_t>(i + 1));
        list.flags.push_back(codes[i]);
    }
    return list;
}

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

class GuideFilesViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    zev::CurrentAccount current;
    zev::OrderHeader order;
    FixedClock clock;
    std::unique_ptr<COrderGuideView> view;

    fs::path Dir() const { return fs::path(dir->path().toStdString()); }
    fs::path OnHand() const { return Dir() / "OnHand"; }
    std::string File(const std::string& name, const std::string& content) const
    {
        fs::create_directories(OnHand());
        std::ofstream(OnHand() / name, std::ios::binary) << content;
        return (OnHand() / name).string();
    }
    std::string LastText() const
    {
        const auto boxes = host->messages.Boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }
    int Inv(int item)
    {
        return db->ScalarInt("select Inv from WorkOrderItems where AccountID = 7 and ItemID = " + std::to_string(item));
    }
    void Open()
    {
        view = std::make_unique<COrderGuideView>(*host, zev::OrderViewContext{current, order, {}, {}, {}, &clock});
        view->resize(1000, 600);
        view->InitialUpdate();
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        // The guide is read on a worker; its commands wait for it.
        QTRY_VERIFY(!view->Loading());
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        host->app.settings.config.SetList(GuideList());
        current = zev::CurrentAccount{};
        current.accountId = 7;
        current.orderCatalog = 10;
        QVERIFY(db->Exec("insert into WorkOrder values (7, 3, 0, 1)"));
        QVERIFY(db->Exec("insert into Accounts (AccountID, CompanyName, Address1, Address2, City, State, Zip, "
                         "AccountNumber) values (7, 'Corner Wines & Spirits', '12 Main St', '', 'Springfield', "
                         "'IL', '62701', '1001')"));
        for (int id : {1, 2, 3}) {
            const std::string n = std::to_string(id);
            QVERIFY(db->Exec("insert into Items (ItemID, Description, QtyPerCase, ProductKind, QtyOnHand, "
                             "DeletedFlag, ItemFlags, SellMultiple, UPC, DistributorSKU, CatalogPage, CategoryID) "
                             "values (" +
                             n + ", 'Item " + n + "', 12, 1, 500, 0, 0, 0, 'U" + n + "', 'S" + n + "', '1', 1)"));
        }
        for (int id : {1, 2})
            QVERIFY(db->Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, CaseQTY, "
                             "SingleQTY, CDistPrice, SDistPrice, LastQty, OrderCount, LineItemNumber, SpecialFlag, "
                             "DiscountAmount, PriceOverride, Par, Inv, RetailPrice, Warehouse, Filter, LineComment, "
                             "HTDItemCount, Updated) values (7, 3, " +
                             std::to_string(id) +
                             ", 10, 0, 0, 24.0, 2.5, "
                             "0, 0, " +
                             std::to_string(id) + ", '0', '0', '0', 10, 2, 0, 0, 0, '', 0, 0)"));
    }

    void cleanup()
    {
        view.reset();
        host.reset();
        dir.reset();
        db.reset();
    }

    void dialogWaitsForAFileAndRefusesAnEmptyOne()
    {
        const std::string empty = File("Empty.txt", "");
        const std::string counts = File("Inventory.txt", "3,U1\n");
        std::string offered, filter;
        std::string answer = empty;
        CInventoryImportDlg dlg(Kind::Counts, "", host->messages,
                                [&](QWidget*, const std::string& path, const std::string& f) {
                                    offered = path;
                                    filter = f;
                                    return answer;
                                });
        QVERIFY(!dlg.OkButton()->isEnabled());
        QVERIFY(dlg.ResetBox()->isChecked());
        QTest::keyClicks(dlg.PathField(), QStringLiteral("/somewhere/Inventory.txt"));
        QVERIFY(dlg.OkButton()->isEnabled());

        dlg.OnBrowse();
        QCOMPARE(offered, std::string("/somewhere/Inventory.txt"));
        QCOMPARE(filter, std::string("OnHand Inventory Files (*.txt);;All Files (*)"));
        QCOMPARE(LastText(), std::string("This file is empty"));
        QCOMPARE(dlg.Path(), std::string("/somewhere/Inventory.txt"));

        answer = counts;
        dlg.OnBrowse();
        QCOMPARE(dlg.Path(), counts);
        answer.clear(); // the chooser cancelled: the path stays
        dlg.OnBrowse();
        QCOMPARE(dlg.Path(), counts);
        QCOMPARE(CInventoryImportDlg::Filter(Kind::CountsAndQuantities),
                 std::string("OnHand Inventory Files (*.inv);;All Files (*)"));
    }

    void startPathIsTheLastFileElseTheScannerFolder()
    {
        zev::ZevFolders folders(Dir().string(), Dir().string());
        QCOMPARE(zev::GuideFiles::ImportStartPath(host->profile, folders, Kind::CountsAndQuantities),
                 (OnHand() / "Inventory.inv").string());
        const std::string path = File("Counts.txt", "1,U1\n");
        QVERIFY(host->profile.SetText("ImportFile", path));
        QCOMPARE(zev::GuideFiles::ImportStartPath(host->profile, folders, Kind::Counts), path);
        QVERIFY(host->profile.SetText("ImportFile", "/no/such/folder/Inventory.txt"));
        QCOMPARE(zev::GuideFiles::ImportStartPath(host->profile, folders, Kind::Counts),
                 (OnHand() / "Inventory.txt").string());
    }

    void importThroughTheDialogFromTheGuide()
    {
        host->app.settings.config.SetByte(zev::cfg::kOrderUpToPar, 1);
        const std::string path = File("Inventory.txt", "3,U1\n4,S3\n1,NOPE\n");
        Open();
        // The dialog opens modal; answer it as the user would, from the keyboard.
        QTimer::singleShot(0, this, [&] {
            auto* dlg = qobject_cast<CInventoryImportDlg*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            QCOMPARE(dlg->Path(), (OnHand() / "Inventory.txt").string());
            QTest::keyClick(dlg->ResetBox(), Qt::Key_Space); // add to the counts rather than replace them
            QTest::keyClick(dlg->PathField(), Qt::Key_Return);
        });
        QTest::mouseClick(view->Button("BTN_IMPORT"), Qt::LeftButton);

        QCOMPARE(Inv(1), 2 + 3);
        QCOMPARE(Inv(2), 2);
        QCOMPARE(Inv(3), 4); // added to the guide
        // Ordered up to par: 10 - 5, 10 - 2, and 0 par for the new item.
        QCOMPARE(db->ScalarInt("select SingleQTY from WorkOrderItems where ItemID = 1"), 5);
        QCOMPARE(db->ScalarInt("select SingleQTY from WorkOrderItems where ItemID = 2"), 8);
        QCOMPARE(db->ScalarInt("select count(*) from InvImport where AccountID = 7 and Type = 0 and ImportEntries "
                               "= 3 and InvEntries = 3 and OrderGuideEntries = 3 and ErrorCount = 1 and AddCount = 1"),
                 1);
        QVERIFY(LastText().find("They are:\nNOPE") != std::string::npos);
        QCOMPARE(host->profile.GetText("ImportFile"), path);
        QVERIFY(!fs::exists(path));
        QVERIFY(fs::exists(OnHand() / "Inventory for Corner Wines & Spirits (1001) 12-09-25 09.00.00.txt"));
        // The screen shows the guide as written, the new row last and current.
        QCOMPARE(view->List()->Model()->rowCount(), 3);
        QCOMPARE(view->List()->CurrentRow(), 2);
        QCOMPARE(view->Guide().Rows()[2].itemId, 3);
    }

    void aRefusedImportLeavesTheScreenAsItWas()
    {
        Open();
        QVERIFY(!view->RunImport((OnHand() / "Missing.txt").string(), true));
        QCOMPARE(LastText(), std::string("Unable to find inventory file."));
        QVERIFY(!view->RunImport(File("Inventory.txt", "\n\n"), true));
        QCOMPARE(LastText(), std::string("Inventory file is empty."));
        QCOMPARE(Inv(1), 2);
        QCOMPARE(db->ScalarInt("select count(*) from InvImport"), 0);
        QCOMPARE(view->List()->Model()->rowCount(), 2);
    }

    void exportWritesTheGuideToTheDesktop()
    {
        const fs::path desktop = Dir() / "Desktop";
        fs::create_directories(desktop);
        const QByteArray saved = qgetenv("XDG_DESKTOP_DIR");
        qputenv("XDG_DESKTOP_DIR", QByteArray::fromStdString(desktop.string()));
        Open();
        QTest::mouseClick(view->Button("BTN_EXPORT"), Qt::LeftButton);
        if (saved.isEmpty())
            qunsetenv("XDG_DESKTOP_DIR");
        else
            qputenv("XDG_DESKTOP_DIR", saved);
        QCOMPARE(LastText(), std::string("Order Guide 090000.XML has been created on your desktop"));
        const std::string xml = Slurp(desktop / "Order Guide 090000.XML");
        // The account's name and address head the page; the two lines follow.
        QVERIFY(xml.find("Corner Wines") != std::string::npos);
        QVERIFY(xml.find("&#10;12 Main St&#10;Springfield, IL 62701&#10;") != std::string::npos);
        QVERIFY(xml.find("Item 1 (12/cs)") != std::string::npos);
        QVERIFY(xml.find("Item 2 (12/cs)") != std::string::npos);
    }

    void scanButtonOpensExpressEntryWhereOffered()
    {
        host->app.settings.config.SetByte(zev::cfg::kExpressEntry, 1);
        host->screens.insert(zev::Screen::ExpressEntry);
        Open();
        QVERIFY(view->Button("BTN_SCAN")->isVisible());
        QTest::mouseClick(view->Button("BTN_SCAN"), Qt::LeftButton);
        QCOMPARE(host->switches, std::vector<zev::Screen>{zev::Screen::ExpressEntry});

        host->app.settings.config.SetByte(zev::cfg::kExpressEntry, 0);
        Open();
        QVERIFY(!view->Button("BTN_SCAN")->isVisible());
    }
};

QTEST_MAIN(GuideFilesViewTest)
#include "GuideFilesViewTest.moc"
