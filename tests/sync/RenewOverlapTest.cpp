#include "SyncWorld.h"

#include "sync/SyncText.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

namespace {

// Everything a complete update leaves behind that a user or the next run
// could see.
struct Outcome {
    bool ok = false;
    std::map<std::string, std::string> profile;
    std::vector<std::string> durableWrites;
    std::vector<std::pair<int, std::string>> steps;
    std::vector<int> boxes;
    std::vector<std::string> texts;
    std::vector<std::string> downloads;
    std::map<std::string, int> rows;
};

bool operator==(const Outcome& a, const Outcome& b)
{
    return a.ok == b.ok && a.profile == b.profile && a.durableWrites == b.durableWrites && a.steps == b.steps &&
           a.boxes == b.boxes && a.texts == b.texts && a.downloads == b.downloads && a.rows == b.rows;
}

void PrintTo(const Outcome& o, std::ostream* os)
{
    *os << (o.ok ? "ok" : "failed") << ", downloads";
    for (const auto& d : o.downloads)
        *os << " " << d;
    *os << ", LastRenewTable=" << (o.profile.count("LastRenewTable") ? o.profile.at("LastRenewTable") : "");
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Passes every step on to `to`, first letting the test look at it on the
// run's own thread (and hold the run there).
class WatchingSink final : public IProgressSink {
public:
    WatchingSink(IProgressSink& to, std::function<void(const std::string&)> look) : m_to(to), m_look(std::move(look)) {}
    void Report(int percent, const std::string& text) override
    {
        m_look(text);
        m_to.Report(percent, text);
    }

private:
    IProgressSink& m_to;
    std::function<void(const std::string&)> m_look;
};

} // namespace

// The complete update with and without the network library's post into a
// file of the caller's: the next table travels while the current one is
// applied, and nothing else about the run may change.
class RenewOverlapTest : public SyncWorld {
protected:
    void SetUp() override
    {
        SyncWorld::SetUp();
        // Without the backup a failed run leaves its tables as they are, so
        // what was applied before the failure can be seen.
        w.settings.values["SETTINGS/BBEFORERENEW"] = "0";
        m_start = w.profile.values;
    }

    void Rewire(bool overlap)
    {
        services.postToFile = overlap ? w.transport.FileFn() : PostToFileFn();
        stack = std::make_unique<SyncStack>(services);
        runner = &stack->Runner();
        builder = &stack->Builder();
    }

    Outcome Run(bool overlap, IProgressSink* sink = nullptr)
    {
        w.profile.values = m_start;
        w.profile.durableWrites.clear();
        w.sink.steps.clear();
        w.box.Clear();
        w.transport.requests.clear();
        Rewire(overlap);
        Outcome o;
        o.ok = runner->SyncRun(kCompleteUpdate, sink != nullptr ? sink : &w.sink);
        o.profile = w.profile.values;
        o.durableWrites = w.profile.durableWrites;
        o.steps = w.sink.steps;
        o.boxes = w.box.TextIds();
        o.texts = w.box.Texts();
        for (const std::string& p : Pages())
            if (p.rfind("grabdata.cfm:", 0) == 0)
                o.downloads.push_back(p.substr(13));
        for (const char* t : {"Items", "ItemAttributes", "PricingScheme", "Accounts"})
            o.rows[t] = Count(Format("select count(*) from %s", t));
        return o;
    }

    // Files a run may leave in the work folder: the reply of the last
    // ordinary exchange and the error log.
    std::vector<std::string> StrayFiles() const
    {
        std::vector<std::string> stray;
        for (const auto& e : std::filesystem::directory_iterator(w.dir.File("Temp"))) {
            std::string name = e.path().filename().string();
            if (name != "$dltemp.txt" && name != "$q9err.txt")
                stray.push_back(name);
        }
        return stray;
    }

