#pragma once

#include <QWidget>

#include <array>
#include <string>

namespace zev {

// The product notes page of the item details window: three read-only notes
// under the captions the distributor chose.
class CItemDetailsProductNotesPage : public QWidget {
public:
    CItemDetailsProductNotesPage(int itemId, const std::array<std::string, 3>& captions, QWidget* parent = nullptr);
};

} // namespace zev
