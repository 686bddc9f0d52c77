#pragma once

#include "sync/SyncPorts.h"

#include <string>
#include <thread>

namespace zev::sync {

// One table request travelling on a thread of its own into a reply file of
// its own, so that the next table arrives while the current one is applied.
// It changes nothing but its file and shares nothing with the run but the
// result handed over by Wait. Destroying it asks an unfinished request to
// stop, waits for the thread and removes the file, so no way out of a run
// leaves a worker or a stray reply behind.
class TablePrefetch {
public:
    // Starts the request at once. The progress sink is never passed: the
    // run's sink belongs to the run's thread.
    TablePrefetch(PostToFileFn post, PostTarget target, std::string file);
    ~TablePrefetch();
    TablePrefetch(const TablePrefetch&) = delete;
    TablePrefetch& operator=(const TablePrefetch&) = delete;

    // Waits for the request; the posting library's result (0: the reply is
    // in File()).
    int Wait();
    const std::string& File() const { return m_file; }
    const PostTarget& Target() const { return m_target; }

private:
    PostToFileFn m_post;
    PostTarget m_target;
    std::string m_file;
    // Read by the posting library while it runs; set once to ask it to stop.
    int m_cancel = 0;
    int m_result = -1;
    std::thread m_thread;
};

} // namespace zev::sync
