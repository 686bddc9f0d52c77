#include "TabulaTestSupport.h"

#include <vector>

namespace {

// Pool 0 on a temporary database, emptied after each test.
class QueryFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        pool = QueryPool::GetInstance(db.connectionString(), 0);
        Query q("", "", 0);
        for (const char* s : {"CREATE TABLE Accounts (AccountID int NOT NULL, CompanyName nvarchar(50), "
                              "Updated int, visitstatus char(1), LastOrder datetime)",
                              "CREATE TABLE Lines (AccountID int, LineNo int, Qty int)",
                              "CREATE TABLE Terms (TermID int, Description nvarchar(30))"}) {
            ASSERT_EQ(q.Open(s), 1) << s;
        }
    }
    void TearDown() override { QueryPool::DestroyAll(); }

    void Run(const std::string& sql)
    {
        Query q("", "", 0);
        ASSERT_EQ(q.Open(sql), 1) << sql << ": " << q.getRS()->GetLastError();
    }

    TempDb db;
    QueryPool* pool = nullptr;
};

TEST_F(QueryFixture, NewKeyOfEmptyTableIsOne)
{
    Query accounts("Accounts", "AccountID", 0);
    EXPECT_EQ(accounts.getNewPK(), 1);
    Run("insert Accounts (AccountID) values (3)");
    Run("insert Accounts (AccountID) values (7)");
    EXPECT_EQ(accounts.getNewPK(), 8);
}

TEST_F(QueryFixture, SelectsReportRowsOthersReportSuccess)
{
    Query accounts("Accounts", "AccountID", 0);
    EXPECT_EQ(accounts.getAll(), 0); // empty table
    EXPECT_EQ(accounts.getByPK(5), 0);
    EXPECT_EQ(accounts.Open("update Accounts set Updated = 1 where AccountID = 99"), 1);
    EXPECT_EQ(accounts.Open("delete from Accounts where AccountID = 99"), 1);
    EXPECT_EQ(accounts.Open("select * from Nowhere"), 0);
    EXPECT_EQ(accounts.Open("update Nowhere set x = 1"), 0);
    Run("insert Accounts values (5, 'Acme', 0, 'M', '1/2/2026')");
    EXPECT_EQ(accounts.getByPK(5), 1);
    EXPECT_EQ(accounts.getLastSQL(), "select * from Accounts where AccountID=5");
    EXPECT_EQ(accounts.getPK(), 5);
    EXPECT_EQ(accounts.OpenNoCount("select * from Accounts where AccountID = 99"), 1);
}

TEST_F(QueryFixture, SingleFieldsAndCounts)
{
    Query accounts("Accounts", "AccountID", 0);
    EXPECT_EQ(accounts.getSingleField(1, "CompanyName"), "Error!!!");
    EXPECT_EQ(accounts.getSQLCount(), 0);
    Run("insert Accounts values (1, 'Acme', 0, 'M', NULL)");
    Run("insert Accounts values (2, 'Bolt', 0, 'X', NULL)");
    EXPECT_EQ(accounts.getSingleField(1, "CompanyName"), "Acme");
    EXPECT_EQ(accounts.getSQLCount(), 2);
    EXPECT_EQ(accounts.updateSingleField(2, "CompanyName", std::string("O'Neil's")), 1);
    EXPECT_EQ(accounts.getSingleField(2, "CompanyName"), "O'Neil's");
    EXPECT_EQ(accounts.updateSingleField(2, "Updated", 4), 1);
    EXPECT_EQ(accounts.getSingleField(2, "Updated"), "4");
}

TEST_F(QueryFixture, UpdatedFlags)
{
    Query accounts("Accounts", "AccountID", 0);
    Run("insert Accounts values (1, 'A', 0, 'M', NULL)");
    Run("insert Accounts values (2, 'B', 1, 'M', NULL)");
    Run("insert Accounts values (3, 'C', 1, 'Z', NULL)");
    EXPECT_EQ(accounts.getWhereUpdated(), 1);
    EXPECT_EQ(accounts.getCount(), 2);
    EXPECT_EQ(accounts.getUpdatedAndStatus(), 1);
    EXPECT_EQ(accounts.getRSRecordCount(), 1);
    EXPECT_EQ(accounts.deleteAllUpdatedAndStatus(1), 1);
    EXPECT_EQ(accounts.getSQLCount(), 2);
    EXPECT_EQ(accounts.setUpdated(1, 1), 1);
    EXPECT_EQ(accounts.deleteAllUpdated(1), 1);
    EXPECT_EQ(accounts.getSQLCount(), 0);
    Run("insert Accounts values (4, 'D', 0, 'M', NULL)");
    EXPECT_EQ(accounts.setAllUpdated(2), 1);
    EXPECT_EQ(accounts.getSingleField(4, "Updated"), "2");
    EXPECT_EQ(accounts.deleteByPK(4), 1);
    EXPECT_EQ(accounts.getSQLCount(), 0);
}

