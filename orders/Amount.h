#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zev {

// Line amounts: the FREE and NET sentinels, the texts they are stored as, the
// typed forms, and whole cents for totals and comparisons (floating amounts
// are never compared with ==).
class Amount {
public:
    static constexpr float kFree = -1.0f;
    static constexpr float kNet = -2.0f;

    static std::int64_t Cents(double value);
    static bool IsFree(double value) { return Cents(value) == -100; }
    static bool IsNet(double value) { return Cents(value) == -200; }
    static bool IsZero(double value) { return Cents(value) == 0; }
    // Neither 0, FREE nor NET.
    static bool IsSet(double value) { return !IsZero(value) && !IsFree(value) && !IsNet(value); }

    // A text column of the guide read back: empty 0, "FREE" -1, "NET" -2,
    // otherwise the number the text starts with (0 when none).
    static float ReadStored(const std::string& text);
    // "%.2f": FREE is "-1.00", NET "-2.00".
    static std::string FormatStored(double value);

    // A typed discount, override or price. Nothing for an empty text (or NET
    // where it is not allowed); "f..." FREE; "n..." NET; otherwise the leading
    // number, read as cents when it has no fraction and the text no point
    // (250 is 2.50, 250.0 is 250.00).
    static std::optional<float> ParseTyped(const std::string& text, bool allowNet);

    // The number a text starts with, as strtod reads it (0 when none).
    static double LeadingNumber(const std::string& text);
};

} // namespace zev
