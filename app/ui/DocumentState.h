#pragma once

#include <string>

namespace zev {

// What the document keeps across screen switches for the screens of the
// shell: the current account shown in titles, the request to start a
// complete update when the maintenance screen opens and the request that the
// order guide open its backorders once it has read the guide.
struct DocumentState {
    std::string accountNumber;
    std::string accountName;
    bool updateRequested = false;
    bool backordersRequested = false;
};

} // namespace zev
