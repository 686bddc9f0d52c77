#include "server/ZevServer.h"

#include "base/SchemaFile.h"
#include "server/OrderBody.h"
#include "server/TableStream.h"
#include "server/TableText.h"

#include <algorithm>
#include <arpa/inet.h>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <httplib.h>
#include <netinet/in.h>
#include <regex>
#include <stdexcept>
#include <strings.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zev::server {

namespace {

PageReply Error(const std::string& text) { return {"<ERROR>" + text + "</ERROR>\n"}; }

const char* const kHtmlFault =
    "<HTML><HEAD><TITLE>Error</TITLE></HEAD><BODY><TABLE><TR><TD>The server encountered an error.</TD></TR>"
    "</TABLE></BODY></HTML>\n";

bool IsLoopback(const std::string& address)
{
    return address == "127.0.0.1" || address == "::1" || address == "::ffff:127.0.0.1";
}

// Closes the connection a request arrived on without answering it. The HTTP library does not hand
// its sockets to handlers, so the socket is found by its two port numbers.
void DropConnection(const httplib::Request& req)
{
    for (int fd = 3; fd < 4096; ++fd) {
        sockaddr_storage local{}, peer{};
        socklen_t localLength = sizeof local, peerLength = sizeof peer;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localLength) != 0 ||
            getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0)
            continue;
        auto port = [](const sockaddr_storage& a) {
            if (a.ss_family == AF_INET)
                return static_cast<int>(ntohs(reinterpret_cast<const sockaddr_in&>(a).sin_port));
            if (a.ss_family == AF_INET6)
                return static_cast<int>(ntohs(reinterpret_cast<const sockaddr_in6&>(a).sin6_port));
            return -1;
        };
        if (port(local) == req.local_port && port(peer) == req.remote_port) {
            shutdown(fd, SHUT_RDWR);
            return;
        }
    }
}

// A download stamp as the program writes it; anything else is ignored and the whole table is sent,
// which costs time but never loses a change.
std::optional<std::string> Stamp(const std::vector<FormField>& query, const char* name)
{
    static const std::regex form(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})");
    auto value = FindField(query, name);
    if (!value)
        return std::nullopt;
    std::string trimmed = TrimBlanks(*value);
    if (!std::regex_match(trimmed, form))
        return std::nullopt;
    return trimmed;
}

bool EndsWithCfm(std::string& page)
{
    if (page.size() < 5 || strcasecmp(page.c_str() + page.size() - 4, ".cfm") != 0)
        return false;
    page.resize(page.size() - 4);
    return true;
}

// server.db holds every representative's password digest, which is the
// credential itself, and request.log their requests: both owner-only, in a
// folder only the owner can enter. The folder is restricted when it was named
// (the default "." is the caller's own working folder and is left alone).
// Returns the path of the file, made owner-only before anything is written.
std::string PrivateFile(const std::string& dir, const std::string& name)
{
    std::filesystem::create_directories(dir);
    if (dir != "." && ::chmod(dir.c_str(), 0700) != 0)
        throw std::runtime_error("cannot restrict the data folder " + dir);
    std::string path = dir + "/" + name;
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::runtime_error("cannot create " + path);
    bool ok = ::fchmod(fd, 0600) == 0;
    ::close(fd);
    if (!ok)
        throw std::runtime_error("cannot restrict " + path);
    return path;
}

} // namespace

ZevServer::ZevServer(ServerOptions options, const IClock& clock)
    : m_options(std::move(options)), m_clock(clock), m_store(PrivateFile(m_options.dataDir, "server.db")),
      m_log(PrivateFile(m_options.dataDir, "request.log"))
{
    if (!m_options.schemaPath.empty()) {
        SchemaFile schema = SchemaFile::Load(m_options.schemaPath);
        m_store.CreateMasterTables(schema, &m_schemaProblems);
        m_refreshTables = schema.List("Database", "RefreshSync");
    }
    for (const std::string& problem : m_schemaProblems)
        m_log.Write(Now() + " schema: " + problem);
}

ZevServer::~ZevServer() { Stop(); }

std::string ZevServer::Now() const
{
    std::time_t now = m_clock.Now();
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, ServerStore::kStampFormat, &local);
    return buffer;
}

