#include "SeededDatabase.h"

#include "tabula/Tabula.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

const SchemaFile& Schema() { return SeededDatabase::Instance().Schema(); }

std::vector<std::string> TableNames() { return Schema().List("Database", "TableNames"); }

bool Contains(const std::vector<std::string>& list, const std::string& name)
{
    return std::find(list.begin(), list.end(), name) != list.end();
}

std::vector<std::string> ColumnNames(const std::string& table)
{
    SeededDatabase::Instance();
    Query query("", "", SeededDatabase::PoolKey);
    std::vector<std::string> names;
    if (query.OpenNoCount("select * from " + table) == 0) {
        return names;
    }
    const CVORecordset* rs = query.getRS();
    for (long i = 0; i < rs->GetFieldCount(); ++i) {
        names.push_back(rs->GetFieldName(i));
    }
    return names;
}

std::string Describe(const std::vector<StatementFailure>& failures)
{
    std::string text;
    for (const auto& f : failures) {
        text += f.where + ": " + f.error + "\n    " + f.statement + "\n";
    }
    return text;
}

} // namespace

TEST(ZevSchemaFile, DeclaresTheDatabaseSection)
{
    ASSERT_TRUE(SeededDatabase::Instance().SchemaLoaded());
    EXPECT_FALSE(Schema().Value("Database", "Version").empty());
    const std::string tableNames = Schema().Value("Database", "TableNames");
    EXPECT_LE(tableNames.size(), 1023U) << "the program reads TableNames into 1023 characters";
    const std::string skip = Schema().Value("Database", "SyncSkipInven");
    EXPECT_TRUE(skip == "0" || skip == "1") << skip;
}

TEST(ZevSchemaFile, EveryTableHasItsStatementsWithinTheReadLimit)
{
    const auto names = TableNames();
    ASSERT_FALSE(names.empty());
    std::set<std::string> unique(names.begin(), names.end());
    EXPECT_EQ(unique.size(), names.size()) << "a table is listed twice";
    for (const std::string& table : names) {
        ASSERT_TRUE(Schema().HasSection(table)) << table;
        const auto statements = Schema().TableStatements(table);
        for (const std::string& statement : statements) {
            EXPECT_FALSE(statement.empty()) << table << ": a Key count names a missing statement";
            EXPECT_LE(statement.size(), 2047U) << table << ": the program reads statements into 2047 characters";
        }
        EXPECT_EQ(statements.front().rfind("CREATE TABLE " + table + " (", 0), 0U) << table;
    }
}

// The synchronisation lists only name tables of the database, and a table
// that exists only on this computer is never replaced from the server.
TEST(ZevSchemaFile, SynchronisationListsAreConsistent)
{
    const auto names = TableNames();
    const auto localOnly = Schema().List("Database", "LocalOnly");
    for (const char* key : {"LocalOnly", "InsertSync", "UpdateSync", "RefreshSync"}) {
        const auto list = Schema().List("Database", key);
        EXPECT_FALSE(list.empty()) << key;
        for (const std::string& table : list) {
            EXPECT_TRUE(Contains(names, table)) << key << " names " << table;
            if (std::string(key) != "LocalOnly") {
                EXPECT_FALSE(Contains(localOnly, table)) << table << " is both local-only and in " << key;
            }
        }
    }
    // Unsent orders, call statuses and pending uploads must survive a renew
    // that keeps the tables.
    for (const char* table : {"ReadyOrder", "ReadyOrderItems", "NewAccounts", "Issues", "DoneSurveys", "Answers",
                              "InvImport", "AccountCalled", "Callback"}) {
        EXPECT_TRUE(Contains(localOnly, table)) << table;
    }
    // The last day of a refreshed table is found by its transdate.
    for (const std::string& table : Schema().List("Database", "RefreshSync")) {
        EXPECT_TRUE(Contains(ColumnNames(table), "TransDate")) << table;
    }
}

