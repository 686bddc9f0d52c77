// Under a comma-decimal desktop locale, adopted by the Qt application object
// as the program adopts it, every number that leaves the program (order
// bodies, SQL text) keeps the C form.
#include "sync/RequestBodies.h"
#include "sync/SyncText.h"
#include "tables/SqlText.h"
#include "tabula/CLocaleScope.h"
#include "tabula/Variant.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

std::string PlainPrintf(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

} // namespace

class NumericLocaleTest : public QObject {
    Q_OBJECT
private slots:
    void theApplicationAdoptedTheCommaLocale()
    {
        // Without this the rest proves nothing (tools/install-deps.sh generates the locale).
        QCOMPARE(PlainPrintf(120.0), std::string("120,00"));
    }

    void orderBodyAndSqlKeepThePointWithoutHelpFromStartUp()
    {
        using namespace zev::sync;
        const std::vector<std::string> cols{
            "ItemID",        "CQty", "SQty", "CDistPrice", "SDistPrice",  "SpecialFlag", "DiscountAmount",
            "PriceOverride", "par",  "inv",  "ExtPrice",   "RetailPrice", "Warehouse",   "LineComment"};
        const Row v{"1001", "2", "3", "120", "10.5", "0", "-1.00", "0.00", "0", "0", "271.5", "14.99", "0", ""};
        QCOMPARE(OrderLinePart(1, NamedRow(cols, v), OrderBodyOptions{}),
                 std::string("&L1=1001^2^3^120.00^10.50^0^-1.00^0.00^0^0^271.50^14.99^0^"));
        QCOMPARE(zev::SqlText::Format("insert into ReadyOrder values(%d, %.2lf, %f)", 7, 120.0, 0.5),
                 std::string("insert into ReadyOrder values(7, 120.00, 0.500000)"));
        QCOMPARE(Format("&F1=%.2f", 3.25), std::string("&F1=3.25"));
        QCOMPARE(ToDouble("10.5"), 10.5);
        QCOMPARE(Variant(std::string("2.75")).ToDouble(), 2.75);
        QCOMPARE(Variant(2.75).ToString(), std::string("2.75"));
        // The helpers leave the thread's locale as they found it.
        QCOMPARE(PlainPrintf(1.5), std::string("1,50"));
    }

    void startUpResetPutsPlainPrintfBackToThePointAndKeepsTheDisplayLocale()
    {
        tabula::CLocaleScope::ResetProcessNumericLocale();
        QCOMPARE(PlainPrintf(120.0), std::string("120.00"));
        QCOMPARE(std::strtod("10.5", nullptr), 10.5);
        QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
        QVERIFY(std::string(std::setlocale(LC_MONETARY, nullptr)).rfind("de_DE", 0) == 0);
    }
};

int main(int argc, char** argv)
{
    // The user's desktop: a comma-decimal locale, taken over by the toolkit.
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    QApplication app(argc, argv);
    NumericLocaleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "NumericLocaleTest.moc"
