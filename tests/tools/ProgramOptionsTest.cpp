// Every program answers --version and --help the GNU way: exit status 0, the
// text on standard output, nothing on standard error; the program needs no
// display for either. A wrong option still ends with a usage error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a program with no display and no Qt platform chosen, so one that
// started Qt for --version would fail here.
Outcome RunProgram(const std::string& program, const std::string& argument)
{
    const fs::path dir = fs::temp_directory_path() / ("zevopts-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path out = dir / "out", err = dir / "err";

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
            entry.rfind("QT_QPA_PLATFORM=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const std::string path = std::string(ZEV_BINARY_DIR) + "/" + program;
    std::vector<char*> argv{const_cast<char*>(path.c_str()), const_cast<char*>(argument.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    Outcome outcome;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    outcome.out = ReadFile(out);
    outcome.err = ReadFile(err);
    fs::remove_all(dir);
    return outcome;
}

std::vector<std::string> Programs()
{
    std::vector<std::string> programs{"satchel", "zevserver", "zevdemo", "zevconfig", "zevsql"};
#ifdef ZEV_HAVE_GUI
    programs.push_back("ZevSatchel");
#endif
    return programs;
}

class ProgramOptions : public ::testing::TestWithParam<std::string> {};

TEST_P(ProgramOptions, VersionNamesTheProgramAndTheReleaseOnStandardOutput)
{
    const Outcome o = RunProgram(GetParam(), "--version");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind(GetParam() + " ", 0), 0u) << o.out;
    EXPECT_NE(o.out.find(ZEV_EXPECTED_VERSION), std::string::npos) << o.out;
    EXPECT_EQ(o.out.back(), '\n');
    EXPECT_EQ(o.err, "");
}

TEST_P(ProgramOptions, HelpShowsTheUsageOnStandardOutput)
{
    const Outcome o = RunProgram(GetParam(), "--help");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind("usage: " + GetParam(), 0), 0u) << o.out;
    EXPECT_EQ(o.err, "");
}

TEST_P(ProgramOptions, AnUnknownOptionIsAUsageErrorOnStandardError)
{
    if (GetParam() == "ZevSatchel")
        GTEST_SKIP() << "the program leaves other options to Qt";
    const Outcome o = RunProgram(GetParam(), "--no-such-option");
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("usage"), std::string::npos) << o.err;
}

INSTANTIATE_TEST_SUITE_P(EveryProgram, ProgramOptions, ::testing::ValuesIn(Programs()),
                         [](const auto& param) { return param.param; });

} // namespace