TEST(ZevSchemaFile, NamesEveryTableTheProgramUses)
{
    const auto names = TableNames();
    for (const char* table : {"Accounts",
                              "AccountAttributes",
                              "AccountCalled",
                              "Callback",
                              "DistributorRepNotes",
                              "NewAccounts",
                              "AR",
                              "Messages",
                              "Issues",
                              "WorkOrder",
                              "WorkOrderItems",
                              "FamilyPlan",
                              "ApportionedItems",
                              "PricingTiers",
                              "ReadyOrder",
                              "ReadyOrderItems",
                              "Warehouse",
                              "Filters",
                              "InvImport",
                              "OpenOrders",
                              "OpenOrderItems",
                              "Surveys",
                              "Questions",
                              "DoneSurveys",
                              "Answers",
                              "FormQuestions",
                              "FormsFilled",
                              "AccountSalesData",
                              "ManagerReps",
                              "ProductNotes",
                              "Program",
                              "ProgramItems",
                              "ShipMethods",
                              "Forms",
                              "Items",
                              "ItemAttributes",
                              "Category",
                              "Promo",
                              "RIP",
                              "RIPItems",
                              "OrderHistory",
                              "OrderHistoryItems",
                              "ItemHistory",
                              "DistributorInfo",
                              "OrderDiscounts",
                              "OrderTerms",
                              "Division",
                              "PricingScheme"}) {
        EXPECT_TRUE(Contains(names, table)) << table;
    }
}

TEST(ZevSchemaDatabase, EveryStatementOfTheSchemaRuns)
{
    EXPECT_TRUE(SeededDatabase::Instance().BuildFailures().empty())
        << Describe(SeededDatabase::Instance().BuildFailures());
}

TEST(ZevSchemaDatabase, SampleRowsFitTheTables)
{
    EXPECT_TRUE(SeededDatabase::Instance().SeedFailures().empty())
        << Describe(SeededDatabase::Instance().SeedFailures());
}

// A rebuild drops and recreates every table; doing it on a database that
// already holds the tables must work as well as on an empty one.
TEST(ZevSchemaDatabase, RebuildingAnExistingDatabaseSucceeds)
{
    const std::string path = SeededDatabase::Instance().Path() + ".rebuild.db";
    constexpr int poolKey = 7;
    QueryPool::GetInstance("Data Source=" + path, poolKey);
    std::vector<StatementFailure> failures;
    for (int round = 0; round < 2; ++round) {
        Query query("", "", poolKey);
        for (const std::string& table : TableNames()) {
            query.Open("DROP TABLE " + table);
            for (const std::string& statement : Schema().TableStatements(table)) {
                if (query.OpenNoCount(statement) == 0) {
                    failures.push_back({table, statement, query.getRS()->GetLastError()});
                }
            }
        }
    }
    EXPECT_TRUE(failures.empty()) << Describe(failures);
    QueryPool::GetInstance(poolKey)->removeAll();
}

struct ColumnCount {
    const char* table;
    long count;
};

[[maybe_unused]] void PrintTo(const ColumnCount& value, std::ostream* out)
{
    *out << value.table << " has " << value.count;
}

class ZevSchemaColumnCount : public ::testing::TestWithParam<ColumnCount> {};

// Tables written with positional inserts or read by position past their end.
TEST_P(ZevSchemaColumnCount, HasExactlyTheColumnsItsWritersSupply)
{
    const auto names = ColumnNames(GetParam().table);
    EXPECT_EQ(static_cast<long>(names.size()), GetParam().count) << GetParam().table;
}

INSTANTIATE_TEST_SUITE_P(Tables, ZevSchemaColumnCount,
                         ::testing::Values(ColumnCount{"Accounts", 53}, ColumnCount{"ReadyOrder", 25},
                                           ColumnCount{"ReadyOrderItems", 18}, ColumnCount{"WorkOrder", 4},
                                           ColumnCount{"WorkOrderItems", 22}, ColumnCount{"Issues", 5},
                                           ColumnCount{"NewAccounts", 14}, ColumnCount{"AccountSalesData", 13},
                                           ColumnCount{"Items", 77}),
                         [](const auto& param) { return std::string(param.param.table); });