bool ZevServer::Bind()
{
    if (!m_options.certFile.empty() || !m_options.keyFile.empty()) {
        auto tls = std::make_unique<httplib::SSLServer>(m_options.certFile.c_str(), m_options.keyFile.c_str());
        if (!tls->is_valid())
            return false;
        m_http = std::move(tls);
    } else {
        m_http = std::make_unique<httplib::Server>();
    }
    // Enough threads that requests held by the delay switch do not block the others.
    m_http->new_task_queue = [] { return new httplib::ThreadPool(16); };
    m_http->set_payload_max_length(64u << 20);
    Route();
    if (m_options.port == 0) {
        m_port = m_http->bind_to_any_port(m_options.host);
        return m_port > 0;
    }
    m_port = m_options.port;
    return m_http->bind_to_port(m_options.host, m_options.port);
}

void ZevServer::Run()
{
    m_runCalled = true;
    if (m_http && !m_stopRequested)
        m_http->listen_after_bind();
    m_finished = true;
}

bool ZevServer::Start()
{
    if (!Bind())
        return false;
    m_thread = std::thread([this] { Run(); });
    // The socket is bound already, so connections queue until the loop accepts them.
    return true;
}

void ZevServer::Stop()
{
    m_stopRequested = true;
    m_faults.Wake();
    if (m_http) {
        // The library ignores a stop that comes before its loop runs; wait for the loop or its end.
        while (m_runCalled && !m_finished && !m_http->is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m_http->stop();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void ZevServer::Route()
{
    m_http->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
        if (req.path.rfind("/admin/", 0) == 0 || m_faults.Current().mode != FaultMode::Refuse)
            return httplib::Server::HandlerResponse::Unhandled;
        m_log.Write(Now() + " " + req.remote_addr + " " + req.method + " " + RequestLog::MaskSecrets(req.target) +
                    " refused");
        DropConnection(req);
        return httplib::Server::HandlerResponse::Handled;
    });
    auto page = [this](const httplib::Request& req, httplib::Response& res) { HandlePage(req, res); };
    m_http->Get(R"(/MobileServer/([^/]+)/([^/]+))", page);
    m_http->Post(R"(/MobileServer/([^/]+)/([^/]+))", page);
    auto admin = [this](const httplib::Request& req, httplib::Response& res) { HandleAdmin(req, res); };
    m_http->Get("/admin/fault", admin);
    m_http->Post("/admin/fault", admin);
}

void ZevServer::HandleAdmin(const httplib::Request& req, httplib::Response& res)
{
    if (!IsLoopback(req.remote_addr)) {
        res.status = 403;
        res.set_content("forbidden\n", "text/plain");
        return;
    }
    if (req.method == "POST") {
        std::string error;
        if (!m_faults.Set(req.body, &error)) {
            res.status = 400;
            res.set_content(error + "\n", "text/plain");
            return;
        }
    }
    Fault fault = m_faults.Current();
    std::string state = std::string("mode=") + FaultSwitch::Name(fault.mode) + "&ms=" + std::to_string(fault.delayMs) +
                        "&rows=" + std::to_string(fault.rows);
    if (fault.mode == FaultMode::Reply)
        state += "&page=" + fault.page + "&store=" + (fault.store ? "1" : "0");
    m_log.Write(Now() + " " + req.remote_addr + " " + req.method + " /admin/fault " + state);
    res.set_content(state + "\n", "text/plain");
}

void ZevServer::HandlePage(const httplib::Request& req, httplib::Response& res)
{
    std::string page = req.matches[2];
    PageReply reply;
    Fault fault = m_faults.Current();
    bool chosen =
        fault.mode == FaultMode::Reply &&
        (strcasecmp(page.c_str(), fault.page.c_str()) == 0 ||
         strcasecmp(page.c_str(), (fault.page + ".cfm").c_str()) == 0) &&
        (fault.table.empty() ||
         strcasecmp(FindField(SplitQuery(req.target), "Tablenames").value_or("").c_str(), fault.table.c_str()) == 0);
    // A table reply goes out as its rows are read, unless a chosen reply
    // replaces it.
    std::shared_ptr<TableStream> stream;
    try {
        if (!chosen || fault.store)
            reply = Respond(page, req.target, req.body, chosen ? nullptr : &stream);
    } catch (const std::exception& e) {
        m_log.Write(Now() + " error in " + page + ": " + e.what());
        reply = Error("The server could not complete the request");
        stream.reset();
    }
    if (chosen)
        reply = {fault.text, "text/plain"};
    if (stream) {
        Stream(req, res, std::move(stream));
        return;
    }
    // The password page answers with the new digest, which stays out of the log.
    std::string firstLine = strcasecmp(page.c_str(), "UpdatePassword.cfm") == 0
                                ? std::string(reply.text.rfind("<ERROR>", 0) == 0 ? "refused" : "changed")
                                : reply.text.substr(0, std::min<size_t>(reply.text.find('\n'), 60));
    m_log.Write(Now() + " " + req.remote_addr + " " + req.method + " " + RequestLog::MaskSecrets(req.target) +
                " body=" + std::to_string(req.body.size()) + " status=" + std::to_string(reply.status) +
                " reply=" + std::to_string(reply.text.size()) + " " + firstLine);
    res.status = reply.status;
    res.set_content(reply.text, reply.contentType.c_str());
}

void ZevServer::Stream(const httplib::Request& req, httplib::Response& res, std::shared_ptr<TableStream> stream)
{
    struct Progress {
        size_t sent = 0;
        std::string firstLine;
    };
    auto progress = std::make_shared<Progress>();
    const std::string head = Now() + " " + req.remote_addr + " " + req.method + " " +
                             RequestLog::MaskSecrets(req.target) + " body=" + std::to_string(req.body.size()) +
                             " status=200";
    res.status = 200;
    res.set_chunked_content_provider(
        "text/plain",
        [this, stream, progress](size_t, httplib::DataSink& sink) {
            std::string piece;
            try {
                if (!stream->Next(piece)) {
                    sink.done();
                    return true;
                }
            } catch (const std::exception& e) {
                // The status has gone out: breaking the connection is the
                // only way left to say the reply is not whole.
                m_log.Write(Now() + " error in grabdata: " + e.what());
                return false;
            }
            if (progress->sent == 0)
                progress->firstLine = piece.substr(0, std::min<size_t>(piece.find('\n'), 60));
            progress->sent += piece.size();
            return sink.write(piece.data(), piece.size());
        },
        [this, head, progress](bool success) {
            m_log.Write(head + " reply=" + std::to_string(progress->sent) + " " + progress->firstLine +
                        (success ? "" : " (broken off)"));
        });
}

PageReply ZevServer::Answer(const std::string& page, const std::string& target, const std::string& body)
{
    return Respond(page, target, body, nullptr);
}

PageReply ZevServer::Respond(const std::string& pageName, const std::string& target, const std::string& body,
                             std::shared_ptr<TableStream>* stream)
{
    Fault fault = m_faults.Current();
    switch (fault.mode) {
    case FaultMode::Error:
        return Error("The server is not available at the moment, please try again later");
    case FaultMode::Html:
        return {kHtmlFault, "text/html"};
    case FaultMode::Delay:
        m_faults.Sleep(fault.delayMs);
        break;
    default:
        break;
    }
    std::string page = pageName;
    if (!EndsWithCfm(page))
        return {"<ERROR>Unknown page</ERROR>\n", "text/plain", 404};
    std::vector<FormField> query = SplitQuery(target);

    if (strcasecmp(page.c_str(), "UpdatePassword") == 0)
        return UpdatePassword(query);

    bool orders = strcasecmp(page.c_str(), "takeOrders") == 0;
    const UploadPage* upload = FindUploadPage(page);
    bool known =
        orders || upload || strcasecmp(page.c_str(), "goodmorning") == 0 || strcasecmp(page.c_str(), "grabdata") == 0;
    if (!known)
        return {"<ERROR>Unknown page</ERROR>\n", "text/plain", 404};

    // The order page takes the digest as lower-case p.
    auto digest = FindField(query, orders ? "p" : "P");
    if (!digest && orders)
        digest = FindField(query, "P");
    auto user = m_store.Authenticate(FindField(query, "ID").value_or(""), digest.value_or(""));
    if (!user) {
        // The notes upload counts any reply but "1" as stored: "1" keeps the program's notes waiting.
        if (upload && std::string(upload->name) == "updateNotes")
            return {"1\n"};
        return Error("Invalid user ID or password");
    }
    if (orders)
        return TakeOrders(*user, body);
    if (upload)
        return Upload(*upload, *user, body);
    if (strcasecmp(page.c_str(), "goodmorning") == 0)
        return GoodMorning(*user);
    return GrabData(*user, query, fault, stream);
}

PageReply ZevServer::GoodMorning(const ServerUser&)
{
    std::time_t now = m_clock.Now();
    std::tm t{};
    localtime_r(&now, &t);
    char buffer[256];
    std::snprintf(buffer, sizeof buffer,
                  "<DATA><YEAR>%d</YEAR><MONTH>%d</MONTH><DAY>%d</DAY><HOUR>%d</HOUR><MINUTE>%d</MINUTE>"
                  "<SECOND>%d</SECOND></DATA>\n",
                  t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    return {buffer};
}

PageReply ZevServer::GrabData(const ServerUser& user, const std::vector<FormField>& query, const Fault& fault,
                              std::shared_ptr<TableStream>* stream)
{
    auto names = FindField(query, "Tablenames");
    if (!names || TrimBlanks(*names).empty())
        return Error("No table requested");
    std::string error;
    auto reps = m_store.Scope(user, TrimBlanks(FindField(query, "MID").value_or("")), &error);
    if (!reps)
        return Error(error);
    size_t withheld = fault.mode == FaultMode::Truncate ? static_cast<size_t>(fault.rows) : 0;
    // Every table is judged before any row is read.
    std::vector<TableQuery> tables;
    for (const std::string& raw : SplitAt(*names, ',')) {
        std::string name = TrimBlanks(raw);
        if (name.empty())
            continue;
        if (strcasecmp(name.c_str(), "Inventory") == 0) {
            auto since = Stamp(query, "ItemsUD");
            if (!since)
                since = Stamp(query, "UD");
            if (!m_store.IsMasterTable("Items"))
                return Error("No inventory on this server");
            tables.push_back(ServerStore::PlanInventory(since));
        } else if (m_store.IsMasterTable(name)) {
            bool refresh = std::any_of(m_refreshTables.begin(), m_refreshTables.end(),
                                       [&](const std::string& t) { return strcasecmp(t.c_str(), name.c_str()) == 0; });
            std::optional<std::string> recentFrom;
            if (refresh) {
                // The program deletes the rows of today and yesterday before it asks for the changes.
                std::time_t yesterday = m_clock.Now() - 24 * 3600;
                std::tm day{};
                localtime_r(&yesterday, &day);
                char buffer[16];
                std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &day);
                recentFrom = buffer;
            }
            tables.push_back(m_store.PlanTable(name, *reps, Stamp(query, "UD"), recentFrom));
        } else {
            return Error("Unknown table " + name);
        }
    }
    if (stream != nullptr) {
        *stream = std::make_shared<TableStream>(m_store.Path(), std::move(tables), withheld);
        return {};
    }
    std::string text;
    for (const TableQuery& table : tables) {
        TableWriter writer;
        m_store.WriteQuery(writer, table);
        writer.AppendTo(text, withheld);
    }
    return {text};
}

PageReply ZevServer::TakeOrders(const ServerUser& user, const std::string& body)
{
    ReceivedOrder order;
    std::string error;
    if (!ParseOrderBody(body, order, error))
        return Error("The order was not accepted: " + error);
    bool repeated = false;
    std::int64_t id = m_store.StoreOrder(user.id, order, body, Now(), &repeated);
    if (repeated)
        m_log.Write(Now() + " order " + std::to_string(id) + " received again; not stored twice");
    return {"<OK>\n"};
}

PageReply ZevServer::Upload(const UploadPage& page, const ServerUser& user, const std::string& body)
{
    std::vector<UploadField> fields;
    std::string error;
    bool notes = std::string(page.name) == "updateNotes";
    if (!DecodeUpload(page, body, fields, error))
        return notes ? PageReply{"1\n"} : Error("The upload was not accepted: " + error);
    m_store.StoreUpload(page.name, user.id, body, fields, page.success, Now());
    return {std::string(page.success) + "\n"};
}

PageReply ZevServer::UpdatePassword(const std::vector<FormField>& query)
{
    std::string id = FindField(query, "ID").value_or("");
    std::string current = FindField(query, "P").value_or("");
    std::string next = TrimBlanks(FindField(query, "cp").value_or(""));
    if (!m_store.Authenticate(id, current))
        return Error("Invalid user ID or password");
    bool printable =
        !next.empty() && std::all_of(next.begin(), next.end(), [](unsigned char c) { return c > ' ' && c < 127; });
    if (next.size() != 32 || !printable)
        return Error("The new password digest is not valid");
    if (!m_store.ChangeDigest(id, current, next))
        return Error("The password could not be changed");
    return {next + "\n"};
}

} // namespace zev::server
