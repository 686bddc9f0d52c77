#include "SatchelApp.h"

#include "PasswordPrompt.h"
#include "ZevVersion.h"

#include "TerminalMessageBox.h"
#include "TerminalProgress.h"

#include "app/core/StartupSequence.h"
#include "app/core/StringTable.h"
#include "app/libraries/LibraryTable.h"
#include "base/Clock.h"
#include "sync/CoreAdapters.h"
#include "sync/DatabaseBuilder.h"
#include "sync/Maintenance.h"
#include "sync/OrderSender.h"
#include "sync/SyncRunner.h"
#include "sync/SyncStack.h"
#include "sync/SyncText.h"
#include "sync/TabulaSyncDb.h"
#include "sync/Uploads.h"
#include "tabula/Tabula.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <unistd.h>

namespace satchel {

namespace {

using namespace zev::sync;

const std::map<std::string, std::string> kHelp = {
    {"", "usage: satchel [--home DIR] [--yes | --no] COMMAND [OPTIONS]\n"
         "\n"
         "commands:\n"
         "  setup --user ID [--password-stdin] [--manager ID]  record who the representative is\n"
         "  sync [--complete | --inventory | --table NAME]   synchronise with the server\n"
         "  send-orders [--order N] [--resend-unknown]       send ready orders\n"
         "  status                                           what waits to be sent, stamps, database check\n"
         "  db check|rebuild|backup|restore                  maintain the local database\n"
         "  sql \"STATEMENT\"                                  run one statement, print its rows\n"
         "  export-items FILE                                write the item list\n"
         "  password --old X --new Y                         change the password on the server\n"
         "  report-issue --short TEXT --details TEXT [--contact]  file an issue report for the next sync\n"
         "  messages                                         count the new messages in the inbox\n"
         "\n"
         "  --home DIR   program folder (ZevSatchel.INI, ZevConfig.dat, helper libraries);\n"
         "               default: the executable's folder, else the installed kit\n"
         "  --yes        answer Yes to every question\n"
         "  --no         answer No (or Cancel) to every question\n"
         "  --help       show this help;  --version  show the version\n"
         "  COMMAND --help shows the command's help.\n"},
    {"setup", "usage: satchel setup --user ID [--password-stdin | --password PW] [--manager ID]\n"
              "Stores the user ID (at least 6 digits), the password digest and the manager ID.\n"
              "On a terminal the password is asked for twice and not shown. Scripts give it as the\n"
              "first line of standard input with --password-stdin; --password PW shows it to every\n"
              "user of the machine (process list) and stays in the shell history.\n"},
    {"sync", "usage: satchel sync [--complete | --inventory | --table NAME]\n"
             "Default: synchronisation. --complete: complete update. --inventory: inventory update.\n"
             "--table NAME: download one table of the schema again.\n"},
    {"send-orders", "usage: satchel send-orders [--order N] [--resend-unknown]\n"
                    "Sends every ready order, or order N. An order whose last sending got no answer may have\n"
                    "reached the distributor: it is skipped (exit 1) unless --resend-unknown is given.\n"},
    {"status", "usage: satchel status\nUnsent orders, records waiting for upload, stamps, database check.\n"
               "Before set-up it says so and exits with 1.\n"},
    {"db", "usage: satchel db check|rebuild|backup|restore\n"
           "check: check (and rebuild when a table is missing); rebuild: empty every table;\n"
           "backup / restore: the compressed copy of the database file.\n"},
    {"sql", "usage: satchel sql \"STATEMENT\"\nRuns one statement on the local database; a select prints its rows.\n"},
    {"export-items", "usage: satchel export-items FILE\nWrites UPC|SKU|Description for every item in use.\n"},
    {"password", "usage: satchel password --old X --new Y\nChanges the password on the server and stores it.\n"},
    {"report-issue", "usage: satchel report-issue --short TEXT --details TEXT [--contact]\n"
                     "Files an issue report; the next synchronisation sends it. --contact asks the\n"
                     "distributor to get in touch.\n"},
    {"messages", "usage: satchel messages\nPrints how many new messages wait in the inbox.\n"},
};

struct Args {
    std::string home;
    bool yes = false;
    bool no = false;
    std::string command;
    std::vector<std::string> rest;
};

// Options of a command: "--name value" pairs and flags; anything else is positional.
struct CommandLine {
    std::map<std::string, std::string> values;
    std::vector<std::string> flags;
    std::vector<std::string> positional;
    bool Flag(const std::string& f) const
    {
        for (const auto& x : flags)
            if (x == f)
                return true;
        return false;
    }
    std::string Value(const std::string& k) const
    {
        auto it = values.find(k);
        return it == values.end() ? std::string() : it->second;
    }
    bool Has(const std::string& k) const { return values.count(k) != 0; }
};

bool ParseCommand(const std::vector<std::string>& rest, const std::vector<std::string>& valued,
                  const std::vector<std::string>& flagNames, CommandLine& cl, std::string& error)
{
    for (size_t i = 0; i < rest.size(); ++i) {
        const std::string& a = rest[i];
        bool isValued = std::find(valued.begin(), valued.end(), a) != valued.end();
        bool isFlag = std::find(flagNames.begin(), flagNames.end(), a) != flagNames.end();
        if (isValued) {
            if (i + 1 >= rest.size()) {
                error = a + " needs a value";
                return false;
            }
            cl.values[a] = rest[++i];
        } else if (isFlag) {
            cl.flags.push_back(a);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            error = "unknown option " + a;
            return false;
        } else {
            cl.positional.push_back(a);
        }
    }
    return true;
}

// Everything one command needs, started the way the program starts.
class Session {
public:
    Session(TerminalMessageBox& box, TerminalProgress& progress, std::ostream& out)
        : m_box(box), m_progress(progress), m_out(out)
    {
    }
    ~Session()
    {
        m_stack.reset();
        m_libs.Unload();
    }