struct ColumnPosition {
    const char* table;
    long position;
    const char* column;
};

[[maybe_unused]] void PrintTo(const ColumnPosition& value, std::ostream* out)
{
    *out << value.table << "[" << value.position << "] = " << value.column;
}

class ZevSchemaColumnPosition : public ::testing::TestWithParam<ColumnPosition> {};

TEST_P(ZevSchemaColumnPosition, HoldsTheColumnItsReadersExpect)
{
    const auto names = ColumnNames(GetParam().table);
    ASSERT_LT(GetParam().position, static_cast<long>(names.size())) << GetParam().table;
    EXPECT_EQ(names[static_cast<std::size_t>(GetParam().position)], GetParam().column);
}

// Positions that readers address by number, and the column orders that
// inserts without a column list or "select T.*" readers depend on.
const ColumnPosition kPositions[] = {
    {"Accounts", 0, "AccountID"},
    {"Accounts", 1, "CompanyName"},
    {"Accounts", 11, "NoSplitCaseCharge"},
    {"Accounts", 12, "ApptDays"},
    {"Accounts", 13, "DelivDays"},
    {"Accounts", 14, "AccountNumber"},
    {"Accounts", 15, "PricingTier"},
    {"Accounts", 21, "CatalogIDs"},
    {"Accounts", 22, "AcctStatus"},
    {"Accounts", 23, "Updated"},
    {"Accounts", 24, "ApptTime1"},
    {"Accounts", 30, "ApptTime7"},
    {"Accounts", 31, "BalanceDue"},
    {"Accounts", 32, "LastOrder"},
    {"Accounts", 33, "LastPaymentDate"},
    {"Accounts", 39, "CreditLimit"},
    {"Accounts", 40, "CreditTerms"},
    {"Accounts", 41, "BillToCompany"},
    {"Accounts", 49, "BillToFax"},
    {"Accounts", 50, "CustomerType"},
    {"Accounts", 51, "Warehouse"},
    {"Accounts", 52, "LastVisitDate"},
    {"Items", 0, "ItemID"},
    {"Items", 1, "Description"},
    {"Items", 5, "ProductKind"},
    {"Items", 6, "DistributorSKU"},
    {"Items", 7, "ItemVolume"},
    {"Items", 8, "QtyPerCase"},
    {"Items", 9, "UPC"},
    {"Items", 11, "Vintage"},
    {"Items", 75, "ItemNote"},
    {"DistributorInfo", 3, "DeliveryDays"},
    {"DistributorInfo", 7, "GuideSortKey"},
    {"DistributorInfo", 8, "DefaultCatalog"},
    {"DistributorInfo", 16, "OrderMinimum"},
    {"PricingScheme", 0, "ItemID"},
    {"PricingScheme", 1, "CatalogID"},
    {"PricingScheme", 2, "CPrice0"},
    {"PricingScheme", 12, "SPrice0"},
    {"Category", 0, "CategoryID"},
    {"Category", 1, "Description"},
    {"Category", 2, "Parent"},
    {"Category", 3, "HasChildren"},
    {"WorkOrder", 0, "AccountID"},
    {"WorkOrder", 1, "WorkOrderID"},
    {"WorkOrderItems", 0, "AccountID"},
    {"WorkOrderItems", 2, "ItemID"},
    {"WorkOrderItems", 4, "CaseQTY"},
    {"WorkOrderItems", 8, "LastQty"},
    {"WorkOrderItems", 10, "LineItemNumber"},
    {"WorkOrderItems", 13, "PriceOverride"},
    {"WorkOrderItems", 19, "LineComment"},
    {"WorkOrderItems", 20, "HTDItemCount"},
    {"WorkOrderItems", 21, "Updated"},
    {"ReadyOrder", 0, "AccountID"},
    {"ReadyOrder", 1, "ReadyID"},
    {"ReadyOrder", 2, "OrderType"},
    {"ReadyOrder", 3, "DeliveryDate"},
    {"ReadyOrder", 6, "OrderTotal"},
    {"ReadyOrder", 8, "CreateTime"},
    {"ReadyOrder", 13, "ShipMethod"},
    {"ReadyOrder", 14, "Option1"},
    {"ReadyOrder", 23, "Option10"},
    {"ReadyOrder", 24, "Signature"},
    {"ReadyOrderItems", 0, "AccountID"},
    {"ReadyOrderItems", 2, "ItemID"},
    {"ReadyOrderItems", 4, "CQty"},
    {"ReadyOrderItems", 9, "SpecialFlag"},
    {"ReadyOrderItems", 14, "ExtPrice"},
    {"ReadyOrderItems", 17, "LineComment"},
    {"Messages", 0, "MessageID"},
    {"Messages", 1, "FromID"},
    {"Messages", 3, "FromName"},
    {"Messages", 4, "ToID"},
    {"Messages", 5, "ToStatus"},
    {"Messages", 7, "Subject"},
    {"Messages", 8, "Message"},
    {"Issues", 0, "IssueID"},
    {"Issues", 3, "UserID"},
    {"Issues", 4, "WantResponse"},
    {"NewAccounts", 0, "EntryID"},
    {"NewAccounts", 10, "LiquorLicense"},
    {"NewAccounts", 12, "AccountType"},
    {"NewAccounts", 13, "Notes"},
    {"DoneSurveys", 0, "DoneID"},
    {"DoneSurveys", 1, "SurveyID"},
    {"DoneSurveys", 2, "AccountID"},
    {"DoneSurveys", 3, "Completed"},
    {"DoneSurveys", 4, "StartTime"},
    {"DoneSurveys", 5, "EndTime"},
    {"Answers", 0, "DoneID"},
    {"Answers", 1, "QuestionID"},
    {"Answers", 2, "Type"},
    {"Answers", 3, "Answer"},
    {"Surveys", 0, "SurveyID"},
    {"Surveys", 3, "Availability"},
    {"Questions", 1, "QuestionID"},
    {"Questions", 2, "QuestionType"},
    {"Questions", 5, "Required"},
    {"Questions", 6, "AllowNotes"},
    {"Forms", 1, "FormName"},
    {"FormQuestions", 1, "QuestionID"},
    {"FormQuestions", 2, "QuestionText"},
    {"FormsFilled", 2, "Updated"},
    {"FormsFilled", 4, "Answer"},
    {"AccountSalesData", 1, "BalanceAmount"},
    {"AccountSalesData", 6, "PastDueAmount"},
    {"AccountSalesData", 7, "BalanceQuota"},
    {"AccountSalesData", 12, "PastDueQuota"},
    {"AccountAttributes", 1, "AttributeName"},
    {"AccountAttributes", 2, "AttributeValue"},
    {"AccountCalled", 1, "Day"},
    {"AccountCalled", 2, "Type"},
    {"Callback", 1, "CallbackDay"},
    {"Callback", 2, "CallbackNotes"},
    {"DistributorRepNotes", 0, "DistRepID"},
    {"ManagerReps", 2, "Password"},
    {"RIP", 3, "Qty"},
    {"RIP", 4, "Amount"},
    {"ProductNotes", 1, "Note1"},
    {"ProductNotes", 3, "Note3"},
    {"PricingTiers", 1, "TierName"},
    {"OrderTerms", 0, "Code"},
    {"OrderDiscounts", 1, "Description"},
    {"Division", 1, "Description"},
    {"ShipMethods", 1, "Description"},
    {"Filters", 1, "Filter"},
    {"OpenOrderItems", 0, "AccountID"},
    {"OrderHistory", 0, "OrderNumber"},
    {"ItemHistory", 0, "AccountID"},
};

