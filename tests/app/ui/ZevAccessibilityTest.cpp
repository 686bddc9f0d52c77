#include "app/ui/ZevAccessibility.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevBaseView.h"
#include "app/ui/CZevDialog.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/QtProgressSink.h"
#include "tests/app/ui/AccessibilityWalk.h"
#include "tests/app/ui/AccessibleEventLog.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <fstream>
#include <thread>

namespace {

QString NameOf(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

bool Has(const QStringList& faults, const QString& start)
{
    for (const QString& f : faults)
        if (f.startsWith(start))
            return true;
    return false;
}

} // namespace

class ZevAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_ini = m_dir.filePath(QStringLiteral("ZevSatchel.INI")).toStdString();
    }

    // The walk itself must see what a screen reader user would miss, and
    // stay quiet on a window that has none of it.
    void walkFindsUnnamedDuplicateAndMisorderedControls()
    {
        QWidget window;
        auto* box = new QGroupBox(QStringLiteral("Sign in"), &window);
        auto* user = new QLineEdit(box);
        auto* password = new QLineEdit(box);
        auto* inner = new QVBoxLayout(box);
        inner->addWidget(user);
        inner->addWidget(password);
        auto* choice = new QComboBox(box); // a value, but no caption
        choice->addItem(QStringLiteral("All"));
        inner->addWidget(choice);
        auto* icon = new QPushButton(&window);
        auto* list = new QTableView(&window);
        auto* total = new QLabel(QStringLiteral("$12.50"), &window);
        total->setAccessibleName(QStringLiteral("Order total"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(total);
        layout->addWidget(box);
        layout->addWidget(icon);
        layout->addWidget(list);
        QWidget::setTabOrder(password, user); // Tab climbs from the password to the user ID
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const AccessibilityWalk walk(&window);
        const QStringList names = walk.NameFaults();
        QVERIFY2(Has(names, QStringLiteral("inputs sharing the name \"sign in\"")), qPrintable(names.join('\n')));
        QVERIFY2(Has(names, QStringLiteral("button without a name: QPushButton")), qPrintable(names.join('\n')));
        QVERIFY2(Has(names, QStringLiteral("focusable control without a name: QTableView")),
                 qPrintable(names.join('\n')));
        QVERIFY2(Has(names, QStringLiteral("focusable control without a name: QComboBox")),
                 qPrintable(names.join('\n')));
        QVERIFY2(Has(names, QStringLiteral("label whose name \"Order total\" hides its text \"$12.50\"")),
                 qPrintable(names.join('\n')));
        QVERIFY(Has(walk.FocusOrderFaults(), QStringLiteral("Tab goes from QLineEdit")));

        // Named and in order, the same window passes; a hidden control is
        // not judged.
        user->setAccessibleName(QStringLiteral("User ID"));
        password->setAccessibleName(QStringLiteral("Password"));
        icon->setAccessibleName(QStringLiteral("Refresh"));
        list->setAccessibleName(QStringLiteral("Accounts"));
        choice->setAccessibleName(QStringLiteral("Filter"));
        total->setAccessibleName(QStringLiteral("Order total: $12.50"));
        QWidget::setTabOrder(user, password);
        auto* hidden = new QPushButton(&window);
        hidden->hide();
        QCOMPARE(walk.NameFaults(), QStringList());
        QCOMPARE(walk.FocusOrderFaults(), QStringList());
        QCOMPARE(walk.InputNames(),
                 (QStringList{QStringLiteral("User ID"), QStringLiteral("Password"), QStringLiteral("Filter")}));
    }

    void walkAcceptsASecondColumnAndWantsADefaultButton()
    {
        QDialog dialog;
        auto* grid = new QGridLayout(&dialog);
        QLineEdit* fields[4];
        for (int i = 0; i < 4; ++i) {
            fields[i] = new QLineEdit(&dialog);
            fields[i]->setAccessibleName(QStringLiteral("Field %1").arg(i));
            grid->addWidget(fields[i], i % 2, i / 2); // down the left column, then the right
        }
        auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
        grid->addWidget(ok, 2, 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(AccessibilityWalk(&dialog).FocusOrderFaults(), QStringList());
        // The left column's second field first, then up to its first: wrong.
        QWidget::setTabOrder(fields[1], fields[0]);
        QVERIFY(!AccessibilityWalk(&dialog).FocusOrderFaults().isEmpty());

        ok->setAutoDefault(false);
        ok->setDefault(false);
        QCOMPARE(AccessibilityWalk::DefaultButtonFaults(&dialog).size(), 1);
        ok->setDefault(true);
        QCOMPARE(AccessibilityWalk::DefaultButtonFaults(&dialog), QStringList());
    }

    // Two fields in one titled group: each says its own caption, however
    // the screen placed the caption.
    void fieldsTakeTheCaptionBesideThem_data()
    {
        QTest::addColumn<QString>("arrangement");
        QTest::newRow("form rows") << "form";
        QTest::newRow("grid cells") << "grid";
        QTest::newRow("label above field") << "column";
        QTest::newRow("same layout name") << "names";
    }

    void fieldsTakeTheCaptionBesideThem()
    {
        QFETCH(QString, arrangement);
        FakeScreenHost host(m_dir.path().toStdString());
        CZevBaseView view(host, "LoginView");
        auto* box = new QGroupBox(QStringLiteral("Sign in"), &view);
        auto* userLabel = new QLabel(QStringLiteral("&User ID:"), box);
        auto* passwordLabel = new QLabel(QStringLiteral("Password:"), box);
        auto* user = new QLineEdit(box);
        auto* password = new QSpinBox(box);
        if (arrangement == QLatin1String("form")) {
            auto* form = new QFormLayout(box);
            form->addRow(userLabel, user);
            form->addRow(passwordLabel, password);
        } else if (arrangement == QLatin1String("grid")) {
            auto* grid = new QGridLayout(box);
            grid->addWidget(userLabel, 0, 0);
            grid->addWidget(user, 0, 1);
            grid->addWidget(passwordLabel, 1, 0);
            grid->addWidget(password, 1, 1);
        } else if (arrangement == QLatin1String("column")) {
            auto* column = new QVBoxLayout(box);
            column->addWidget(userLabel);
            column->addWidget(user);
            column->addStretch();
            column->addWidget(passwordLabel);
            column->addWidget(password);
        } else {
            // Captions in a row of their own, fields in another: only the
            // layout names tie them.
            auto* column = new QVBoxLayout(box);
            auto* captions = new QHBoxLayout;
            captions->addWidget(passwordLabel);
            captions->addWidget(userLabel);
            auto* fields = new QHBoxLayout;
            fields->addWidget(user);
            fields->addWidget(password);
            column->addLayout(captions);
            column->addLayout(fields);
        }
        (new QVBoxLayout(&view))->addWidget(box);
        view.AddControl(1, QStringLiteral("EDT_USERID"), user);
        view.AddControl(2, QStringLiteral("SPN_PASSWORD"), password);
        view.AddControl(3, QStringLiteral("LBL_USERID"), userLabel);
        view.AddControl(4, QStringLiteral("LBL_PASSWORD"), passwordLabel);
        view.LayOut();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QCOMPARE(userLabel->buddy(), user);
        QCOMPARE(passwordLabel->buddy(), password);
        QCOMPARE(ZevAccessibilityName(NameOf(user)), QStringLiteral("User ID"));
        QCOMPARE(ZevAccessibilityName(NameOf(password)), QStringLiteral("Password"));
        QCOMPARE(AccessibilityWalk(&view).NameFaults(), QStringList());
    }

    // A distributor's record that relabels a caption, a button or a list's
    // label renames the control for a screen reader too, also when it moves
    // the field out of the group its label stays in.
    void layoutRecordRelabelsTheAccessibleName()
    {
        std::ofstream(m_ini) << "[AcctView]\nLBL_USER=10,10,80,20,1,Login name:\nEDT_USER=100,200,120,20,1\n"
                                "BTN_GO=10,40,80,24,1,Start\nLBL_ITEMS=10,70,80,20,1,Products\n";
        FakeScreenHost host(m_dir.path().toStdString());
        CZevBaseView view(host, "AcctView");
        auto* box = new QGroupBox(QStringLiteral("Account"), &view);
        auto* userLabel = new QLabel(QStringLiteral("User:"), box);
        auto* user = new QLineEdit(box);
        auto* form = new QFormLayout(box);
        form->addRow(userLabel, user);
        auto* go = new QPushButton(QStringLiteral("&Go"), &view);
        go->setAccessibleName(QStringLiteral("Go"));
        auto* itemsLabel = new QLabel(QStringLiteral("&Items:"), &view);
        auto* items = new CZevListCtrl(&view);
        itemsLabel->setBuddy(items);
        auto* layout = new QVBoxLayout(&view);
        layout->addWidget(box);
        layout->addWidget(go);
        layout->addWidget(itemsLabel);
        layout->addWidget(items);
        view.AddControl(1, QStringLiteral("LBL_USER"), userLabel);
        view.AddControl(2, QStringLiteral("EDT_USER"), user);
        view.AddControl(3, QStringLiteral("BTN_GO"), go);
        view.AddControl(4, QStringLiteral("LBL_ITEMS"), itemsLabel);
        view.AddControl(5, QStringLiteral("LST_ITEMS"), items);
        view.resize(400, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(NameOf(items), QStringLiteral("Items"));

        QCOMPARE(view.LayOut(), 4);
        QCOMPARE(user->parentWidget(), &view); // moved out of the group box
        QCOMPARE(ZevAccessibilityName(NameOf(user)), QStringLiteral("Login name"));
        QCOMPARE(NameOf(go), QStringLiteral("Start"));
        QCOMPARE(NameOf(items), QStringLiteral("Products"));
    }

    // A list without a label is named after its definition; a combo box
    // named in code but without a label gets that name as description too,
    // the part a Linux screen reader hears; a value label's given name becomes
    // its description, so its value is what is read.
    void unlabelledListsCombosAndValuesStillSayWhatTheyAre()
    {
        zev::ListDefinition definition;
        definition.name = "ReadyOrderItems";
        definition.headings = {"Item", "Cases"};
        definition.widths = {80, 40};
        CZevDialog dialog;
        auto* list = new CZevListCtrl(&dialog);
        QVERIFY(list->Setup(definition, nullptr));
        auto* total = new QLabel(&dialog);
        total->setAccessibleName(QStringLiteral("Order total"));
        auto* filter = new QComboBox(&dialog);
        filter->addItem(QStringLiteral("All"));
        filter->setAccessibleName(QStringLiteral("Filter"));
        auto* close = new QPushButton(QStringLiteral("Close"), &dialog);
        close->setDefault(true);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(total);
        layout->addWidget(filter);
        layout->addWidget(list);
        layout->addWidget(close);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(NameOf(list), QStringLiteral("Ready order items"));
        QCOMPARE(filter->accessibleDescription(), QStringLiteral("Filter"));
        // A value label is read by its value, filled after the window shows.
        total->setText(QStringLiteral("$12.50"));
        QCOMPARE(NameOf(total), QStringLiteral("$12.50"));
        QCOMPARE(total->accessibleDescription(), QStringLiteral("Order total"));
        QCOMPARE(AccessibilityWalk(&dialog).NameFaults(), QStringList());
    }

    void cellEditorSaysColumnAndRow()
    {
        CZevListCtrl list;
        list.Model()->SetColumns({QStringLiteral("Item"), QStringLiteral("Description"), QStringLiteral("&Cases")},
                                 {0, 0, 1});
        list.Model()->SetRows({{QStringLiteral("1042"), QStringLiteral("Merlot"), QStringLiteral("0")},
                               {QStringLiteral("2077"), QStringLiteral("Pale Ale"), QStringLiteral("3")}});
        list.horizontalHeader()->moveSection(1, 0); // the description shown first
        QStyleOptionViewItem option;
        const QModelIndex cell = list.Model()->index(1, 2);
        std::unique_ptr<QWidget> editor(list.itemDelegate()->createEditor(list.viewport(), option, cell));
        QVERIFY(editor);
        QCOMPARE(editor->accessibleName(), QStringLiteral("Cases"));
        QCOMPARE(editor->accessibleDescription(), QStringLiteral("Cases, row 2 of 2: Pale Ale 2077"));
    }

    // A synchronisation's progress is announced as it moves, from the user
    // interface thread and from a worker alike.
    void progressIsAnnounced()
    {
        QWidget window;
        auto* status = new QLabel(&window);
        auto* bar = new QProgressBar(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(status);
        layout->addWidget(bar);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (!AccessibleEventLog::Available())
            QSKIP("this build cannot switch the platform's accessibility on (qt6-base-private-dev)");
        AccessibleEventLog log;
        QtProgressSink sink(status, bar);

        sink.Report(40, "Downloading Accounts");
        QVERIFY2(log.Count(bar, QAccessible::ValueChanged) >= 1, qPrintable(log.Dump()));
        QCOMPARE(log.LastValue(bar).toInt(), 40);
        QVERIFY(log.Count(status, QAccessible::NameChanged) >= 1);

        log.Clear();
        std::thread worker([&sink] { sink.Report(75, "Downloading Items"); });
        worker.join();
        QTRY_COMPARE(log.LastValue(bar).toInt(), 75);
        QVERIFY(log.Count(status, QAccessible::NameChanged) >= 1);
        QCOMPARE(NameOf(status), QStringLiteral("Downloading Items"));
    }

private:
    static QString ZevAccessibilityName(const QString& name) { return zev::ZevAccessibility::PlainName(name); }

    QTemporaryDir m_dir;
    std::string m_ini;
};

QTEST_MAIN(ZevAccessibilityTest)
#include "ZevAccessibilityTest.moc"