    std::map<std::string, std::string> m_start;
};

TEST_F(RenewOverlapTest, TheNextTableIsRequestedBeforeTheCurrentOneIsAppliedAndArrivesWhileItIs)
{
    // ItemAttributes follows Items. Applying Items is held at its first
    // step until ItemAttributes has been asked for, and that request is held
    // until Items is being applied: both can only happen when the request
    // travels while the table before it is applied.
    std::atomic<bool> applying{false}, asked{false}, askedWhileApplying{false}, answeredWhileApplying{false};
    w.transport.fileHook = [&](const ScriptedTransport::Request& r,
                               const int*) -> std::optional<ScriptedTransport::Reply> {
        if (Param(r.path, "Tablenames") == "ItemAttributes") {
            asked = true;
            answeredWhileApplying = WaitFor([&] { return applying.load(); });
        }
        return std::nullopt;
    };
    WatchingSink sink(w.sink, [&](const std::string& text) {
        if (text == "Renewing Items Data" && !applying) {
            applying = true;
            askedWhileApplying = WaitFor([&] { return asked.load(); });
        }
    });
    Outcome o = Run(true, &sink);
    ASSERT_TRUE(o.ok);
    EXPECT_TRUE(askedWhileApplying);
    EXPECT_TRUE(answeredWhileApplying);
    EXPECT_EQ(o.rows["Items"], 2);

    // Every table but the first went through the worker, without the
    // progress window, and each was asked for once, in order.
    const std::thread::id self = std::this_thread::get_id();
    ASSERT_FALSE(w.transport.requests.empty());
    int onWorker = 0;
    for (const auto& r : w.transport.requests) {
        if (r.path.find("grabdata.cfm") == std::string::npos)
            continue;
        if (r.thread != self) {
            ++onWorker;
            EXPECT_FALSE(r.window) << r.path;
        }
    }
    EXPECT_EQ(onWorker, static_cast<int>(builder->DownloadedTables().size()) - 1);
    EXPECT_EQ(o.downloads, builder->DownloadedTables());
    EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(RenewOverlapTest, WithoutThePostIntoAFileTheRunIsTheSame)
{
    Outcome sequential = Run(false);
    ASSERT_TRUE(sequential.ok);
    Outcome overlapped = Run(true);
    EXPECT_EQ(overlapped, sequential);
    EXPECT_EQ(overlapped.rows["Accounts"], 1);
    EXPECT_TRUE(StrayFiles().empty());

    // A post into a file that says nothing was sent (a library that cannot
    // make one) falls back to the ordinary request for that table, and from
    // there on.
    w.transport.fileHook = [](const ScriptedTransport::Request& r,
                              const int*) -> std::optional<ScriptedTransport::Reply> {
        if (Param(r.path, "Tablenames") == "PricingScheme")
            return ScriptedTransport::Reply{8, ""};
        return std::nullopt;
    };
    Outcome fellBack = Run(true);
    std::vector<std::string> twice = sequential.downloads;
    twice.insert(std::find(twice.begin(), twice.end(), "PricingScheme"), "PricingScheme");
    EXPECT_EQ(fellBack.downloads, twice);
    fellBack.downloads = sequential.downloads;
    EXPECT_EQ(fellBack, sequential);
    EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(RenewOverlapTest, AFailedFetchAfterATableWasAppliedEndsAsTheSequentialRunDoes)
{
    // The table after Items cannot be fetched (the exchange broke).
    w.transport.handler = [this](const ScriptedTransport::Request& r) {
        if (Param(r.path, "Tablenames") == "ItemAttributes")
            return ScriptedTransport::Reply{5, ""};
        return Answer(r);
    };
    Outcome sequential = Run(false);
    Outcome overlapped = Run(true);
    EXPECT_FALSE(sequential.ok);
    EXPECT_EQ(overlapped, sequential);
    // Items stays applied, the mark names the table that failed, and the
    // marks were on the disk before the work they guard.
    EXPECT_EQ(overlapped.rows["Items"], 2);
    EXPECT_FALSE(overlapped.profile["ItemsUD"].empty());
    EXPECT_EQ(overlapped.profile["LastRenewTable"], "ItemAttributes");
    auto durable = [&](const std::string& entry) {
        return std::find(overlapped.durableWrites.begin(), overlapped.durableWrites.end(), entry) !=
               overlapped.durableWrites.end();
    };
    EXPECT_TRUE(durable("RestoreOnOpen=1"));
    EXPECT_TRUE(durable("LastRenewTable=DistributorInfo"));
    EXPECT_TRUE(w.profile.durable);
    EXPECT_TRUE(StrayFiles().empty());
}

TEST_F(RenewOverlapTest, AFailureWhileApplyingStopsTheWorkerAndLeavesNoReplyBehind)
{
    tables["Items"] = "ItemID,Description\n50\n1^x\n"; // 49 rows short: applying fails
    Outcome sequential = Run(false);
    ASSERT_FALSE(sequential.ok);

    // The next table's request hangs until it is told to stop.
    std::atomic<int> running{0};
    std::atomic<bool> cancelled{false};
    w.transport.fileHook = [&](const ScriptedTransport::Request& r,
                               const int* cancel) -> std::optional<ScriptedTransport::Reply> {
        if (Param(r.path, "Tablenames") != "ItemAttributes")
            return std::nullopt;
        ++running;
        cancelled = WaitFor([cancel] { return cancel != nullptr && __atomic_load_n(cancel, __ATOMIC_ACQUIRE) != 0; });
        --running;
        return ScriptedTransport::Reply{5, ""};
    };
    Outcome overlapped = Run(true);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(running, 0);
    EXPECT_TRUE(StrayFiles().empty());
    // The same end as without the overlap, but for the request that was
    // already out.
    EXPECT_EQ(overlapped.downloads.back(), "ItemAttributes");
    overlapped.downloads.pop_back();
    EXPECT_EQ(overlapped, sequential);
    EXPECT_EQ(overlapped.profile["LastRenewTable"], "Items");
    EXPECT_TRUE(overlapped.profile["ItemsUD"].empty());
}