INSTANTIATE_TEST_SUITE_P(Readers, ZevSchemaColumnPosition, ::testing::ValuesIn(kPositions), [](const auto& param) {
    return std::string(param.param.table) + "_" + std::to_string(param.param.position);
});

namespace {

struct TextRowCase {
    std::string table;
    bool blanks; // every column but the keys arrives as a single blank
};

// Read straight from the file: parameters are made before any test runs,
// and the database is built only when the first test needs it.
std::vector<TextRowCase> DownloadedTables()
{
    std::vector<TextRowCase> cases;
    const auto schema = SchemaFile::TryLoad(std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevSchema.ini");
    if (!schema) {
        return cases;
    }
    const auto localOnly = schema->List("Database", "LocalOnly");
    for (const std::string& table : schema->List("Database", "TableNames")) {
        if (!Contains(localOnly, table)) {
            cases.push_back({table, false});
            cases.push_back({table, true});
        }
    }
    return cases;
}

// Sample text of a column for a table download, by its declared type.
std::string SampleText(const std::string& declaration)
{
    std::string type = declaration.substr(0, declaration.find_first_of(" ("));
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::tolower(c); });
    if (type == "datetime" || type == "smalldatetime") {
        return "2006-03-07 16:05:09";
    }
    if (type == "int" || type == "smallint" || type == "bit" || type == "money" || type == "real" || type == "float") {
        return "7";
    }
    return "x";
}

