#pragma once

#include "app/core/MessageBox.h"
#include "base/Clock.h"
#include "base/ProgressSink.h"
#include "support/FixedClock.h"
#include "support/RecordingProgressSink.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "sync/SyncEngine.h"
#include "sync/SyncPorts.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zev::sync::test {

class FakeSettings final : public ISyncSettings {
public:
    std::map<std::string, std::string> values; // "SECTION/KEY"
    mutable int reads = 0;
    std::string Value(const std::string& section, const std::string& key, const std::string& def) const override
    {
        ++reads;
        auto it = values.find(section + "/" + key);
        return it == values.end() ? def : it->second;
    }
};

class FakeProfile final : public ISyncProfile {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> deletedSections;
    // Writes made while durable, as "name=value", and the current mode.
    bool durable = true;
    std::vector<std::string> durableWrites;
    bool SetWritesDurable(bool d) override
    {
        durable = d;
        return true;
    }
    std::string GetString(const std::string& name, const std::string& def = {}) const override
    {
        auto it = values.find(name);
        return it == values.end() ? def : it->second;
    }
    void SetString(const std::string& name, const std::string& value) override
    {
        values[name] = value;
        if (durable)
            durableWrites.push_back(name + "=" + value);
    }
    int GetInt(const std::string& name, int def = 0) const override
    {
        auto it = values.find(name);
        return it == values.end() ? def : std::atoi(it->second.c_str());
    }
    void SetInt(const std::string& name, int value) override { SetString(name, std::to_string(value)); }
    void DeleteSection(const std::string& section) override
    {
        deletedSections.push_back(section);
        if (section == "Application")
            values.clear();
    }
};

// Questions answered from `answers` (Yes/Ok when empty); an OK-only box
// never takes a scripted answer.
class FakeMessageBox final : public zevtest::ScriptedMessageBox {
public:
    FakeMessageBox() { ScriptQuestionsOnly(true); }
};

using RecordingSink = zevtest::RecordingProgressSink;
using zevtest::FixedClock;
using zevtest::ReadFile;
using zevtest::TempDir;
using zevtest::WriteFile;

// Posting function whose answers are scripted: each request pops the next
// reply (or asks the handler), writes it to the reply file and returns its code.
// The post into a caller's file (FileFn) answers the same way on whatever
// thread calls it; `fileHook` may hold it, watch its stop flag or answer it.
class ScriptedTransport {
public:
    struct Request {
        std::string host, backup, path, body;
        int timeout = 0;
        int port = 0;
        bool window = false;
        std::string file; // the caller's reply file, empty for the ordinary post
        std::thread::id thread = std::this_thread::get_id();
    };
    struct Reply {
        int code = 0;
        std::string text;
    };
    std::string replyFile;
    std::deque<Reply> replies;
    std::function<Reply(const Request&)> handler;
    std::function<std::optional<Reply>(const Request&, const int* cancel)> fileHook;
    std::vector<Request> requests;

    PostDataFn Fn()
    {
        return
            [this](const char* h, const char* b, const char* p, const char* body, int t, IProgressSink* w, int port) {
                Request r{h, b, p, body, t, port, w != nullptr, {}, std::this_thread::get_id()};
                return Answer(r, replyFile, nullptr);
            };
    }
    PostToFileFn FileFn()
    {
        return [this](const char* h, const char* b, const char* p, const char* body, int t, IProgressSink* w, int port,
                      const char* file, const int* cancel) {
            Request r{h, b, p, body, t, port, w != nullptr, file, std::this_thread::get_id()};
            return Answer(r, file, cancel);
        };
    }

private:
    int Answer(const Request& r, const std::string& file, const int* cancel)
    {
        std::optional<Reply> hooked;
        {
            std::lock_guard lock(m_mutex);
            requests.push_back(r);
        }
        if (!r.file.empty() && fileHook)
            hooked = fileHook(r, cancel);
        Reply reply;
        if (hooked) {
            reply = *hooked;
        } else {
            std::lock_guard lock(m_mutex);
            if (!replies.empty()) {
                reply = replies.front();
                replies.pop_front();
            } else if (handler) {
                reply = handler(r);
            } else {
                reply = {2, ""};
            }
        }
        std::filesystem::remove(file);
        if (reply.code == 0)
            std::ofstream(file, std::ios::binary) << reply.text;
        return reply.code;
    }

    std::mutex m_mutex; // requests and replies are shared with a fetching thread
};

// Engine services over the fakes, with folders under one temp dir.
struct FakeWorld {
    TempDir dir;
    FakeSettings settings;
    FakeProfile profile;
    FakeMessageBox box;
    RecordingSink sink;
    FixedClock clock;
    ScriptedTransport transport;
    int connects = 0, disconnects = 0;
    int isConnected = 1;

    FakeWorld()
    {
        std::filesystem::create_directories(dir.File("Temp"));
        transport.replyFile = dir.File("Temp/$dltemp.txt");
        settings.values["GENERAL/DEFAULTHOST"] = "primary.example";
        settings.values["GENERAL/BACKUPHOST"] = "backup.example";
        profile.values["UserID"] = "100200";
        profile.values["Password"] = "0123456789abcdef0123456789abcdef";
    }

    SyncServices Services(ISyncDb* db)
    {
        SyncServices s;
        s.postData = transport.Fn();
        s.helpers.isConnected = [this] { return isConnected; };
        s.helpers.testConnection = [](int) { return 0; };
        s.helpers.connect = [this](const char*, void*) {
            ++connects;
            return 0;
        };
        s.helpers.disconnect = [this] {
            ++disconnects;
            return 1;
        };
        s.helpers.hash = [](const std::string& t) {
            std::string d = t + std::string(32, '0');
            return d.substr(0, 32);
        };
        s.messageBox = &box;
        s.progress = &sink;
        s.clock = &clock;
        s.settings = &settings;
        s.profile = &profile;
        s.db = db;
        s.paths.replyFile = transport.replyFile;
        s.paths.errorLog = dir.File("Temp/$q9err.txt");
        s.paths.tempDir = dir.File("Temp");
        s.paths.programDir = dir.Path();
        s.paths.databaseFile = dir.File("master.db");
        std::string root = dir.Path();
        s.mapPath = [root](const std::string& win) {
            std::string p = win;
            for (char& c : p)
                if (c == '\\')
                    c = '/';
            return root + p;
        };
        s.mobileVersion = "v1";
        return s;
    }
};

} // namespace zev::sync::test
