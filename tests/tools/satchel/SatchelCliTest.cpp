#include "tools/satchel/PasswordPrompt.h"
#include "tools/satchel/SatchelApp.h"
#include "tools/satchel/TerminalMessageBox.h"
#include "tools/satchel/TerminalProgress.h"

#include <gtest/gtest.h>

#include <ext/stdio_filebuf.h>
#include <fcntl.h>
#include <istream>
#include <sstream>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace satchel;
using zev::MbButtons;
using zev::MbIcon;
using zev::MbResult;

TEST(TerminalMessageBox, AnswersFromTheTerminal)
{
    std::istringstream in("maybe\nn\n");
    std::ostringstream out;
    TerminalMessageBox box(in, out, true, false);
    EXPECT_EQ(box.Show(65071, zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning), MbResult::No);
    EXPECT_NE(out.str().find("Warning! Are you sure you want to delete your database?"), std::string::npos);
}

TEST(TerminalMessageBox, EmptyReplyGivesTheNamedDefaultAndOnlyThat)
{
    struct Case {
        MbButtons buttons;
        MbResult def;
        const char* prompt;
    };
    const Case cases[] = {
        {MbButtons::YesNo, MbResult::No, "[y]es / [N]o? "},
        {MbButtons::YesNoCancel, MbResult::Cancel, "[y]es / [n]o / [C]ancel? "},
        {MbButtons::OkCancel, MbResult::Ok, "[O]k / [c]ancel? "},
    };
    for (const Case& c : cases) {
        std::istringstream in("\n");
        std::ostringstream out;
        TerminalMessageBox box(in, out, true, false);
        EXPECT_EQ(box.Ask(65071, zev::Caption::Warning, c.buttons, MbIcon::Warning, c.def), c.def);
        EXPECT_NE(out.str().find(c.prompt), std::string::npos) << out.str();
    }
    // Without a named default an empty reply asks again; a default the buttons lack is no default.
    std::istringstream in("\n\ny\n");
    std::ostringstream out;
    TerminalMessageBox box(in, out, true, false);
    EXPECT_EQ(box.Show(65071, zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning), MbResult::Yes);
    std::istringstream in2("\nn\n");
    TerminalMessageBox box2(in2, out, true, false);
    EXPECT_EQ(box2.Ask(65071, zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning, MbResult::Retry), MbResult::No);
}

TEST(TerminalMessageBox, YesAndNoFlagsAnswerWithoutAsking)
{
    std::istringstream in;
    std::ostringstream out;
    EXPECT_EQ(TerminalMessageBox(in, out, false, true)
                  .Show(65096, zev::Caption::Information, MbButtons::OkCancel, MbIcon::Information),
              MbResult::Ok);
    EXPECT_EQ(TerminalMessageBox(in, out, false, false, true)
                  .Show(65104, zev::Caption::Information, MbButtons::YesNo, MbIcon::Warning),
              MbResult::No);
    EXPECT_EQ(TerminalMessageBox(in, out, false, false, true)
                  .Show(65095, zev::Caption::Question, MbButtons::YesNoCancel, MbIcon::Question),
              MbResult::No);
}

TEST(TerminalMessageBox, WithoutTerminalAQuestionStopsButAMessageDoesNot)
{
    std::istringstream in("y\n");
    std::ostringstream out;
    TerminalMessageBox box(in, out, false, false);
    EXPECT_EQ(box.Show(65102, zev::Caption::Information, MbButtons::Ok, MbIcon::Information), MbResult::Ok);
    EXPECT_THROW(box.Show(65071, zev::Caption::Warning, MbButtons::YesNo, MbIcon::Warning), NoAnswer);
}