[[maybe_unused]] void PrintTo(const TextRowCase& value, std::ostream* out)
{
    *out << value.table << (value.blanks ? " with blanks" : " with values");
}

} // namespace

class ZevSchemaDownload : public ::testing::TestWithParam<TextRowCase> {};

// A table download adds each row through a table-direct recordset with every
// value as text; every downloaded table must accept such a row, also when
// the server sends blanks for the values it has none of.
TEST_P(ZevSchemaDownload, TableTakesARowOfTexts)
{
    const std::string& table = GetParam().table;
    // Column names and declarations from the create statement.
    const std::string create = Schema().Value(table, "Schema");
    const auto open = create.find('(');
    ASSERT_NE(open, std::string::npos);
    std::vector<std::string> fields;
    std::vector<Variant> values;
    std::size_t start = open + 1;
    int depth = 0;
    for (std::size_t i = start; i < create.size(); ++i) {
        const char c = create[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if ((c == ',' && depth == 0) || (c == ')' && depth == 0)) {
            std::string column = create.substr(start, i - start);
            column.erase(0, column.find_first_not_of(' '));
            const auto blank = column.find(' ');
            const std::string name = column.substr(0, blank);
            const std::string declaration = column.substr(blank + 1);
            const bool key = declaration.find("NOT NULL") != std::string::npos;
            if (declaration.find("IDENTITY") == std::string::npos) {
                fields.push_back(name);
                values.emplace_back(GetParam().blanks && !key ? std::string(" ") : SampleText(declaration));
            }
            start = i + 1;
        }
    }
    ASSERT_FALSE(fields.empty());
    Query query("", "", SeededDatabase::PoolKey);
    ASSERT_EQ(query.beginTransaction(), 1);
    CVORecordset* rs = query.getRS();
    ASSERT_EQ(rs->Open(table, adOpenKeyset, adLockOptimistic, adCmdTableDirect), 1) << rs->GetLastError();
    long code = 0;
    EXPECT_EQ(rs->AddNew(fields, values, &code), 1) << table << ": " << rs->GetLastError() << " (" << code << ")";
    query.Close();
    query.rollbackTransaction();
}

INSTANTIATE_TEST_SUITE_P(Tables, ZevSchemaDownload, ::testing::ValuesIn(DownloadedTables()), [](const auto& param) {
    return param.param.table + (param.param.blanks ? "_Blanks" : "_Values");
});