    bool Start(const std::string& home)
    {
        zev::StartupSequence::Options o;
        o.programDir = home.empty() ? zev::ZevFolders::DefaultProgramDir() : std::filesystem::absolute(home).string();
        o.singleInstance = false;
        m_startup = std::make_unique<zev::StartupSequence>(m_box, o);
        if (m_startup->Run(m_app) != zev::StartupSequence::Result::Started)
            return false;
        const zev::ZevFolders& f = m_startup->Folders();
        std::error_code ec;
        std::filesystem::create_directories(f.TempDir(), ec);

        zev::LibraryLoadOptions lo;
        lo.programDir = f.ProgramDir();
        lo.debugFile = f.DebugLogPath();
        lo.dataDir = f.DataDir();
        std::string dbName = m_app.databaseName.empty() ? std::string("master") : m_app.databaseName;
        lo.pricingDatabase = f.DatabasePath(dbName);
        if (!m_libs.Load(lo, m_box))
            return false;

        SyncStackInputs in{f, m_app, m_startup->UserProfile(), m_libs, m_box, &m_progress, m_clock};
        // The companion never sets the machine's clock; the program does.
        in.setsMachineClock = false;
        m_stack = std::make_unique<SyncStack>(in);
        m_engine = &m_stack->Engine();
        m_builder = &m_stack->Builder();
        m_runner = &m_stack->Runner();
        m_sender = &m_stack->Orders();
        m_maint = &m_stack->Maint();
        m_db = &m_stack->Db();
        return true;
    }

    // Opens pool 0 as sign-in does; a broken earlier run is recovered first.
    bool OpenDatabase(bool recover)
    {
        if (!m_db->OpenAdmin()) {
            m_out << "the local database cannot be opened\n";
            return false;
        }
        if (recover && m_engine->Profile().GetInt("RestoreOnOpen", 0) == 1)
            m_runner->ContinueSignIn();
        return true;
    }

