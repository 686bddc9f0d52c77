#pragma once

#include <optional>
#include <string>

namespace zev {

// A window's rectangle as the profile keeps it: "top,left,bottom,right".
struct WindowPlacement {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    // Nothing for "-1", an empty value, fewer than four numbers, trailing
    // text or a rectangle without area: the window then keeps its default.
    static std::optional<WindowPlacement> Parse(const std::string& text);
    std::string Text() const;
};

} // namespace zev
