#pragma once

#include "app/ui/CZevListModel.h"

#include <QTableView>

#include <cstdint>
#include <string>
#include <vector>

namespace zev {
class ZevConfig;
class Profile;
struct ListDefinition;
} // namespace zev

// A list whose columns come from one of the distributor's 17 list definitions
// and whose column widths and order the user changes and the profile keeps
// ("ListData": <name>-Widths, 42 little-endian 16-bit widths; <name>-Order,
// 42 display positions, one per column). Even rows get the light background.
class CZevListCtrl : public QTableView {
    Q_OBJECT
public:
    static constexpr int kSavedColumns = 42;
    static constexpr int kScrollVertical = 32868;
    static constexpr int kScrollHorizontal = 32869;

    explicit CZevListCtrl(QWidget* parent = nullptr);
    // Saves the user's column layout when set up with a profile.
    ~CZevListCtrl() override;

    // Columns of list `number` (1..17) from the record; then the saved layout
    // from `profile` (which may be null). False for number 0 or a definition
    // without headings.
    bool Setup(int number, const zev::ZevConfig& config, zev::Profile* profile);
    bool Setup(const zev::ListDefinition& definition, zev::Profile* profile);

    // Restores the saved widths and order; true only when both were stored.
    bool RestoreLayout();
    void SaveLayout() const;

    CZevListModel* Model() const { return m_model; }
    const std::string& ListName() const { return m_name; }
    // Per-column flags of lists 1 and 2 (empty for the others).
    const std::vector<std::uint8_t>& ColumnFlags() const { return m_flags; }
    bool ColumnHasWidth(int column) const;

    // Lets the parent draw rows itself (through the model's cell hook).
    void SetOwnerDraw(bool ownerDraw) { m_ownerDraw = ownerDraw; }
    bool OwnerDraw() const { return m_ownerDraw; }

    int CurrentRow() const;

signals:
    // Sent before the list scrolls: kScrollVertical or kScrollHorizontal.
    void ScrollCommand(int command);

private:
    void ApplyDisplayOrder(const std::vector<int>& columnAtPosition);

    CZevListModel* m_model;
    zev::Profile* m_profile = nullptr;
    std::string m_name;
    std::vector<std::uint8_t> m_hasWidth;
    std::vector<std::uint8_t> m_flags;
    bool m_ownerDraw = false;
};
