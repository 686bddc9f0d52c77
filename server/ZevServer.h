#pragma once

#include "base/Clock.h"
#include "server/FaultSwitch.h"
#include "server/FormBody.h"
#include "server/RequestLog.h"
#include "server/ServerStore.h"
#include "server/UploadBody.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

namespace zev::server {

class TableStream;

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 0; // 0: any free port, see Port()
    std::string dataDir;
    std::string schemaPath; // empty: use the tables server.db already holds
    std::string certFile;   // both set: serve HTTPS
    std::string keyFile;
};

// A text reply and its content type.
struct PageReply {
    std::string text;
    std::string contentType = "text/plain";
    int status = 200;
};

// The distributor's reference server: every page under "/MobileServer/<version>/" the program calls,
// answered from server.db, plus POST /admin/fault for tests.
class ZevServer {
public:
    // Opens (creating) DATA/server.db and DATA/request.log and creates the schema's missing tables.
    // Throws std::runtime_error when the data folder or schema cannot be used.
    ZevServer(ServerOptions options, const IClock& clock);
    ~ZevServer();
    ZevServer(const ZevServer&) = delete;
    ZevServer& operator=(const ZevServer&) = delete;

    // Binds the listening socket; false when the address or port cannot be used.
    bool Bind();
    int Port() const { return m_port; }
    // Serves until Stop; call after Bind.
    void Run();
    // Bind and serve on a background thread (tests, in-process use).
    bool Start();
    void Stop();

    // Answers one page request; the HTTP layer only carries it. Exposed for tests.
    PageReply Answer(const std::string& page, const std::string& target, const std::string& body);

    ServerStore& Store() { return m_store; }
    FaultSwitch& Faults() { return m_faults; }
    const std::vector<std::string>& SchemaProblems() const { return m_schemaProblems; }

private:
    void Route();
    void HandlePage(const httplib::Request& req, httplib::Response& res);
    void HandleAdmin(const httplib::Request& req, httplib::Response& res);
    // Sends a table reply as its rows are read (chunked), logging it once sent.
    void Stream(const httplib::Request& req, httplib::Response& res, std::shared_ptr<TableStream> stream);
    std::string Now() const;

    PageReply GoodMorning(const ServerUser& user);
    // With `stream`, a grabdata reply is not built but left there to be
    // written piece by piece; the reply returned is then empty (errors are
    // still returned whole).
    PageReply Respond(const std::string& page, const std::string& target, const std::string& body,
                      std::shared_ptr<TableStream>* stream);
    PageReply GrabData(const ServerUser& user, const std::vector<FormField>& query, const Fault& fault,
                       std::shared_ptr<TableStream>* stream);
    PageReply TakeOrders(const ServerUser& user, const std::string& body);
    PageReply Upload(const UploadPage& page, const ServerUser& user, const std::string& body);
    PageReply UpdatePassword(const std::vector<FormField>& query);

    ServerOptions m_options;
    const IClock& m_clock;
    ServerStore m_store;
    RequestLog m_log;
    FaultSwitch m_faults;
    std::vector<std::string> m_schemaProblems;
    std::vector<std::string> m_refreshTables; // [Database] RefreshSync of the schema
    std::unique_ptr<httplib::Server> m_http;
    std::thread m_thread;
    int m_port = 0;
    std::atomic<bool> m_runCalled{false};
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_finished{false};
};

} // namespace zev::server
