// The keypad screen driven by key events and clicks over a real SQLite
// guide: keys typed go through the keypad at the caret, Enter looks up, the
// mnemonics run the buttons, every change reaches the table, and the screen
// greys what cannot work.
#include "TestDatabase.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "orders/views/CExpressEntryView.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class ExpressEntryViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    zev::CurrentAccount current;
    zev::OrderHeader order;
    std::unique_ptr<CExpressEntryView> view;

    void AddItem(int id, const std::string& sku, const std::string& upc, int perCase)
    {
        QVERIFY(db->Exec("insert into Items (ItemID, Description, QtyPerCase, ProductKind, QtyOnHand, DeletedFlag, "
                         "ItemFlags, SellMultiple, UPC, DistributorSKU, CatalogPage, CategoryID) values (" +
                         std::to_string(id) + ", 'Item " + std::to_string(id) + "', " + std::to_string(perCase) +
                         ", 1, 500, 0, 0, 0, '" + upc + "', '" + sku + "', '1', 1)"));
    }

    void Open()
    {
        view.reset();
        zev::PriceBinding::PriceFn price = [](int, float& c, float& s, int, int, unsigned) {
            c = 30.0f;
            s = 2.75f;
            return true;
        };
        view =
            std::make_unique<CExpressEntryView>(*host, zev::OrderViewContext{current, order, price, {}, {}, nullptr});
        view->resize(900, 500);
        view->InitialUpdate();
        view->show();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(view->EntryField()));
    }

    QString Shown(const char* label) const { return view->Label(label)->text(); }
    QLineEdit* Entry() const { return view->EntryField(); }
    std::string LastText() const
    {
        const auto boxes = host->messages.Boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }
    std::string Column(int item, const std::string& column)
    {
        return db->Scalar("select " + column +
                          " from WorkOrderItems where AccountID = 7 and ItemID = " + std::to_string(item));
    }
    void Type(const char* text) { QTest::keyClicks(Entry(), QString::fromLatin1(text)); }
    // A button's mnemonic, as a keyboard user presses it; the button clicks
    // itself a moment later.
    void Press(const char* button, Qt::Key key)
    {
        QSignalSpy clicked(view->Button(button), &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QVERIFY2(clicked.count() == 1 || clicked.wait(2000), button);
    }
    void LookUp(const char* code)
    {
        Type(code);
        QTest::keyClick(Entry(), Qt::Key_Return);
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        zev::ZevConfig& config = host->app.settings.config;
        config.SetByte(zev::cfg::kLargeOrderStep, 10); // 50 cases or more ask first
        config.SetInt32(zev::cfg::kDealCodeMin, 1);
        config.SetInt32(zev::cfg::kDealCodeMax, 20);
        current = zev::CurrentAccount{};
        current.accountId = 7;
        current.orderCatalog = 10;
        QVERIFY(db->Exec("insert into WorkOrder values (7, 3, 0, 1)"));
        AddItem(1, "S1", "U1", 12);
        AddItem(2, "S2", "0777", 6);
        QVERIFY(db->Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, CaseQTY, SingleQTY, "
                         "CDistPrice, SDistPrice, LastQty, OrderCount, LineItemNumber, SpecialFlag, DiscountAmount, "
                         "PriceOverride, Par, Inv, RetailPrice, Warehouse, Filter, LineComment, HTDItemCount, "
                         "Updated) values (7, 3, 1, 10, 1, 3, 24.0, 2.5, 0, 0, 4, '0', '0', '0', 2, 4, 0, 0, 0, '', "
                         "0, 0)"));
    }

    void cleanup()
    {
        view.reset();
        host.reset();
        dir.reset();
        db.reset();
    }

    void keysMirrorTheKeypadAtTheCaret()
    {
        Open();
        Type("1234");
        QTest::keyClick(Entry(), Qt::Key_Left);
        QTest::keyClick(Entry(), Qt::Key_Left);
        // A held key shows its keypad button pressed until it is let go.
        QTest::keyPress(Entry(), Qt::Key_9, Qt::NoModifier);
        QVERIFY(view->Button("BTN_9")->isDown());
        QTest::keyRelease(Entry(), Qt::Key_9, Qt::NoModifier);
        QVERIFY(!view->Button("BTN_9")->isDown());
        QCOMPARE(Entry()->text(), QStringLiteral("12934"));
        QCOMPARE(Entry()->cursorPosition(), 3);
        QTest::keyClicks(Entry(), QStringLiteral("B"));
        QVERIFY(!view->Button("BTN_B")->isDown());
        QCOMPARE(Entry()->text(), QStringLiteral("129B34"));
        QCOMPARE(view->Logic()->Caret(), std::size_t(4));

        // A click on the keypad goes in at the same caret, and the field keeps the focus.
        QTest::mouseClick(view->Button("BTN_0"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Entry()));
        QCOMPARE(Entry()->text(), QStringLiteral("129B034"));

        // Letters off the keypad (a scanned SKU) go straight into the field.
        QTest::keyClick(Entry(), Qt::Key_Escape);
        QCOMPARE(Entry()->text(), QString());
        Type("xS");
        QCOMPARE(Entry()->text(), QStringLiteral("xS"));
    }

    void enterLooksUpAndGreysWhatCannotWork()
    {
        Open();
        QVERIFY(!view->Button("BTN_LOOKUP")->isEnabled());
        QVERIFY(!view->Button("BTN_ZERO")->isEnabled());
        LookUp("NOPE");
        QCOMPARE(LastText(), std::string("Sorry, item not found."));
        QVERIFY(!view->Logic()->HasItem());
        QVERIFY(!view->Button("BTN_OVERRIDE")->isEnabled());

        LookUp("S1");
        QCOMPARE(Shown("LBL_SKU"), QStringLiteral("S1"));
        QCOMPARE(Shown("LBL_UPC"), QStringLiteral("U1"));
        QCOMPARE(Shown("LBL_INVENTORY"), QStringLiteral("1 / 3"));
        QCOMPARE(Shown("LBL_COUNT"), QStringLiteral("4"));
        QCOMPARE(Shown("LBL_PAR"), QStringLiteral("2"));
        QCOMPARE(Entry()->text(), QString());
        QVERIFY(view->Button("BTN_ZERO")->isEnabled());
        QVERIFY(!view->Button("BTN_CASES")->isEnabled()); // nothing keyed yet
        Type("5");
        QVERIFY(view->Button("BTN_CASES")->isEnabled());
    }

    void aScannedUpcIsAddedToTheGuideByMouse()
    {
        Open();
        for (const char* key : {"BTN_0", "BTN_7", "BTN_7", "BTN_7"})
            QTest::mouseClick(view->Button(key), Qt::LeftButton);
        QTest::mouseClick(view->Button("BTN_LOOKUP"), Qt::LeftButton);
        QCOMPARE(Shown("LBL_SKU"), QStringLiteral("S2"));
        QCOMPARE(Shown("LBL_CASEPRICE"), QStringLiteral("30.00"));
        QCOMPARE(Column(2, "LineItemNumber"), std::string("5"));
        QCOMPARE(db->ScalarInt("select Updated from WorkOrder where AccountID = 7"), 1);
    }

    void casesAndSinglesByKeyboard_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const int yes = static_cast<int>(zev::MbResult::Yes);
        const int no = static_cast<int>(zev::MbResult::No);
        QTest::newRow("1000 cases refused") << "1000" << int(Qt::Key_C) << yes << "1 / 3"
                                            << "Case quantities are not allowed to go over 999.";
        QTest::newRow("999 cases after the question") << "999" << int(Qt::Key_C) << yes << "999 / 3"
                                                      << "You have tried to order 999 cases. Are you sure about this?";
        QTest::newRow("No keeps the cases") << "50" << int(Qt::Key_C) << no << "1 / 3"
                                            << "You have tried to order 50 cases. Are you sure about this?";
        QTest::newRow("below the threshold asks nothing") << "49" << int(Qt::Key_C) << yes << "49 / 3"
                                                          << "";
        QTest::newRow("30 singles carry into cases") << "30" << int(Qt::Key_S) << yes << "2 / 6"
                                                     << "";
        QTest::newRow("singles below a case keep the cases") << "7" << int(Qt::Key_S) << yes << "1 / 7"
                                                             << "";
    }
    void casesAndSinglesByKeyboard()
    {
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        Open();
        LookUp("S1");
        host->messages.Clear();
        host->messages.Queue(static_cast<zev::MbResult>(answer));
        Type(typed.toLatin1().constData());
        Press(button == Qt::Key_S ? "BTN_SINGLES" : "BTN_CASES", static_cast<Qt::Key>(button));
        QCOMPARE(Shown("LBL_INVENTORY"), shown);
        QCOMPARE(QString::fromStdString(LastText()), message);
        const QStringList parts = shown.split(" / ");
        QCOMPARE(QString::fromStdString(Column(1, "CaseQTY")), parts[0]);
        QCOMPARE(QString::fromStdString(Column(1, "SingleQTY")), parts[1]);
        QCOMPARE(db->ScalarInt("select Updated from WorkOrder where AccountID = 7"), shown == "1 / 3" ? 0 : 1);
        QCOMPARE(Entry()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Entry()));
    }

    void dealDiscountOverrideAndZero()
    {
        Open();
        LookUp("S1");
        Type("125");
        Press("BTN_DISCOUNT", Qt::Key_I);
        QCOMPARE(Shown("LBL_DISCOUNT"), QStringLiteral("1.25"));
        QCOMPARE(Column(1, "DiscountAmount"), std::string("1.25"));
        Type("21");
        Press("BTN_DEAL", Qt::Key_E);
        QCOMPARE(LastText(), std::string("Sorry, but the deal code submitted is invalid."));
        Type("7");
        Press("BTN_DEAL", Qt::Key_E);
        QCOMPARE(Shown("LBL_DEAL"), QStringLiteral("7"));
        Press("BTN_OVERRIDE", Qt::Key_O); // nothing keyed: FREE
        QCOMPARE(Shown("LBL_OVERRIDE"), QStringLiteral("FREE"));
        Press("BTN_ZERO", Qt::Key_Z);
        QCOMPARE(Shown("LBL_INVENTORY"), QStringLiteral("0 / 0"));
        QCOMPARE(Column(1, "Inv"), std::string("0"));
        QCOMPARE(Column(1, "Par"), std::string("2"));
    }

    void parButtonFillsToPar()
    {
        host->app.settings.config.SetByte(zev::cfg::kInvParEntersInventory, 1);
        host->app.settings.config.SetByte(zev::cfg::kInvParFillsToPar, 1);
        Open();
        QCOMPARE(view->Button("BTN_INVPAR")->text(), QStringLiteral("&Par"));
        LookUp("S1");
        Type("10");
        Press("BTN_INVPAR", Qt::Key_P);
        QCOMPARE(Column(1, "Par"), std::string("10"));
        QCOMPARE(Column(1, "CaseQTY"), std::string("6"));
        QCOMPARE(Column(1, "Inv"), std::string("4"));
    }

    void inventoryButtonWhenItEntersTheCount()
    {
        host->app.settings.config.SetByte(zev::cfg::kInvParEntersInventory, 1);
        Open();
        QCOMPARE(view->Button("BTN_INVPAR")->text(), QStringLiteral("In&v"));
        LookUp("S1");
        Type("9");
        Press("BTN_INVPAR", Qt::Key_V);
        QCOMPARE(Shown("LBL_COUNT"), QStringLiteral("9"));
        QCOMPARE(Column(1, "Par"), std::string("2"));
    }

    void doneAndCancelLeave_data()
    {
        QTest::addColumn<bool>("toGuide");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("screen");
        QTest::newRow("Done to the account list") << false << int(Qt::Key_D) << 4;
        QTest::newRow("Done to the order guide") << true << int(Qt::Key_D) << 5;
        QTest::newRow("Cancel to the account list") << true << int(Qt::Key_N) << 4;
    }
    void doneAndCancelLeave()
    {
        QFETCH(bool, toGuide);
        QFETCH(int, key);
        QFETCH(int, screen);
        host->app.settings.config.SetByte(zev::cfg::kExpressDoneToGuide, toGuide ? 1 : 0);
        Open();
        Press(key == Qt::Key_D ? "BTN_DONE" : "BTN_CANCEL", static_cast<Qt::Key>(key));
        QCOMPARE(host->switches, std::vector<zev::Screen>{static_cast<zev::Screen>(screen)});
    }

    void anAccountWithoutAGuideOffersOnlyLeaving()
    {
        QVERIFY(db->Exec("delete from WorkOrder"));
        view = std::make_unique<CExpressEntryView>(*host, zev::OrderViewContext{current, order, {}, {}, {}, nullptr});
        view->InitialUpdate();
        QVERIFY(view->Logic() == nullptr);
        QVERIFY(!Entry()->isEnabled());
        QVERIFY(!view->Button("BTN_5")->isEnabled());
        QVERIFY(view->Button("BTN_CANCEL")->isEnabled());
        QCOMPARE(Shown("LBL_DESCRIPTION"), QStringLiteral("This account has no order guide."));
        view->OnKey('5'); // a stray command changes nothing
        QCOMPARE(Entry()->text(), QString());
    }

    void everyControlHasAName()
    {
        Open();
        for (QWidget* w : view->findChildren<QWidget*>()) {
            if (qobject_cast<QPushButton*>(w) || qobject_cast<QLineEdit*>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(ExpressEntryViewTest)
#include "ExpressEntryViewTest.moc"
