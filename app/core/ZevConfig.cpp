#include "app/core/ZevConfig.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace zev {

namespace {

constexpr bool BlocksAreConsistent()
{
    for (const auto& l : cfg::kListLayouts) {
        if (l.widths != l.headings + l.columns * cfg::kHeadingWidth)
            return false;
        if (l.formats != l.widths + l.columns * 2 || l.order != l.formats + l.columns)
            return false;
        const std::size_t end = l.flags ? l.flags + l.columns : l.order + l.columns;
        if (l.flags && l.flags != l.order + l.columns)
            return false;
        if (end > cfg::kListDefinitionsEnd)
            return false;
    }
    return true;
}
static_assert(BlocksAreConsistent(), "list definition blocks overlap or leave gaps");
static_assert(cfg::kTitles + cfg::kTitleCount * cfg::kTextWidth == cfg::kListDefinitionsBegin);
static_assert(cfg::kEndOfRecord + 2 == cfg::kRecordSize);

} // namespace

ZevConfig::ZevConfig() : bytes_(cfg::kRecordSize, 0) {}

void ZevConfig::Clear() { std::fill(bytes_.begin(), bytes_.end(), 0); }

ZevConfig::LoadResult ZevConfig::LoadBytes(const std::vector<std::uint8_t>& bytes)
{
    Clear();
    if (bytes.size() != cfg::kRecordSize)
        return LoadResult::Corrupted;
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
    if (UInt32(cfg::kMagic) != cfg::kMagicValue) {
        Clear();
        return LoadResult::Corrupted;
    }
    if (FormatVersion() != cfg::kSupportedFormatVersion) {
        Clear();
        return LoadResult::WrongVersion;
    }
    return LoadResult::Ok;
}

ZevConfig::LoadResult ZevConfig::Load(const std::string& path)
{
    Clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return LoadResult::Corrupted;
    // Read one byte more than the record so a longer file is seen as such.
    std::vector<std::uint8_t> bytes(cfg::kRecordSize + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return LoadResult::Corrupted;
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return LoadBytes(bytes);
}

ZevConfig::LoadResult ZevConfig::Load(const std::string& path, IMessageBox& messages)
{
    const LoadResult result = Load(path);
    if (result == LoadResult::Corrupted)
        messages.Show(ids::kConfigCorrupted, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
    else if (result == LoadResult::WrongVersion)
        messages.Show(ids::kConfigWrongVersion, ids::kCaptionError, MbButtons::Ok, MbIcon::Stop);
    return result;
}

std::uint8_t ZevConfig::Byte(std::size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0; }

std::uint16_t ZevConfig::UInt16(std::size_t offset) const
{
    return static_cast<std::uint16_t>(Byte(offset) | (Byte(offset + 1) << 8));
}

std::uint32_t ZevConfig::UInt32(std::size_t offset) const
{
    return static_cast<std::uint32_t>(Byte(offset)) | (static_cast<std::uint32_t>(Byte(offset + 1)) << 8) |
           (static_cast<std::uint32_t>(Byte(offset + 2)) << 16) | (static_cast<std::uint32_t>(Byte(offset + 3)) << 24);
}

std::int32_t ZevConfig::Int32(std::size_t offset) const { return static_cast<std::int32_t>(UInt32(offset)); }

std::string ZevConfig::Text(std::size_t offset, std::size_t width) const
{
    if (offset >= bytes_.size())
        return {};
    width = std::min(width, bytes_.size() - offset);
    const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, begin + static_cast<std::ptrdiff_t>(width), 0);
    return std::string(begin, end);
}

std::string ZevConfig::Title(int n) const
{
    if (n < 0 || n >= static_cast<int>(cfg::kTitleCount))
        return {};
    return Text(cfg::kTitles + static_cast<std::size_t>(n) * cfg::kTextWidth);
}

std::vector<std::string> ZevConfig::OrderOptionNames() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < cfg::kOrderOptionSlots; ++i) {
        std::string name = Text(cfg::kOrderOptionNames + i * cfg::kTextWidth);
        if (name.empty())
            break;
        names.push_back(std::move(name));
    }
    return names;
}

ListDefinition ZevConfig::List(int number) const
{
    ListDefinition def;
    const auto* layout = cfg::ListLayoutFor(number);
    if (!layout)
        return def;
    def.number = number;
    def.name = layout->name;
    for (std::size_t i = 0; i < layout->columns; ++i) {
        std::string heading = Text(layout->headings + i * cfg::kHeadingWidth, cfg::kHeadingWidth);
        if (heading.empty())
            break;
        def.headings.push_back(std::move(heading));
    }
    for (std::size_t i = 0; i < layout->columns; ++i) {
        def.widths.push_back(UInt16(layout->widths + 2 * i));
        def.formats.push_back(Byte(layout->formats + i));
        def.order.push_back(Byte(layout->order + i));
        if (layout->flags)
            def.flags.push_back(Byte(layout->flags + i));
    }
    return def;
}

void ZevConfig::SetByte(std::size_t offset, std::uint8_t value)
{
    if (offset < bytes_.size())
        bytes_[offset] = value;
}

void ZevConfig::SetUInt16(std::size_t offset, std::uint16_t value)
{
    SetByte(offset, static_cast<std::uint8_t>(value & 0xff));
    SetByte(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

void ZevConfig::SetUInt32(std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        SetByte(offset + static_cast<std::size_t>(i), static_cast<std::uint8_t>(value >> (8 * i)));
}

void ZevConfig::SetInt32(std::size_t offset, std::int32_t value)
{
    SetUInt32(offset, static_cast<std::uint32_t>(value));
}

void ZevConfig::SetText(std::size_t offset, std::string_view text, std::size_t width)
{
    if (width == 0 || offset >= bytes_.size())
        return;
    width = std::min(width, bytes_.size() - offset);
    const std::size_t n = std::min(text.size(), width - 1);
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), width, 0);
    std::copy_n(text.begin(), n, bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

void ZevConfig::SetTitle(int n, std::string_view text)
{
    if (n >= 0 && n < static_cast<int>(cfg::kTitleCount))
        SetText(cfg::kTitles + static_cast<std::size_t>(n) * cfg::kTextWidth, text);
}

void ZevConfig::SetList(const ListDefinition& def)
{
    const auto* layout = cfg::ListLayoutFor(def.number);
    if (!layout)
        return;
    for (std::size_t i = 0; i < layout->columns; ++i) {
        SetText(layout->headings + i * cfg::kHeadingWidth, i < def.headings.size() ? def.headings[i] : "",
                cfg::kHeadingWidth);
        SetUInt16(layout->widths + 2 * i, i < def.widths.size() ? def.widths[i] : 0);
        SetByte(layout->formats + i, i < def.formats.size() ? def.formats[i] : 0);
        SetByte(layout->order + i, i < def.order.size() ? def.order[i] : 0);
        if (layout->flags)
            SetByte(layout->flags + i, i < def.flags.size() ? def.flags[i] : 0);
    }
}

} // namespace zev