TEST(PasswordPrompt, ReadsLinesWithoutTheirEndingsAndNoPromptOffATerminal)
{
    std::istringstream in("s3cret pass\r\n\nlast");
    std::ostringstream prompt;
    PasswordPrompt reader(in, prompt, -1);
    std::string secret;
    ASSERT_TRUE(reader.Read("Password: ", secret));
    EXPECT_EQ(secret, "s3cret pass"); // inner blanks are part of it
    ASSERT_TRUE(reader.Read("Password: ", secret));
    EXPECT_EQ(secret, "");
    ASSERT_TRUE(reader.Read("Password: ", secret));
    EXPECT_EQ(secret, "last"); // no final newline
    EXPECT_FALSE(reader.Read("Password: ", secret));
    EXPECT_EQ(prompt.str(), ""); // a script sees no prompt
}

// On a real terminal the typed password is not echoed, and the terminal's
// echo comes back afterwards.
TEST(PasswordPrompt, TerminalDoesNotEchoThePassword)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    // Typed only once echo is off, as a person types after the prompt.
    std::thread typist([master, slave] {
        for (int i = 0; i < 5000; ++i) {
            termios t{};
            if (tcgetattr(slave, &t) == 0 && !(t.c_lflag & ECHO))
                break;
            usleep(1000);
        }
        (void)!write(master, "hunter22\n", 9);
    });
    __gnu_cxx::stdio_filebuf<char> buffer(dup(slave), std::ios::in);
    std::istream in(&buffer);
    std::ostringstream prompt;
    PasswordPrompt reader(in, prompt, slave);
    std::string secret;
    const bool read = reader.Read("Password: ", secret);
    typist.join();
    EXPECT_TRUE(read);
    EXPECT_EQ(secret, "hunter22");
    EXPECT_EQ(prompt.str(), "Password: ");
    termios after{};
    ASSERT_EQ(tcgetattr(slave, &after), 0);
    EXPECT_TRUE(after.c_lflag & ECHO);
    // What the terminal showed: at most the newline, never the password.
    fcntl(master, F_SETFL, O_NONBLOCK);
    char shown[256] = {};
    const ssize_t n = ::read(master, shown, sizeof shown - 1);
    EXPECT_EQ(std::string(shown, n > 0 ? static_cast<std::size_t>(n) : 0).find("hunter22"), std::string::npos);
    close(slave);
    close(master);
}

TEST(TerminalProgress, PlainLinesOnlyWhenSomethingChanges)
{
    std::ostringstream out;
    {
        TerminalProgress p(out, false);
        for (int i = 0; i <= 100; ++i)
            p.Report(i, "Exporting Items");
        p.Report(0, "Ready...");
    }
    std::string s = out.str();
    EXPECT_EQ(std::count(s.begin(), s.end(), '\n'), 12);
    EXPECT_NE(s.find("100% Exporting Items\n0% Ready...\n"), std::string::npos);
}

TEST(TerminalProgress, BarIsRedrawnInPlace)
{
    std::ostringstream out;
    TerminalProgress p(out, true);
    p.Report(50, "Renewing Items Data");
    p.Finish();
    EXPECT_EQ(out.str().rfind("\r[###############               ] 50% Renewing Items Data", 0), 0u) << out.str();
}

struct UsageCase {
    std::vector<std::string> args;
    int rc;
};

class SatchelUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(SatchelUsage, ExitStatus)
{
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(SatchelApp(in, out, err).Run(GetParam().args), GetParam().rc) << err.str();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SatchelUsage,
    ::testing::Values(UsageCase{{}, 2}, UsageCase{{"--help"}, 0}, UsageCase{{"status", "--help"}, 0},
                      UsageCase{{"nope"}, 2}, UsageCase{{"--home"}, 2}, UsageCase{{"--yes", "--no", "status"}, 2},
                      UsageCase{{"sync", "--table"}, 2}, UsageCase{{"sync", "--complete", "--table", "Items"}, 2},
                      UsageCase{{"setup", "--user", "100200"}, 2}, UsageCase{{"password", "--old", "x"}, 2},
                      UsageCase{{"db"}, 2}, UsageCase{{"sql"}, 2}, UsageCase{{"export-items", "a", "b"}, 2},
                      UsageCase{{"send-orders", "--bogus"}, 2}));
