#include "app/core/Profile.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevBaseView.h"
#include "app/ui/CZevDialog.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/QtMessageBox.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QAbstractItemModelTester>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fstream>

namespace {

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

zev::ListDefinition Definition(std::vector<std::string> headings, std::vector<std::uint16_t> widths,
                               std::vector<std::uint8_t> order = {})
{
    zev::ListDefinition d;
    d.number = 10;
    d.name = "Products";
    d.headings = std::move(headings);
    d.widths = std::move(widths);
    d.widths.resize(20, 0);
    d.formats.assign(20, 0);
    d.formats[1] = 1;
    d.order = std::move(order);
    d.order.resize(20, 0);
    return d;
}

// Presses `key` on the next message box that opens and notes its default button.
void PressOnNextBox(int key, QString* defaultText)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, key, defaultText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        *defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
        QTest::keyClick(box, static_cast<Qt::Key>(key));
    });
    timer->start(10);
}

std::vector<int> VisualOrder(const CZevListCtrl& list)
{
    std::vector<int> columns;
    for (int v = 0; v < list.Model()->columnCount(); ++v)
        columns.push_back(list.horizontalHeader()->logicalIndex(v));
    return columns;
}

} // namespace

class ZevUiTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_ini = m_dir.filePath(QStringLiteral("ZevSatchel.INI")).toStdString();
    }

    void layoutRecordDecidesPlaceVisibilityAndLabel_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("text");
        QTest::newRow("no visible flag hides") << "10,20,100,24" << QRect(10, 20, 100, 24) << false << "Original";
        QTest::newRow("flag and label") << "10,20,100,24,1,Total:" << QRect(10, 20, 100, 24) << true << "Total:";
        QTest::newRow("zero flag hides") << "10,20,100,24,0,Total:" << QRect(10, 20, 100, 24) << false << "Total:";
        QTest::newRow("empty fields skipped") << "10,,20,100,24,1" << QRect(10, 20, 100, 24) << true << "Original";
        QTest::newRow("missing numbers are zero") << "5,6" << QRect(5, 6, 0, 0) << false << "Original";
    }

    void layoutRecordDecidesPlaceVisibilityAndLabel()
    {
        QFETCH(QString, record);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        QFETCH(QString, text);
        WriteFile(m_ini, "[GENERAL]\r\nLBL_TOTAL=1,1,1,1,1,Wrong\r\n[AcctView]\r\nLBL_TOTAL=" + record.toStdString() +
                             "\r\n[Other]\r\n");
        FakeScreenHost host(m_dir.path().toStdString());
        CZevBaseView view(host, "AcctView");
        auto* layout = new QHBoxLayout(&view);
        auto* label = new QLabel(QStringLiteral("Original"), &view);
        auto* untouched = new QPushButton(QStringLiteral("Keep"), &view);
        layout->addWidget(label);
        layout->addWidget(untouched);
        view.AddControl(1, QStringLiteral("LBL_TOTAL"), label);
        view.AddControl(2, QStringLiteral("BTN_KEEP"), untouched);
        view.resize(400, 300);
        view.show();

        QCOMPARE(view.LayOut(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(label->geometry(), geometry);
        QCOMPARE(label->isVisible(), visible);
        QCOMPARE(label->text(), text);
        // A control without a record stays in its Qt layout.
        QVERIFY(layout->indexOf(untouched) >= 0);
        QVERIFY(untouched->isVisible());
    }

    void screenRecordPlacesDialog()
    {
        WriteFile(m_ini, "[AboutBox]\nSCREEN=30,40,320,200\nLBL_PHONE=5,5,100,20,1\n");
        CZevDialog dialog;
        auto* phone = new QLabel(&dialog);
        dialog.AddControl(1, QStringLiteral("LBL_PHONE"), phone);
        dialog.LayOut("AboutBox", m_ini);
        QCOMPARE(dialog.geometry(), QRect(30, 40, 320, 200));
        QCOMPARE(phone->geometry(), QRect(5, 5, 100, 20));
    }

    void missingSettingsFileLeavesControls()
    {
        FakeScreenHost host(m_dir.path().toStdString());
        CZevBaseView view(host, "AcctView");
        auto* label = new QLabel(QStringLiteral("x"), &view);
        view.AddControl(1, QStringLiteral("LBL_TOTAL"), label);
        QCOMPARE(view.LayOut(), 0);
        QVERIFY(!label->isHidden());
    }

    void zeroWidthColumnComesFirst()
    {
        CZevListCtrl list;
        QVERIFY(list.Setup(Definition({"Item", "Price", "Key", "Size"}, {120, 60, 0, 50}, {1, 3, 4, 2}), nullptr));
        const std::vector<int> expected{2, 0, 3, 1};
        QCOMPARE(VisualOrder(list), expected);
        QCOMPARE(list.horizontalHeader()->sectionSize(2), 0);
        QVERIFY(!list.ColumnHasWidth(2));
        QVERIFY(list.ColumnHasWidth(0));
    }

    void faultyOrderBytesNeverLoseAColumn()
    {
        CZevListCtrl list;
        QVERIFY(list.Setup(Definition({"A", "B", "C"}, {10, 10, 10}, {9, 1, 1}), nullptr));
        const std::vector<int> expected{0, 1, 2};
        QCOMPARE(VisualOrder(list), expected);
    }

    void definitionWithoutHeadingsFails()
    {
        CZevListCtrl list;
        QVERIFY(!list.Setup(Definition({}, {}), nullptr));
        zev::ZevConfig config;
        QVERIFY(!list.Setup(0, config, nullptr));
        QCOMPARE(list.Model()->columnCount(), 0);
    }

    void draggedColumnAndWidthComeBackOnNextVisit()
    {
        zev::Profile profile(m_dir.filePath(QStringLiteral("Satchel.ini")).toStdString());
        const auto definition = Definition({"Item", "Price", "Size"}, {120, 60, 50});
        {
            CZevListCtrl list;
            QVERIFY(list.Setup(definition, &profile));
            list.horizontalHeader()->moveSection(2, 0); // user drags "Size" to the front
            list.horizontalHeader()->resizeSection(0, 200);
        } // leaving the screen saves
        CZevListCtrl next;
        QVERIFY(next.Setup(definition, &profile));
        const std::vector<int> expected{2, 0, 1};
        QCOMPARE(VisualOrder(next), expected);
        QCOMPARE(next.horizontalHeader()->sectionSize(0), 200);
        QVERIFY(next.RestoreLayout());
    }

    void damagedSavedOrderIsIgnored()
    {
        zev::Profile profile(m_dir.filePath(QStringLiteral("Satchel.ini")).toStdString());
        zev::SavedListLayout saved;
        saved.widths = {30, 40, 50};
        saved.order = {1, 1, 7}; // duplicate and out-of-range positions
        QVERIFY(profile.SaveListLayout("Products", saved));
        CZevListCtrl list;
        QVERIFY(list.Setup(Definition({"Item", "Price", "Size"}, {120, 60, 50}), &profile));
        const std::vector<int> expected{0, 1, 2};
        QCOMPARE(VisualOrder(list), expected);
        QCOMPARE(list.horizontalHeader()->sectionSize(1), 40);
    }

    void modelPassesTesterAndShadesEvenRows()
    {
        CZevListModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.SetColumns({"A", "B"}, {0, 1});
        std::vector<QStringList> rows;
        for (int i = 0; i < 5000; ++i)
            rows.push_back({QString::number(i), QStringLiteral("x")});
        model.SetRows(std::move(rows));
        QCOMPARE(model.rowCount(), 5000);
        model.AppendRow({"last", "y"}, 42);
        model.SetCell(1, 1, QStringLiteral("z"));
        model.RemoveRow(0);
        QCOMPARE(model.RowData(model.rowCount() - 1).toInt(), 42);
        QCOMPARE(model.data(model.index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(245, 240, 220));
        QVERIFY(!model.data(model.index(1, 0), Qt::BackgroundRole).isValid());
        QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(),
                 static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));
        model.Clear();
        QCOMPARE(model.rowCount(), 0);
    }

    void scrollingTellsTheParentFirst()
    {
        CZevListCtrl list;
        QVERIFY(list.Setup(Definition({"Item"}, {100}), nullptr));
        std::vector<QStringList> rows(500, QStringList{QStringLiteral("row")});
        list.Model()->SetRows(std::move(rows));
        list.resize(200, 100);
        list.show();
        QSignalSpy spy(&list, &CZevListCtrl::ScrollCommand);
        list.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), CZevListCtrl::kScrollVertical);
    }

    void messageBoxDefaultIsWhatEnterAnswers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("defaultText");
        using zev::MbButtons;
        using zev::MbResult;
        auto row = [](const char* name, MbButtons b, MbResult req, Qt::Key key, MbResult answer, const char* text) {
            QTest::newRow(name) << static_cast<int>(b) << static_cast<int>(req) << static_cast<int>(key)
                                << static_cast<int>(answer) << QString::fromLatin1(text);
        };
        row("plain question: Enter says Yes", MbButtons::YesNo, MbResult::Ok, Qt::Key_Return, MbResult::Yes, "&Yes");
        row("destructive: Enter says No", MbButtons::YesNo, MbResult::No, Qt::Key_Return, MbResult::No, "&No");
        row("Escape on Yes/No says No", MbButtons::YesNo, MbResult::Yes, Qt::Key_Escape, MbResult::No, "&Yes");
        row("three buttons, Cancel default", MbButtons::YesNoCancel, MbResult::Cancel, Qt::Key_Return, MbResult::Cancel,
            "Cancel");
        row("default not offered falls to first", MbButtons::OkCancel, MbResult::No, Qt::Key_Return, MbResult::Ok,
            "OK");
    }

    void messageBoxDefaultIsWhatEnterAnswers()
    {
        QFETCH(int, buttons);
        QFETCH(int, requested);
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(QString, defaultText);
        QtMessageBox box;
        QString seen;
        PressOnNextBox(key, &seen);
        const auto b = static_cast<zev::MbButtons>(buttons);
        // Ok as the request stands for "no default named": the plain Show.
        const zev::MbResult got = requested == static_cast<int>(zev::MbResult::Ok)
                                      ? box.ShowText("Sure?", zev::Caption::Question, b, zev::MbIcon::Question)
                                      : box.AskText("Sure?", zev::Caption::Question, b, zev::MbIcon::Question,
                                                    static_cast<zev::MbResult>(requested));
        QCOMPARE(static_cast<int>(got), answer);
        QCOMPARE(seen.remove(QLatin1Char('&')), defaultText.remove(QLatin1Char('&')));
    }

private:
    QTemporaryDir m_dir;
    std::string m_ini;
};

QTEST_MAIN(ZevUiTest)
#include "ZevUiTest.moc"
