#include "products/BtgCalculator.h"

#include "tables/SqlText.h"

#include <cmath>
#include <cstdlib>

namespace zev {

const std::array<BtgCalculator::Size, 8> BtgCalculator::kServingSizes = {{{"1 Btl", kWholeBottle},
                                                                          {"1 oz", 1},
                                                                          {"1.5 oz", 1.5},
                                                                          {"2 oz", 2},
                                                                          {"4 oz", 4},
                                                                          {"5 oz", 5},
                                                                          {"6 oz", 6},
                                                                          {"7 oz", 7}}};

const std::array<BtgCalculator::Size, 8> BtgCalculator::kBottleSizes = {{{"375 ml", 375},
                                                                         {"500 ml", 500},
                                                                         {"750 ml", 750},
                                                                         {"1 L", 1000},
                                                                         {"1.5 L", 1500},
                                                                         {"1.75 L", 1750},
                                                                         {"2 L", 2000},
                                                                         {"3 L", 3000}}};

namespace {

// Reads a whole text as a number; none for empty or trailing rubbish.
std::optional<double> ReadNumber(const std::string& text)
{
    const std::string t = SqlText::Trim(text);
    if (t.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(t.c_str(), &end);
    if (end != t.c_str() + t.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> BtgCalculator::PreselectBottle(const std::string& itemVolume)
{
    const std::string volume = SqlText::Trim(itemVolume);
    if (volume.empty())
        return std::nullopt;
    // The first test that finds its text wins, so "1.75" comes before "1".
    static const std::pair<const char*, int> tests[] = {{"375", 0},  {"500", 1}, {"750", 2}, {"1.5", 4},
                                                        {"1.75", 5}, {"1", 3},   {"2", 6},   {"3", 7}};
    for (const auto& [text, index] : tests) {
        if (volume.find(text) != std::string::npos)
            return index;
    }
    return std::nullopt;
}

double BtgCalculator::ServingsPerBottle(double servingSize, double bottleSize, std::string* text)
{
    if (servingSize == kWholeBottle) {
        if (text)
            text->assign(1, '1');
        return 1;
    }
    if (servingSize <= 0 || bottleSize <= 0)
        return 0;
    const std::string shown = SqlText::Format("%5.1lf", bottleSize / (servingSize * kMillilitresPerOunce));
    if (text)
        *text = shown;
    return std::strtod(shown.c_str(), nullptr);
}

bool BtgCalculator::EditBottlePrice(const std::string& text)
{
    const auto value = ReadNumber(text);
    if (!value || *value <= 0)
        return false;
    m_bottlePrice = *value;
    m_bottlePriceText = SqlText::Format("%.2f", m_bottlePrice);
    RecalculateFromMargin();
    return true;
}

bool BtgCalculator::EditMargin(const std::string& text)
{
    const auto value = ReadNumber(text);
    if (!value || *value < 0 || *value > 1e6)
        return false;
    m_margin = static_cast<unsigned>(*value);
    RecalculateFromMargin();
    return true;
}

bool BtgCalculator::RecalculateFromMargin()
{
    if (m_servingSize <= 0 || m_bottleSize <= 0)
        return false;
    std::string servingsText;
    const double servings = ServingsPerBottle(m_servingSize, m_bottleSize, &servingsText);
    if (servings <= 0)
        return false;
    double perServing = (m_margin * 0.01 + 1) * (m_bottlePrice / servings);
    if (perServing < 0)
        perServing = 0;
    double perBottle = perServing * servings - m_bottlePrice;
    if (perBottle < 0)
        perBottle = 0;
    m_servingsText = servingsText;
    m_perServingText = SqlText::Format("%5.2lf", perServing);
    m_marginPerBottleText = SqlText::Format("$%5.2lf", perBottle);
    return true;
}

bool BtgCalculator::EditPricePerServing(std::string& text)
{
    text = SqlText::Trim(text);
    const auto point = text.find('.');
    if (point != std::string::npos && text.size() - point - 1 > 2)
        text.pop_back();
    const auto price = ReadNumber(text);
    if (!price || *price <= 0 || m_servingSize <= 0 || m_bottleSize <= 0 || m_bottlePrice <= 0)
        return false;
    std::string servingsText;
    const double servings = ServingsPerBottle(m_servingSize, m_bottleSize, &servingsText);
    if (servings <= 0)
        return false;
    const double margin = std::trunc((*price / (m_bottlePrice / servings) - 1) * 100);
    // A price below cost is no margin, not a wrapped-around huge one.
    m_margin = margin > 0 ? static_cast<unsigned>(margin) : 0;
    double perBottle = *price * servings - m_bottlePrice;
    if (perBottle < 0)
        perBottle = 0;
    m_servingsText = servingsText;
    m_perServingText = text;
    m_marginPerBottleText = SqlText::Format("$%5.2lf", perBottle);
    return true;
}

} // namespace zev