    zev::AppState m_app;
    TerminalMessageBox& m_box;
    TerminalProgress& m_progress;
    std::ostream& m_out;
    std::unique_ptr<zev::StartupSequence> m_startup;
    zev::LibraryTable m_libs;
    zev::SystemClock m_clock;
    std::unique_ptr<SyncStack> m_stack;
    SyncEngine* m_engine = nullptr;
    DatabaseBuilder* m_builder = nullptr;
    SyncRunner* m_runner = nullptr;
    OrderSender* m_sender = nullptr;
    Maintenance* m_maint = nullptr;
    ISyncDb* m_db = nullptr;
};

void NewMessagesCheck(Session& s) { (void)s.m_maint->NoticeNewMessages(); }

int CmdSetup(Session& s, const CommandLine& cl, const std::string& pw, const std::string& confirm)
{
    bool managerMode = s.m_app.settings.config.Byte(200) == 1;
    int r = s.m_maint->FirstTimeSetup(cl.Value("--user"), pw, confirm, cl.Value("--manager"), managerMode);
    if (r != 0)
        return SatchelApp::kFailed;
    s.m_out << "settings stored for user " << cl.Value("--user") << "\n";
    return SatchelApp::kOk;
}

int CmdSync(Session& s, const CommandLine& cl)
{
    int kind = kSynchronise;
    if (cl.Flag("--complete"))
        kind = kCompleteUpdate;
    if (cl.Flag("--inventory"))
        kind = kInventoryUpdate;
    if (cl.Has("--table")) {
        std::vector<std::string> names = SplitList(s.m_builder->Schema().Value("Database", "TableNames"));
        auto it = std::find(names.begin(), names.end(), cl.Value("--table"));
        if (it == names.end()) {
            s.m_out << "no table " << cl.Value("--table") << " in the schema file\n";
            return SatchelApp::kFailed;
        }
        kind = kRenewTableBase + static_cast<int>(it - names.begin());
    }
    if (!s.OpenDatabase(true))
        return SatchelApp::kFailed;
    if (kind == kCompleteUpdate)
        s.m_engine->ReportProgress("Checking Connection", 100, 1);
    int conn = s.m_engine->EnsureConnected();
    if (conn <= 0)
        return SatchelApp::kFailed;
    if (kind == kCompleteUpdate)
        s.m_engine->Profile().SetString("LastRenewTable", "");
    bool ok = s.m_runner->SyncRun(kind, &s.m_progress);
    s.m_progress.Finish();
    if (conn == 2)
        s.m_engine->Disconnect();
    NewMessagesCheck(s);
    return ok ? SatchelApp::kOk : SatchelApp::kFailed;
}

int CmdSendOrders(Session& s, const CommandLine& cl)
{
    int order = 0;
    if (cl.Has("--order")) {
        order = ToInt(cl.Value("--order"));
        if (order <= 0) {
            s.m_out << "--order needs a ready order number\n";
            return SatchelApp::kUsage;
        }
    }
    if (!s.OpenDatabase(true))
        return SatchelApp::kFailed;
    bool ok = s.m_sender->SendOrders(order, &s.m_progress,
                                     cl.Flag("--resend-unknown") ? UnknownOrders::Resend : UnknownOrders::Skip);
    s.m_progress.Finish();
    if (!ok)
        s.m_box.Show(order ? 65058 : 65062, zev::Caption::Error, zev::MbButtons::Ok, zev::MbIcon::Stop);
    NewMessagesCheck(s);
    return ok ? SatchelApp::kOk : SatchelApp::kFailed;
}

int CmdStatus(Session& s)
{
    std::ostream& o = s.m_out;
    ISyncProfile& p = s.m_engine->Profile();
    if (p.GetString("UserID").empty()) {
        o << "satchel is not set up yet: run \"satchel setup --user ID\" (it asks for the password), then "
             "\"satchel sync --complete\"\n";
        return SatchelApp::kFailed;
    }
    if (!s.OpenDatabase(false))
        return SatchelApp::kFailed;
    o << "user: " << p.GetString("UserID") << "\n";
    o << "waiting to be sent:\n";
    for (const auto& [table, n] : s.m_maint->WaitingRecords())
        o << "  " << table << ": " << (n < 0 ? std::string("(cannot be read)") : std::to_string(n)) << "\n";
    for (const UnknownOrder& u : s.m_sender->UnknownOutcomes())
        o << "  order " << u.readyId << " (account " << u.account << ") may have reached the distributor: sending "
          << "started " << u.started << " without an answer; send-orders --resend-unknown sends it again\n";
    o << "stamps:\n";
    zev::SchemaFile schema = s.m_builder->Schema();
    std::vector<std::string> names{"LastRenewUD", "LastSyncUD", "InventoryUD", "ItemsUD", "SyncTimeUD"};
    for (const std::string& t : SplitList(schema.Value("Database", "TableNames")))
        if (std::find(names.begin(), names.end(), t + "UD") == names.end())
            names.push_back(t + "UD");
    for (const std::string& n : names) {
        std::string v = p.GetString(n);
        if (!v.empty())
            o << "  " << n << ": " << v << "\n";
    }
    if (p.GetInt("RestoreOnOpen", 0) == 1)
        o << "  an update was interrupted"
          << (p.GetString("LastRenewTable").empty() ? "" : " at table " + p.GetString("LastRenewTable")) << "\n";
    o << "database:\n";
    if (!schema.Exists()) {
        o << "  the schema file is missing\n";
        return SatchelApp::kFailed;
    }
    bool complete = true;
    for (const std::string& t : SplitList(schema.Value("Database", "TableNames")))
        if (!t.empty() && !s.m_db->Exec(Format("select * from %s where 1=0", t.c_str()))) {
            o << "  table " << t << " cannot be read\n";
            complete = false;
        }
    for (const char* t : {"Items", "Accounts", "PricingScheme"}) {
        Rows r;
        if (s.m_db->Select(Format("select count(*) from %s", t), r) && !r.empty() && ToInt(r[0][0]) == 0) {
            o << "  " << t << " holds no rows\n";
            complete = false;
        }
    }
    std::string version = schema.Value("Database", "Version");
    if (p.GetString("DBVersion") != version) {
        o << "  built with schema version '" << p.GetString("DBVersion") << "', the schema file is '" << version
          << "'\n";
        complete = false;
    }
    if (complete)
        o << "  complete\n";
    return SatchelApp::kOk;
}

int CmdDb(Session& s, const CommandLine& cl)
{
    if (cl.positional.size() != 1)
        return SatchelApp::kUsage;
    const std::string& what = cl.positional[0];
    if (what == "check") {
        if (!s.OpenDatabase(false))
            return SatchelApp::kFailed;
        int r = s.m_builder->CheckDatabase();
        s.m_progress.Finish();
        // Tables that exist may still be empty or half filled after a run
        // that broke off: each downloaded table must have arrived whole.
        std::vector<std::string> problems;
        bool whole = s.m_builder->DownloadsComplete(problems);
        for (const std::string& problem : problems)
            s.m_out << "  " << problem << "\n";
        bool ok = r == 0 && whole;
        s.m_out << (ok ? "the database is complete\n" : "the database is not complete; a complete update is needed\n");
        return ok ? SatchelApp::kOk : SatchelApp::kFailed;
    }
    if (what == "rebuild") {
        if (s.m_box.Ask(65071, zev::Caption::Warning, zev::MbButtons::YesNo, zev::MbIcon::Warning, zev::MbResult::No) !=
            zev::MbResult::Yes)
            return SatchelApp::kFailed;
        int r = s.m_maint->DeleteDatabase();
        s.m_progress.Finish();
        s.m_out << (r == 0 ? "every table rebuilt\n" : "errors rebuilding the database (see $q9err.txt)\n");
        return r == 0 ? SatchelApp::kOk : SatchelApp::kFailed;
    }
    if (what == "restore") {
        // Asks first (--yes answers), keeps the waiting orders, reports the real result.
        auto r = s.m_runner->RestoreDatabaseCommand(&s.m_progress);
        s.m_progress.Finish();
        return r == SyncRunner::RestoreOutcome::Restored ? SatchelApp::kOk : SatchelApp::kFailed;
    }
    if (what == "backup" || what == "restore") {
        int r =
            what == "backup" ? s.m_runner->BackupDatabase(&s.m_progress) : s.m_runner->RestoreDatabase(&s.m_progress);
        s.m_progress.Finish();
        if (r != 1) {
            s.m_out << (what == "backup" ? "the backup failed\n" : "the restore failed\n");
            return SatchelApp::kFailed;
        }
        s.m_out << (what == "backup" ? "database backed up\n" : "database restored\n");
        return SatchelApp::kOk;
    }
    return SatchelApp::kUsage;
}

int CmdSql(Session& s, const CommandLine& cl)
{
    if (cl.positional.size() != 1)
        return SatchelApp::kUsage;
    if (!s.OpenDatabase(false))
        return SatchelApp::kFailed;
    Query q("", "", 0);
    CVORecordset* rs = q.getRS();
    if (!rs->Open(cl.positional[0], adOpenStatic, adLockReadOnly, adCmdText)) {
        s.m_out << "the statement failed: " << rs->GetLastError() << "\n";
        return SatchelApp::kFailed;
    }
    if (rs->GetFieldCount() > 0)
        tabula::ResultPrinter::Print(*rs, s.m_out);
    else
        s.m_out << rs->GetRowsAffected() << " row(s) affected\n";
    return SatchelApp::kOk;
}

int CmdExportItems(Session& s, const CommandLine& cl)
{
    if (cl.positional.size() != 1)
        return SatchelApp::kUsage;
    if (!s.OpenDatabase(false))
        return SatchelApp::kFailed;
    int n = s.m_maint->ExportItems(cl.positional[0], &s.m_progress);
    s.m_progress.Finish();
    if (n < 0) {
        s.m_out << "cannot write " << cl.positional[0] << "\n";
        return SatchelApp::kFailed;
    }
    s.m_engine->Profile().SetString("ItemExportFile", cl.positional[0]);
    s.m_out << n << " item(s) written to " << cl.positional[0] << "\n";
    return SatchelApp::kOk;
}

int CmdPassword(Session& s, const CommandLine& cl)
{
    std::string nw = cl.Value("--new");
    int r = s.m_maint->ChangePassword(cl.Value("--old"), nw, cl.Has("--confirm") ? cl.Value("--confirm") : nw);
    if (r != 0)
        return SatchelApp::kFailed;
    s.m_out << "password changed\n";
    return SatchelApp::kOk;
}

int CmdReportIssue(Session& s, const CommandLine& cl)
{
    if (!s.OpenDatabase(false))
        return SatchelApp::kFailed;
    int r = s.m_maint->ReportIssue(cl.Value("--short"), cl.Value("--details"), cl.Flag("--contact"));
    if (r != 0) {
        s.m_box.Show(r, r == 65064 ? zev::Caption::Warning : zev::Caption::Error, zev::MbButtons::Ok,
                     zev::MbIcon::Stop);
        return SatchelApp::kFailed;
    }
    s.m_out << "issue filed; the next synchronisation sends it\n";
    return SatchelApp::kOk;
}

int CmdMessages(Session& s)
{
    if (!s.OpenDatabase(false))
        return SatchelApp::kFailed;
    s.m_out << s.m_maint->CountNewMessages() << " new message(s)\n";
    return SatchelApp::kOk;
}

} // namespace

SatchelApp::SatchelApp(std::istream& in, std::ostream& out, std::ostream& err) : m_in(in), m_out(out), m_err(err) {}

int SatchelApp::Run(const std::vector<std::string>& argv)
{
    Args a;
    size_t i = 0;
    for (; i < argv.size(); ++i) {
        const std::string& x = argv[i];
        if (x == "--home") {
            if (i + 1 >= argv.size()) {
                m_err << "--home needs a folder\n" << kHelp.at("");
                return kUsage;
            }
            a.home = argv[++i];
        } else if (x == "--yes" || x == "-y") {
            a.yes = true;
        } else if (x == "--no") {
            a.no = true;
        } else if (x == "--help" || x == "-h") {
            m_out << kHelp.at("");
            return kOk;
        } else if (x == "--version") {
            m_out << "satchel (ZevSatchel) " ZEV_VERSION "\n";
            return kOk;
        } else if (!x.empty() && x[0] == '-') {
            m_err << "unknown option " << x << "\n" << kHelp.at("");
            return kUsage;
        } else {
            a.command = x;
            ++i;
            break;
        }
    }
    for (; i < argv.size(); ++i) {
        if (argv[i] == "--yes" || argv[i] == "-y")
            a.yes = true;
        else if (argv[i] == "--no")
            a.no = true;
        else
            a.rest.push_back(argv[i]);
    }
    if (a.yes && a.no) {
        m_err << "--yes and --no exclude each other\n";
        return kUsage;
    }
    if (a.command.empty()) {
        m_err << kHelp.at("");
        return kUsage;
    }
    auto help = kHelp.find(a.command);
    if (help == kHelp.end() || a.command.empty()) {
        m_err << "unknown command " << a.command << "\n" << kHelp.at("");
        return kUsage;
    }
    for (const auto& r : a.rest)
        if (r == "--help" || r == "-h") {
            m_out << help->second;
            return kOk;
        }

    static const std::map<std::string, std::pair<std::vector<std::string>, std::vector<std::string>>> options = {
        {"setup", {{"--user", "--password", "--manager", "--confirm"}, {"--password-stdin"}}},
        {"sync", {{"--table"}, {"--complete", "--inventory"}}},
        {"send-orders", {{"--order"}, {"--resend-unknown"}}},
        {"status", {{}, {}}},
        {"db", {{}, {}}},
        {"sql", {{}, {}}},
        {"export-items", {{}, {}}},
        {"password", {{"--old", "--new", "--confirm"}, {}}},
        {"report-issue", {{"--short", "--details"}, {"--contact"}}},
        {"messages", {{}, {}}},
    };
    CommandLine cl;
    std::string error;
    const auto& [valued, flags] = options.at(a.command);
    if (!ParseCommand(a.rest, valued, flags, cl, error)) {
        m_err << error << "\n" << help->second;
        return kUsage;
    }
    int kinds = (cl.Flag("--complete") ? 1 : 0) + (cl.Flag("--inventory") ? 1 : 0) + (cl.Has("--table") ? 1 : 0);
    bool usageOk = true;
    if (a.command == "sync")
        usageOk = kinds <= 1 && cl.positional.empty();
    if (a.command == "setup")
        usageOk = cl.Has("--user") && !(cl.Has("--password") && cl.Flag("--password-stdin")) && cl.positional.empty();
    if (a.command == "password")
        usageOk = cl.Has("--old") && cl.Has("--new") && cl.positional.empty();
    if (a.command == "status" || a.command == "send-orders" || a.command == "messages")
        usageOk = cl.positional.empty();
    if (a.command == "report-issue")
        usageOk = cl.Has("--short") && cl.Has("--details") && cl.positional.empty();
    if (a.command == "db")
        usageOk = cl.positional.size() == 1 && (cl.positional[0] == "check" || cl.positional[0] == "rebuild" ||
                                                cl.positional[0] == "backup" || cl.positional[0] == "restore");
    if (a.command == "sql" || a.command == "export-items")
        usageOk = cl.positional.size() == 1;
    if (!usageOk) {
        m_err << help->second;
        return kUsage;
    }

    // The password is read before anything starts, so a script that forgot
    // it stops at once.
    std::string password, confirm;
    if (a.command == "setup") {
        if (cl.Has("--password")) {
            password = cl.Value("--password");
            confirm = cl.Has("--confirm") ? cl.Value("--confirm") : password;
        } else {
            const bool terminal = !cl.Flag("--password-stdin") && isatty(STDIN_FILENO);
            if (!terminal && !cl.Flag("--password-stdin")) {
                m_err << "satchel setup: no password: give it on standard input with --password-stdin, or run "
                         "on a terminal to be asked\n";
                return kUsage;
            }
            PasswordPrompt prompt(m_in, m_err, STDIN_FILENO);
            if (!prompt.Read("Password: ", password)) {
                m_err << "satchel setup: no password was given\n";
                return kFailed;
            }
            confirm = password;
            if (cl.Has("--confirm"))
                confirm = cl.Value("--confirm");
            else if (terminal && !prompt.Read("Confirm password: ", confirm)) {
                m_err << "satchel setup: the password was not confirmed\n";
                return kFailed;
            }
        }
    }

    const bool interactive = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    TerminalMessageBox box(m_in, m_out, interactive, a.yes, a.no);
    TerminalProgress progress(m_out, isatty(STDOUT_FILENO) != 0);
    try {
        Session s(box, progress, m_out);
        if (!s.Start(a.home))
            return kFailed;
        int r = kFailed;
        if (a.command == "setup")
            r = CmdSetup(s, cl, password, confirm);
        else if (a.command == "sync")
            r = CmdSync(s, cl);
        else if (a.command == "send-orders")
            r = CmdSendOrders(s, cl);
        else if (a.command == "status")
            r = CmdStatus(s);
        else if (a.command == "db")
            r = CmdDb(s, cl);
        else if (a.command == "sql")
            r = CmdSql(s, cl);
        else if (a.command == "export-items")
            r = CmdExportItems(s, cl);
        else if (a.command == "password")
            r = CmdPassword(s, cl);
        else if (a.command == "report-issue")
            r = CmdReportIssue(s, cl);
        else if (a.command == "messages")
            r = CmdMessages(s);
        progress.Finish();
        if (r == kUsage)
            m_err << help->second;
        return r;
    } catch (const NoAnswer& e) {
        progress.Finish();
        m_err << "satchel: stopped: " << e.what() << "\n";
        return kFailed;
    } catch (const TabulaError& e) {
        progress.Finish();
        m_err << "satchel: the local database cannot be reached: " << e.what() << "\n";
        return kFailed;
    }
}

} // namespace satchel
