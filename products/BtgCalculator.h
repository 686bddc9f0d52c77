#pragma once

#include <array>
#include <optional>
#include <string>

namespace zev {

// The by-the-glass calculator: turns a bottle price into a price per serving
// at a margin, or a typed price per serving back into the margin. The texts
// are what the page shows; the numbers are what it keeps while open.
class BtgCalculator {
public:
    struct Size {
        const char* text;
        double value;
    };
    // 0.1 stands for the whole bottle.
    static constexpr double kWholeBottle = 0.1;
    static constexpr double kMillilitresPerOunce = 29.57;
    static const std::array<Size, 8> kServingSizes;
    static const std::array<Size, 8> kBottleSizes;

    // The bottle size entry the item's volume text points at (its index), or
    // none. Larger, more specific sizes are tested before the ones they contain.
    static std::optional<int> PreselectBottle(const std::string& itemVolume);

    // Servings per bottle, rounded to one decimal as shown; 0 when not computable.
    static double ServingsPerBottle(double servingSize, double bottleSize, std::string* text = nullptr);

    void SetBottlePrice(double price) { m_bottlePrice = price; }
    void SetServingSize(double ounces) { m_servingSize = ounces; }
    void SetBottleSize(double millilitres) { m_bottleSize = millilitres; }
    void SetMargin(unsigned margin) { m_margin = margin; }

    // The page's edits: each stores a usable value and recalculates; false
    // (and nothing changed) for an entry that cannot be used.
    bool EditBottlePrice(const std::string& text);
    bool EditMargin(const std::string& text);
    // A price with more than two decimals loses its last character (one per
    // edit); `text` is updated to what the field should then show.
    bool EditPricePerServing(std::string& text);

    // Price per serving and margin per bottle from the margin; false when the
    // sizes are not set.
    bool RecalculateFromMargin();

    double BottlePrice() const { return m_bottlePrice; }
    unsigned Margin() const { return m_margin; }
    const std::string& BottlePriceText() const { return m_bottlePriceText; }
    const std::string& ServingsText() const { return m_servingsText; }
    const std::string& PricePerServingText() const { return m_perServingText; }
    const std::string& MarginPerBottleText() const { return m_marginPerBottleText; }

private:
    double m_bottlePrice = 0;
    double m_servingSize = 0;
    double m_bottleSize = 0;
    unsigned m_margin = 0;
    std::string m_bottlePriceText;
    std::string m_servingsText;
    std::string m_perServingText;
    std::string m_marginPerBottleText;
};

} // namespace zev
