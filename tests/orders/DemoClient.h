#pragma once

#include "DemoData.h"

#include "app/core/MessageBox.h"
#include "base/Clock.h"
#include "server/ZevServer.h"
#include "support/ScriptedMessageBox.h"
#include "sync/SyncStack.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/QueryPool.h"
#include "tests/sync/SyncFakes.h"

#include <httplib.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zev::test {

// The demo distributor served by the reference server on a free loopback
// port, and a client folder whose database the synchronisation stack fills
// from it as representative 100200. The stack talks HTTP like the program;
// its questions are answered Yes and remembered.
class DemoClient {
public:
    using MapSettings = sync::test::FakeSettings;
    using MapProfile = sync::test::FakeProfile;

    // Starts the server; Download() fills the client's database. `configByte`
    // stands for the distributor's switch bytes (all off when empty).
    explicit DemoClient(const std::string& tag, std::function<int(int)> configByte = {}) : demo(tag)
    {
        dir = demo.Dir() / "client";
        std::filesystem::create_directories(dir / "Temp");
        server::ServerOptions options;
        options.dataDir = demo.Dir().string();
        server = std::make_unique<server::ZevServer>(options, clock);
        if (!server->Start())
            return;
        settings.values["GENERAL/DEFAULTHOST"] = "127.0.0.1";
        settings.values["GENERAL/PORT"] = std::to_string(server->Port());
        settings.values["GENERAL/SCHEMAFILE"] = "ZevSchema.ini";
        profile.values["UserID"] = "100200";
        profile.values["Password"] = DemoData::kDigest;
        profile.values["DBVersion"] = "1.0";
        db = std::make_unique<sync::TabulaSyncDb>(Connection());

        sync::SyncServices services;
        const std::string reply = (dir / "Temp" / "$dltemp.txt").string();
        services.postData = [reply](const char* host, const char*, const char* path, const char* body, int,
                                    IProgressSink*, int port) {
            httplib::Client client(host, port);
            auto result = client.Post(path, body, "application/x-www-form-urlencoded");
            if (!result || result->status != 200)
                return 1;
            std::ofstream(reply, std::ios::binary) << result->body;
            return 0;
        };
        services.helpers.isConnected = [] { return 1; };
        // The demo's password gives the digest the demo data stores.
        services.helpers.hash = [](const std::string& password) {
            return password == DemoData::kPassword ? std::string(DemoData::kDigest) : std::string(32, '0');
        };
        services.helpers.compress = [](const char*, int) { return 1; };
        services.helpers.uncompress = [](const char*, int) { return 1; };
        services.helpers.setTime = [](int, int, int, int, int, int) { return 1; };
        if (configByte)
            services.configByte = std::move(configByte);
        services.messageBox = &box;
        services.clock = &clock;
        services.settings = &settings;
        services.profile = &profile;
        services.db = db.get();
        services.paths.replyFile = reply;
        services.paths.errorLog = (dir / "Temp" / "$q9err.txt").string();
        services.paths.tempDir = (dir / "Temp").string();
        services.paths.programDir = ZEV_SOURCE_ROOT "/distributor";
        services.paths.databaseFile = (dir / "master.db").string();
        services.mapPath = [root = dir.string()](const std::string& win) {
            std::string p = win;
            for (char& c : p)
                if (c == '\\')
                    c = '/';
            return root + p;
        };
        services.mobileVersion = "v1";
        stack = std::make_unique<sync::SyncStack>(std::move(services));
    }
    ~DemoClient()
    {
        stack.reset();
        db.reset();
        QueryPool::DestroyAll();
        server.reset();
    }
    DemoClient(const DemoClient&) = delete;
    DemoClient& operator=(const DemoClient&) = delete;

    bool Started() const { return stack != nullptr; }
    std::string Connection() const { return "Data Source=" + (dir / "master.db").string(); }

    // The complete download of a first start. False names nothing: see Shown().
    bool Download()
    {
        return db->OpenAdmin() && stack->Builder().RebuildTable("ALL") == 0 && stack->Runner().SyncRun(1, nullptr);
    }

    std::string Shown() const
    {
        std::string all;
        for (const auto& s : box.shown)
            all += (s.textId != 0 ? "#" + std::to_string(s.textId) : s.text) + " | ";
        return all;
    }
    int Local(const std::string& sql)
    {
        sync::Rows rows;
        return db->Select(sql, rows) && !rows.empty() && !rows[0].empty() ? std::atoi(rows[0][0].c_str()) : -1;
    }
    std::string LocalText(const std::string& sql)
    {
        sync::Rows rows;
        return db->Select(sql, rows) && !rows.empty() && !rows[0].empty() ? rows[0][0] : std::string("<none>");
    }
    std::string ServerText(const std::string& sql)
    {
        std::lock_guard lock(server->Store().Mutex());
        auto st = server->Store().Db().Prepare(sql);
        return st.Step() ? st.Text(0) : std::string("<none>");
    }
    void ServerExec(const std::string& sql)
    {
        std::lock_guard lock(server->Store().Mutex());
        server->Store().Db().Prepare(sql).Run();
    }

    DemoData demo;
    std::filesystem::path dir;
    SystemClock clock;
    MapSettings settings;
    MapProfile profile;
    zevtest::ScriptedMessageBox box; // answers OK and Yes
    std::unique_ptr<server::ZevServer> server;
    std::unique_ptr<sync::TabulaSyncDb> db;
    std::unique_ptr<sync::SyncStack> stack;
};

} // namespace zev::test
