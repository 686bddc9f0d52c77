#pragma once

#include <string>

namespace zev {

// What the document keeps across screen switches for the screens of the
// shell: the current account shown in titles and the request to start a
// complete update when the maintenance screen opens.
struct DocumentState {
    std::string accountNumber;
    std::string accountName;
    bool updateRequested = false;
};

} // namespace zev
