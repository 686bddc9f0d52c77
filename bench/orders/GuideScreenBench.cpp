// The order guide screen shown for a 5,000-line guide: from the main
// window's switch to the guide until the list is first painted with its
// rows and the total, beside the logic's own read and pricing of the same
// guide in the same run. The ratio is reported as a counter.
#include "OrderStage.h"

#include "accounts/CurrentAccount.h"
#include "app/CMainFrame.h"
#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/ZevFolders.h"
#include "app/ui/CZevBaseView.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "orders/OrderGuide.h"
#include "orders/OrderHeader.h"
#include "orders/views/COrderGuideView.h"
#include "support/ScriptedMessageBox.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

using zev::bench::TheStage;
using Clock = std::chrono::steady_clock;

// Tells the time of the first paint of a watched widget once armed.
class PaintWatch : public QObject {
public:
    bool armed = false;
    bool painted = false;
    Clock::time_point at;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (armed && !painted && event->type() == QEvent::Paint) {
            painted = true;
            at = Clock::now();
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }
};

double g_logicSeconds = 0;

void BM_GuideLogicLoad(benchmark::State& state)
{
    auto& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    zev::OrderSettings settings;
    double best = 1e9;
    std::size_t rows = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        zev::OrderGuide guide(s.account, s.guide, settings);
        if (!guide.Load(0)) {
            state.SkipWithError("guide not read");
            return;
        }
        rows = guide.Rows().size();
        benchmark::DoNotOptimize(guide.TotalCents());
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    g_logicSeconds = best;
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["best_ms"] = best * 1000.0;
}

void BM_GuideScreenShown(benchmark::State& state)
{
    auto& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    const std::string home = (s.dir / "screen").string();
    std::filesystem::create_directories(home);
    zev::AppState app;
    app.programDir = home;
    app.settingsFilePath = home + "/ZevSatchel.INI";
    if (app.settings.config.Load(ZEV_SOURCE_ROOT "/distributor/ZevConfig.dat") != zev::ZevConfig::LoadResult::Ok) {
        state.SkipWithError("no ZevConfig.dat");
        return;
    }
    app.signedIn = true;
    zev::DocumentState document;
    zev::Profile profile(home + "/Satchel.ini");
    zev::ZevFolders folders(home, home);
    // Agrees to everything, so the screen can be left again between runs (the
    // guide holds quantities, and leaving it asks).
    zevtest::ScriptedMessageBox box;
    zev::CurrentAccount current;
    current.accountId = s.account;
    zev::OrderHeader order;
    CMainFrame frame(CMainFrame::Context{app, document, profile, folders, box});
    frame.RegisterScreen(zev::Screen::Accounts, [](zev::IScreenHost& host) { return new CZevBaseView(host, "Blank"); });
    frame.RegisterScreen(zev::Screen::OrderGuide, [&current, &order](zev::IScreenHost& host) {
        return CreateOrderGuideView(host, zev::OrderViewContext{current, order, {}, {}, {}, nullptr});
    });
    frame.BuildCommands();
    frame.resize(1280, 900);
    frame.show();
    frame.SwitchScreen(zev::Screen::Accounts);
    QCoreApplication::processEvents();

    double best = 1e9;
    std::size_t rows = 0;
    for (auto _ : state) {
        PaintWatch watch;
        const auto t0 = Clock::now();
        frame.SwitchScreen(zev::Screen::OrderGuide);
        auto* view = qobject_cast<COrderGuideView*>(frame.CurrentView());
        if (!view) {
            state.SkipWithError("no guide screen");
            return;
        }
        view->List()->viewport()->installEventFilter(&watch);
        QObject::connect(view, &COrderGuideView::GuideLoaded, view, [&watch, view] {
            watch.armed = true;
            view->List()->viewport()->update();
        });
        // The bench waits in an event loop of its own; the screen never does.
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        timeout.start(60000);
        const int waited = QCoreApplication::exec();
        if (waited != 0 || !watch.painted) {
            state.SkipWithError(waited != 0 ? "the guide was not shown within a minute" : "the list was not painted");
            return;
        }
        rows = view->Guide().Rows().size();
        if (!view->TotalLabel()->text().startsWith("Total: $")) {
            state.SkipWithError("no total shown");
            return;
        }
        best = std::min(best, std::chrono::duration<double>(watch.at - t0).count());
        view->List()->viewport()->removeEventFilter(&watch);
        frame.SwitchScreen(zev::Screen::Accounts);
        QCoreApplication::processEvents();
        if (frame.CurrentView() == view) {
            state.SkipWithError("the guide screen could not be left");
            return;
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["best_ms"] = best * 1000.0;
    if (g_logicSeconds > 0)
        state.counters["ratio_to_logic"] = best / g_logicSeconds;
}

} // namespace

BENCHMARK(BM_GuideLogicLoad)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_GuideScreenShown)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
