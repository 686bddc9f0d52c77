#pragma once

#include <QObject>

#include <functional>

namespace zev {

// Runs `work` on a worker thread so the window keeps drawing and answering
// while a long server exchange blocks; `done` then runs on the
// user-interface thread, unless `context` was destroyed meanwhile. The work
// must not touch widgets: it reports through the thread-safe message box and
// progress sink. An exception leaving `work` is caught and `done` still runs.
void RunInBackground(QObject* context, std::function<void()> work, std::function<void()> done);

} // namespace zev
