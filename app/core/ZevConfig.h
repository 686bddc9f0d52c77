#pragma once

#include "app/core/ZevConfigLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zev {

class IMessageBox;

// One list's columns as the distributor defined them. Headings stop at the
// first empty one; widths, formats, order and flags hold one entry per slot
// of the definition (32 or 20), whether a column uses it or not.
struct ListDefinition {
    int number = 0;
    std::string name;
    std::vector<std::string> headings; // leading non-empty headings only
    std::vector<std::uint16_t> widths; // all slots
    std::vector<std::uint8_t> formats; // all slots (column alignment)
    std::vector<std::uint8_t> order;   // all slots, 1-based display positions
    std::vector<std::uint8_t> flags;   // all slots for lists 1 and 2, empty otherwise
};

// The distributor settings record: 17714 bytes read whole from ZevConfig.dat.
// The program never writes the file; the only changes made in memory are the
// two values refreshed from the database after sign-in.
class ZevConfig {
public:
    enum class LoadResult {
        Ok,
        Corrupted,    // missing, unreadable, wrong length or magic: message 65028
        WrongVersion, // format version other than 3: message 65029
    };

    ZevConfig(); // all zeros

    // Loads the file; on failure the record is left all zeros. The message box
    // form shows 65028 / 65029 (caption "Error!", stop icon) on rejection.
    [[nodiscard]] LoadResult Load(const std::string& path);
    [[nodiscard]] LoadResult Load(const std::string& path, IMessageBox& messages);

    // Checks bytes without touching a file (the build tool uses it too).
    [[nodiscard]] LoadResult LoadBytes(const std::vector<std::uint8_t>& bytes);

    void Clear();

    std::uint16_t FormatVersion() const { return UInt16(cfg::kFormatVersion); }
    std::uint16_t ListLayoutVersion() const { return UInt16(cfg::kListLayoutVersion); }

    // A switch is on when its byte holds exactly 1.
    bool IsOn(std::size_t offset) const { return Byte(offset) == 1; }
    std::uint8_t Byte(std::size_t offset) const;
    std::uint16_t UInt16(std::size_t offset) const;
    std::int32_t Int32(std::size_t offset) const;
    std::uint32_t UInt32(std::size_t offset) const;

    // Zero-terminated text of at most `width` bytes at `offset`.
    std::string Text(std::size_t offset, std::size_t width = cfg::kTextWidth) const;
    // Screen title number n (0..63); empty outside that range.
    std::string Title(int n) const;
    // The order option names up to the first empty slot.
    std::vector<std::string> OrderOptionNames() const;

    // List number 1..17; number 0 or out of range gives a definition with no
    // headings (callers treat that as failure).
    ListDefinition List(int number) const;

    // Writers, used by the record refresh after sign-in and by the build tool.
    void SetByte(std::size_t offset, std::uint8_t value);
    void SetUInt16(std::size_t offset, std::uint16_t value);
    void SetInt32(std::size_t offset, std::int32_t value);
    void SetUInt32(std::size_t offset, std::uint32_t value);
    // Cut to width - 1 bytes so the text always ends with a zero byte.
    void SetText(std::size_t offset, std::string_view text, std::size_t width = cfg::kTextWidth);
    void SetTitle(int n, std::string_view text);
    // Writes headings (the rest of the slots emptied) and the slot arrays
    // (missing entries zero, extra entries ignored).
    void SetList(const ListDefinition& definition);

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace zev
