#include "app/ui/BackgroundRun.h"

#include <QPointer>
#include <QThread>

#include <cstdio>
#include <exception>

namespace zev {

void RunInBackground(QObject* context, std::function<void()> work, std::function<void()> done)
{
    QThread* thread = QThread::create([work = std::move(work)] {
        try {
            work();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "background run failed: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "background run failed\n");
        }
    });
    QPointer<QObject> guard(context);
    QObject::connect(thread, &QThread::finished, context, [guard, done = std::move(done)] {
        if (guard && done)
            done();
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

} // namespace zev
