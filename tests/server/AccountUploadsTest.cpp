// What the server's master tables make of the account screens' uploads: an
// account edit, notes (added and deleted), surveys and form answers, each
// only for the representative's own accounts and never stored twice.
#include "base/SchemaFile.h"
#include "server/ServerStore.h"
#include "server/UploadBody.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zev::server;
using zev::SchemaFile;

namespace {

class AccountUploadsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir =
            std::filesystem::temp_directory_path() / ("zevacctup-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_store = std::make_unique<ServerStore>((m_dir / "server.db").string());
        m_store->CreateMasterTables(SchemaFile::Load(ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini"));
        m_store->Db().Exec("insert into Accounts (AccountID, CompanyName, City, DelivDays, Updated, zev_rep) values "
                           "(5, 'Mine', 'Town', 'YYYYYYY', 0, '100'), (6, 'Theirs', 'Town', 'YYYYYYY', 0, '200')");
    }
    void TearDown() override
    {
        m_store.reset();
        std::filesystem::remove_all(m_dir);
    }
    std::string Text(const std::string& sql)
    {
        auto st = m_store->Db().Prepare(sql);
        return st.Step() ? st.Text(0) : "<none>";
    }
    void Upload(const char* page, const std::string& body)
    {
        const UploadPage* p = FindUploadPage(page);
        ASSERT_NE(p, nullptr);
        std::vector<UploadField> fields;
        std::string error;
        ASSERT_TRUE(DecodeUpload(*p, body, fields, error)) << error;
        m_store->StoreUpload(p->name, "100", body, fields, p->success, "2026-05-01 10:00:00");
    }

    std::filesystem::path m_dir;
    std::unique_ptr<ServerStore> m_store;
};

TEST_F(AccountUploadsTest, AccountEditChangesOnlyOwnAccounts)
{
    for (const char* id : {"5", "6"})
        Upload("updateAccounts", std::string("&CompanyName=Salt %26 Pepper&AccountID=") + id +
                                     "&City=Newtown&ApptDays=NYNNNNN&DeliveryDays=NNYNYNN&Email=a@b.c");
    EXPECT_EQ(Text("select CompanyName from Accounts where AccountID = 5"), "Salt & Pepper");
    EXPECT_EQ(Text("select DelivDays from Accounts where AccountID = 5"), "NNYNYNN");
    EXPECT_EQ(Text("select City from Accounts where AccountID = 5"), "Newtown");
    EXPECT_EQ(Text("select CompanyName from Accounts where AccountID = 6"), "Theirs");
}

TEST_F(AccountUploadsTest, NoteIsAddedOnceAndDeletedByItsFlag)
{
    const std::string note = "AccountID=5&DateEntered=2026-03-01 09:30:15&UpdatedFlag=1&Comment=Don't call %26 wait";
    Upload("updateNotes", note);
    Upload("updateNotes", note);
    Upload("updateNotes", "AccountID=6&DateEntered=2026-03-01 09:30:15&UpdatedFlag=1&Comment=not mine");
    EXPECT_EQ(Text("select count(*) from DistributorRepNotes"), "1");
    EXPECT_EQ(Text("select Comment from DistributorRepNotes"), "Don't call & wait");
    EXPECT_EQ(Text("select zev_rep from DistributorRepNotes"), "100");
    EXPECT_EQ(Text("select zev_stamp from DistributorRepNotes"), "1900-01-01 00:00:00")
        << "only a whole download sends it back to the laptop that has it";

    Upload("updateNotes", "AccountID=5&DateEntered=2026-03-01 09:30:15&UpdatedFlag=2&Comment=Don't call %26 wait");
    EXPECT_EQ(Text("select count(*) from DistributorRepNotes"), "0");
}

TEST_F(AccountUploadsTest, SurveyIsStoredOnceWithItsAnswers)
{
    const std::string body = "A=5&B=1&C=1&D=2026-03-02 10:00:00&E=2026-03-02 10:05:00&R1=1^2^Yes^ &R2=2^3^101^end "
                             "cap&R3=3^1^100%25^ &T=3";
    Upload("takeSurveys", body);
    Upload("takeSurveys", body);
    EXPECT_EQ(Text("select count(*) from DoneSurveys"), "1");
    EXPECT_EQ(Text("select AccountID from DoneSurveys"), "5");
    EXPECT_EQ(Text("select count(*) from Answers"), "3");
    EXPECT_EQ(Text("select Answer from Answers where QuestionID = 2"), "101");
    EXPECT_EQ(Text("select Comment from Answers where QuestionID = 2"), "end cap");
    EXPECT_EQ(Text("select Answer from Answers where QuestionID = 3"), "100%");
}

TEST_F(AccountUploadsTest, FormAnswerReplacesTheMasterAnswer)
{
    Upload("UpdateFormsFilled", "FormID=1 &AccountID=5 &QuestionID=2 &Answer=6-10");
    Upload("UpdateFormsFilled", "FormID=1 &AccountID=5 &QuestionID=2 &Answer=7~|A11");
    Upload("UpdateFormsFilled", "FormID=1 &AccountID=6 &QuestionID=2 &Answer=not mine");
    EXPECT_EQ(Text("select count(*) from FormsFilled"), "1");
    EXPECT_EQ(Text("select Answer from FormsFilled"), "7&11");
    EXPECT_EQ(Text("select Updated from FormsFilled"), "0");
}

} // namespace