TEST_F(QueryFixture, ReadsValuesByPosition)
{
    Run("insert Accounts values (1, 'Acme', NULL, 'M', '12/8/2026 9:05:07')");
    Query q("", "", 0);
    ASSERT_EQ(q.Open("select AccountID, Updated, 2.5, 7.25, CompanyName, datepart(yy, LastOrder), "
                     "convert(nvarchar, LastOrder, 101), LastOrder from Accounts"),
              1);
    EXPECT_EQ(q.GetFieldValueInt(0), 1);
    EXPECT_EQ(q.GetFieldValueInt(1), 0); // null
    EXPECT_DOUBLE_EQ(q.GetFieldValueDouble(2), 2.5);
    EXPECT_FLOAT_EQ(q.GetFieldValueFloat(3), 7.25f);
    EXPECT_EQ(q.GetFieldValueString(4), "Acme");
    EXPECT_EQ(q.GetFieldValueInt(5), 2026);
    EXPECT_EQ(q.GetFieldValueString(6), "12/08/2026");
    EXPECT_EQ(q.GetFieldValueString(7), "2026-12-08 09:05:07");
    std::string s = "stale";
    q.FillFromFieldValueString(99, s);
    EXPECT_EQ(s, "");
}

TEST(QueryStatics, FixApost)
{
    EXPECT_EQ(Query::fixApost("O'Neil's"), "O''Neil''s");
    EXPECT_EQ(Query::fixApost("plain"), "plain");
    EXPECT_EQ(Query::fixApost(""), "");
}

TEST(QueryStatics, ZeroPadDate)
{
    EXPECT_EQ(Query::zeroPadDate("12/25/2004"), "12/25/2004");
    EXPECT_EQ(Query::zeroPadDate("3/7/2005"), "03/07/2005");
    EXPECT_EQ(Query::zeroPadDate("not a date"), "not a date");
}

TEST_F(QueryFixture, CompoundKeyAndJoinedTexts)
{
    Run("insert Lines values (1, 1, 5)");
    Run("insert Lines values (1, 2, 6)");
    Run("insert Accounts values (1, 'Acme', 0, 'M', NULL)");
    CompoundKeyQuery lines("Lines", "AccountID", "LineNo", 0);
    EXPECT_EQ(lines.getByPK(1, 2), 1);
    EXPECT_EQ(lines.getLastSQL(), "select * from Lines where AccountID=1 and LineNo=2");
    EXPECT_EQ(lines.GetFieldValueInt(2), 6);
    EXPECT_EQ(lines.getByPK(1, 3), 0);

    JoinedQuery joined("Accounts A, Lines L", "L.LineNo", "A.AccountID = L.AccountID", 0);
    EXPECT_EQ(joined.getAll(), 1);
    EXPECT_EQ(joined.getCount(), 2);
    EXPECT_EQ(joined.getByPK(2), 1);
    EXPECT_EQ(joined.getLastSQL(), "select * from Accounts A, Lines L where A.AccountID = L.AccountID  and L.LineNo=2");
    EXPECT_EQ(joined.getSQLCount(), 2);
}

TEST_F(QueryFixture, CopiesShareTheRecordsetUntilTheLastGoes)
{
    auto* original = new Query("Accounts", "AccountID", 0);
    CVORecordset* rs = original->getRS();
    {
        Query copy(*original);
        EXPECT_EQ(copy.getRS(), rs);
        delete original;
        // Still lent to the copy: a new object gets another recordset.
        Query other("Accounts", "AccountID", 0);
        EXPECT_NE(other.getRS(), rs);
    }
    Query later("Accounts", "AccountID", 0);
    EXPECT_EQ(later.getRS(), rs);
}

