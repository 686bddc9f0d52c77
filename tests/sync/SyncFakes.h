#pragma once

#include "app/core/Clock.h"
#include "app/core/MessageBox.h"
#include "app/core/ProgressSink.h"
#include "sync/SyncEngine.h"
#include "sync/SyncPorts.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
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

class FakeMessageBox final : public IMessageBox {
public:
    std::deque<MbResult> answers;   // popped per question; default Yes/Ok
    std::vector<int> shown;         // text numbers (0 for literal texts)
    std::vector<std::string> texts; // literal texts
    std::vector<int> captions;
    MbResult Show(int textId, int captionId, MbButtons buttons, MbIcon) override
    {
        shown.push_back(textId);
        captions.push_back(captionId);
        return Answer(buttons);
    }
    MbResult ShowText(const std::string& text, int captionId, MbButtons buttons, MbIcon) override
    {
        shown.push_back(0);
        texts.push_back(text);
        captions.push_back(captionId);
        return Answer(buttons);
    }
    bool Saw(int id) const
    {
        for (int s : shown)
            if (s == id)
                return true;
        return false;
    }

private:
    MbResult Answer(MbButtons buttons)
    {
        if (buttons == MbButtons::Ok)
            return MbResult::Ok;
        if (!answers.empty()) {
            MbResult r = answers.front();
            answers.pop_front();
            return r;
        }
        return buttons == MbButtons::OkCancel ? MbResult::Ok : MbResult::Yes;
    }
};

class RecordingSink final : public IProgressSink {
public:
    std::vector<std::pair<int, std::string>> steps;
    void Report(int percent, const std::string& text) override { steps.emplace_back(percent, text); }
    int Count(const std::string& text) const
    {
        int n = 0;
        for (const auto& s : steps)
            if (s.second == text)
                ++n;
        return n;
    }
};

class FixedClock final : public IClock {
public:
    std::time_t now = 1700000000; // 2023-11-14 22:13:20 UTC
    std::time_t Now() const override { return now; }
};

// Posting function whose answers are scripted: each request pops the next
// reply (or asks the handler), writes it to the reply file and returns its code.
class ScriptedTransport {
public:
    struct Request {
        std::string host, backup, path, body;
        int timeout = 0;
        int port = 0;
        bool window = false;
    };
    struct Reply {
        int code = 0;
        std::string text;
    };
    std::string replyFile;
    std::deque<Reply> replies;
    std::function<Reply(const Request&)> handler;
    std::vector<Request> requests;

    PostDataFn Fn()
    {
        return
            [this](const char* h, const char* b, const char* p, const char* body, int t, IProgressSink* w, int port) {
                Request r{h, b, p, body, t, port, w != nullptr};
                requests.push_back(r);
                Reply reply;
                if (!replies.empty()) {
                    reply = replies.front();
                    replies.pop_front();
                } else if (handler) {
                    reply = handler(r);
                } else {
                    reply = {2, ""};
                }
                std::filesystem::remove(replyFile);
                if (reply.code == 0)
                    std::ofstream(replyFile, std::ios::binary) << reply.text;
                return reply.code;
            };
    }
};

// A temporary folder removed at the end of the test.
class TempDir {
public:
    TempDir()
    {
        char tmpl[] = "/tmp/zevsyncXXXXXX";
        m_path = mkdtemp(tmpl);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

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
