#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The per-user profile: what the program keeps between runs for one user
// (window placement, sign-in data, synchronisation state, list layouts).
//
// File: <config>/<REGKEY>/Satchel.ini where <config> is $ZEV_CONFIG_DIR, else
// $XDG_CONFIG_HOME, else ~/.config. Sections "Application" and "ListData";
// each line is name=type:value with type "sz" (text, "\\", "\n", "\r" and
// "\t" escaped), "dword" (decimal integer) or "hex" (bytes as hex digits).
//
// Every accessor reads the file afresh. Every write reads, changes and
// replaces the whole file atomically under an advisory lock, so a crash leaves
// the old or the new file and concurrent writers do not lose each other's
// values. A damaged line is ignored, never fatal.
namespace zev {

inline constexpr const char* kProfileApplication = "Application";
inline constexpr const char* kProfileListData = "ListData";

// Saved column layout of one list: 42 widths (84 bytes, little-endian 16-bit)
// and 42 display positions (42 bytes).
inline constexpr std::size_t kListLayoutColumns = 42;
struct SavedListLayout {
    std::array<std::uint16_t, kListLayoutColumns> widths{};
    std::array<std::uint8_t, kListLayoutColumns> order{};
};

class Profile {
public:
    // The profile of `regKey` (SETTINGS/REGKEY). A key that could leave the
    // configuration folder ("..", "/") is made safe first.
    static Profile ForRegKey(std::string_view regKey);
    static std::string PathForRegKey(std::string_view regKey);

    explicit Profile(std::string path);

    const std::string& Path() const { return m_path; }

    // The document's accessors: text default "", integer default -1.
    std::string GetText(std::string_view name, std::string_view section = kProfileApplication) const;
    std::optional<std::string> FindText(std::string_view name, std::string_view section = kProfileApplication) const;
    [[nodiscard]] bool SetText(std::string_view name, std::string_view value,
                               std::string_view section = kProfileApplication);
    int GetInt(std::string_view name, std::string_view section = kProfileApplication) const;
    std::optional<int> FindInt(std::string_view name, std::string_view section = kProfileApplication) const;
    [[nodiscard]] bool SetInt(std::string_view name, int value, std::string_view section = kProfileApplication);
    std::optional<std::vector<std::uint8_t>> GetBinary(std::string_view name,
                                                       std::string_view section = kProfileApplication) const;
    [[nodiscard]] bool SetBinary(std::string_view name, const std::vector<std::uint8_t>& value,
                                 std::string_view section = kProfileApplication);
    [[nodiscard]] bool DeleteValue(std::string_view name, std::string_view section = kProfileApplication);

    // Named forms.
    std::string Password() const { return GetText("Password"); }
    [[nodiscard]] bool SetPassword(std::string_view v) { return SetText("Password", v); }
    std::string UserID() const { return GetText("UserID"); }
    [[nodiscard]] bool SetUserID(std::string_view v) { return SetText("UserID", v); }
    std::string ManagerID() const { return GetText("ManagerID"); }
    [[nodiscard]] bool SetManagerID(std::string_view v) { return SetText("ManagerID", v); }

    // Relaxed (false): later writes stay atomic (a reader or a killed process
    // sees the old or the new file) but are not forced to the disk one by
    // one. Back to durable (true): the file as it now stands is forced to the
    // disk; false when that failed. Durable is the default.
    [[nodiscard]] bool SetDurable(bool durable);
    bool Durable() const { return m_durable; }

    // Removes a whole section; true when it is gone afterwards.
    [[nodiscard]] bool DeleteSection(std::string_view section);
    // Reset settings: removes "Application" and "ListData". Failures are ignored.
    void ResetSettings();

    // Saved list layouts in "ListData" ("<List>-Widths", "<List>-Order").
    // Each half is present only when stored with its exact size.
    std::optional<std::array<std::uint16_t, kListLayoutColumns>> ListWidths(std::string_view listName) const;
    std::optional<std::array<std::uint8_t, kListLayoutColumns>> ListOrder(std::string_view listName) const;
    [[nodiscard]] bool SaveListLayout(std::string_view listName, const SavedListLayout& layout);

private:
    std::string m_path;
    bool m_durable = true;
};

} // namespace zev