TEST(QueryWithoutPool, ConstructionThrows) { EXPECT_THROW(Query("Accounts", "AccountID", 42), TabulaError); }

// ---------------------------------------------------------------------------

class FakeList : public IListCtrlTarget {
public:
    void DeleteAllItems() override { rows.clear(); }
    int InsertItem(int index, const std::string& text) override
    {
        rows.insert(rows.begin() + index, std::vector<std::string>{text});
        return index;
    }
    void SetItemText(int item, int sub, const std::string& text) override
    {
        auto& r = rows.at(static_cast<std::size_t>(item));
        if (r.size() <= static_cast<std::size_t>(sub)) {
            r.resize(static_cast<std::size_t>(sub) + 1);
        }
        r[static_cast<std::size_t>(sub)] = text;
    }
    std::vector<std::vector<std::string>> rows;
};

class FakeBox : public IListBoxTarget {
public:
    void ResetContent() override
    {
        entries.clear();
        resets++;
    }
    int AddString(const std::string& text) override
    {
        entries.push_back({text, -1});
        return static_cast<int>(entries.size()) - 1;
    }
    void SetItemData(int index, long data) override { entries.at(static_cast<std::size_t>(index)).second = data; }
    std::vector<std::pair<std::string, long>> entries;
    int resets = 0;
};

class FakeParent : public IControlParent {
public:
    IListCtrlTarget* GetListCtrl(int id) override { return id == 1 ? &list : nullptr; }
    IListBoxTarget* GetListBox(int id) override { return id == 2 ? &box : nullptr; }
    IComboBoxTarget* GetComboBox(int id) override { return id == 3 ? &combo : nullptr; }
    FakeList list;
    FakeBox box;
    FakeBox combo;
};

TEST_F(QueryFixture, FillListCtrlFromTheCurrentResult)
{
    Run("insert Terms values (1, 'Net 30')");
    Run("insert Terms values (2, 'COD')");
    ListCtrlQuery terms("Terms", "TermID");
    FakeParent parent;
    parent.list.rows = {{"stale"}};
    ASSERT_EQ(terms.Open("select TermID, Description, TermID * 10 from Terms order by TermID"), 1);
    terms.MoveNext(); // filling starts from the first row whatever the cursor
    terms.fillListCtrl(&parent, 1, 1);
    ASSERT_EQ(parent.list.rows.size(), 2u);
    EXPECT_EQ(parent.list.rows[0], (std::vector<std::string>{"Net 30", "10"}));
    EXPECT_EQ(parent.list.rows[1], (std::vector<std::string>{"COD", "20"}));
    terms.fillListCtrl(&parent, 99, 0); // missing control: nothing
    terms.fillListCtrl(static_cast<IListCtrlTarget*>(nullptr), 0);
}

TEST_F(QueryFixture, FillBoxesFromALookupTable)
{
    Run("insert Terms values (4, 'Net 30')");
    Run("insert Terms values (9, 'COD')");
    LookupTableQuery lookup;
    FakeParent parent;
    lookup.fillComboBox(&parent, 3, "Terms", "TermID");
    ASSERT_EQ(parent.combo.entries.size(), 2u);
    EXPECT_EQ(parent.combo.entries[0], (std::pair<std::string, long>{"Net 30", 4}));
    EXPECT_EQ(parent.combo.entries[1], (std::pair<std::string, long>{"COD", 9}));
    lookup.fillListBox(&parent, 2);
    EXPECT_EQ(parent.box.entries.size(), 2u);
    lookup.fillComboBox(&parent, 77, "Terms", "TermID"); // missing control
    lookup.fillComboBox(static_cast<IControlParent*>(nullptr), 3, "Terms", "TermID");
    EXPECT_EQ(parent.combo.resets, 1);
}

TEST_F(QueryFixture, FillOfAnEmptyTableLeavesTheBoxEmpty)
{
    LookupTableQuery lookup("Terms", "TermID");
    FakeBox box;
    box.entries = {{"stale", 1}};
    lookup.fillListBox(&box);
    EXPECT_TRUE(box.entries.empty());
    EXPECT_EQ(box.resets, 1);
}

} // namespace
