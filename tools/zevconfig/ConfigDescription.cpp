#include "tools/zevconfig/ConfigDescription.h"

#include "app/core/ZevConfigFields.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

namespace zev::tools {

namespace {

using cfg::FieldKind;

struct Token {
    std::string text;
    bool quoted = false;
};

class LineError {
public:
    std::string message;
};

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::vector<Token> Tokenize(const std::string& line)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#')
            break;
        Token token;
        if (c == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d != '\\') {
                    token.text += d;
                    continue;
                }
                if (i >= line.size())
                    throw LineError{"unfinished escape"};
                const char e = line[i++];
                switch (e) {
                case 'n':
                    token.text += '\n';
                    break;
                case 't':
                    token.text += '\t';
                    break;
                case '"':
                    token.text += '"';
                    break;
                case '\\':
                    token.text += '\\';
                    break;
                case 'x': {
                    if (i + 2 > line.size() || HexValue(line[i]) < 0 || HexValue(line[i + 1]) < 0)
                        throw LineError{"\\x needs two hex digits"};
                    token.text += static_cast<char>(HexValue(line[i]) * 16 + HexValue(line[i + 1]));
                    i += 2;
                    break;
                }
                default:
                    throw LineError{std::string("unknown escape \\") + e};
                }
            }
            if (!closed)
                throw LineError{"text without closing quote"};
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#')
                token.text += line[i++];
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

long long Number(const Token& token, long long min, long long max, const char* what)
{
    if (token.quoted || token.text.empty())
        throw LineError{std::string(what) + ": a number is needed"};
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(token.text.c_str(), &end, 0);
    if (*end != '\0' || errno == ERANGE)
        throw LineError{std::string(what) + ": \"" + token.text + "\" is not a number"};
    if (value < min || value > max)
        throw LineError{std::string(what) + ": " + token.text + " is out of range " + std::to_string(min) + ".." +
                        std::to_string(max)};
    return value;
}

const std::string& Text(const Token& token, std::size_t width, const char* what)
{
    if (!token.quoted)
        throw LineError{std::string(what) + ": a quoted text is needed"};
    if (token.text.size() >= width)
        throw LineError{std::string(what) + ": text longer than " + std::to_string(width - 1) + " bytes"};
    if (token.text.find('\0') != std::string::npos)
        throw LineError{std::string(what) + ": text holds a zero byte"};
    return token.text;
}

void Expect(const std::vector<Token>& t, std::size_t count, const char* usage)
{
    if (t.size() != count)
        throw LineError{std::string("expected: ") + usage};
}

std::uint8_t FormatValue(const std::string& text)
{
    if (text == "left")
        return 0;
    if (text == "right")
        return 1;
    if (text == "center")
        return 2;
    return static_cast<std::uint8_t>(Number(Token{text, false}, 0, 255, "format"));
}

struct ListBlock {
    const cfg::ListDefinitionLayout* layout = nullptr;
    ListDefinition def;
    std::vector<std::string> headings; // every slot given, empty ones included
};

void ApplyList(ZevConfig& record, const ListBlock& block)
{
    const auto* l = block.layout;
    for (std::size_t i = 0; i < l->columns; ++i) {
        record.SetText(l->headings + i * cfg::kHeadingWidth, i < block.headings.size() ? block.headings[i] : "",
                       cfg::kHeadingWidth);
        record.SetUInt16(l->widths + 2 * i, i < block.def.widths.size() ? block.def.widths[i] : 0);
        record.SetByte(l->formats + i, i < block.def.formats.size() ? block.def.formats[i] : 0);
        record.SetByte(l->order + i, i < block.def.order.size() ? block.def.order[i] : 0);
        if (l->flags)
            record.SetByte(l->flags + i, i < block.def.flags.size() ? block.def.flags[i] : 0);
    }
}

void ParseColumn(const std::vector<Token>& t, ListBlock& block)
{
    if (t.size() < 2)
        throw LineError{"expected: column \"Heading\" width=W format=F order=O [flag=F]"};
    if (block.headings.size() >= block.layout->columns)
        throw LineError{"list " + std::string(block.layout->name) + " has only " +
                        std::to_string(block.layout->columns) + " columns"};
    block.headings.push_back(Text(t[1], cfg::kHeadingWidth, "heading"));
    std::uint16_t width = 0;
    std::uint8_t format = 0;
    std::uint8_t order = 0;
    std::uint8_t flag = 0;
    for (std::size_t i = 2; i < t.size(); ++i) {
        const auto eq = t[i].text.find('=');
        if (t[i].quoted || eq == std::string::npos)
            throw LineError{"column attributes are name=value"};
        const std::string key = t[i].text.substr(0, eq);
        const Token value{t[i].text.substr(eq + 1), false};
        if (key == "width")
            width = static_cast<std::uint16_t>(Number(value, 0, 65535, "width"));
        else if (key == "format")
            format = FormatValue(value.text);
        else if (key == "order")
            order = static_cast<std::uint8_t>(Number(value, 0, 255, "order"));
        else if (key == "flag") {
            if (!block.layout->flags)
                throw LineError{"only lists 1 and 2 have column flags"};
            flag = static_cast<std::uint8_t>(Number(value, 0, 255, "flag"));
        } else
            throw LineError{"unknown column attribute " + key};
    }
    block.def.widths.push_back(width);
    block.def.formats.push_back(format);
    block.def.order.push_back(order);
    block.def.flags.push_back(flag);
}

struct RawPatch {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

void ParseLine(const std::vector<Token>& t, ZevConfig& record, std::optional<ListBlock>& list, std::set<int>& listsSeen,
               std::vector<RawPatch>& raws)
{
    const std::string& word = t[0].text;
    if (list) {
        if (word == "column")
            return ParseColumn(t, *list);
        if (word == "end") {
            Expect(t, 1, "end");
            ApplyList(record, *list);
            list.reset();
            return;
        }
        throw LineError{"inside a list only \"column\" and \"end\" are allowed"};
    }
    if (word == "magic") {
        Expect(t, 2, "magic NUMBER");
        record.SetUInt32(cfg::kMagic, static_cast<std::uint32_t>(Number(t[1], 0, 0xFFFFFFFFll, "magic")));
    } else if (word == "format-version") {
        Expect(t, 2, "format-version N");
        record.SetUInt16(cfg::kFormatVersion, static_cast<std::uint16_t>(Number(t[1], 0, 65535, "format-version")));
    } else if (word == "list-layout-version") {
        Expect(t, 2, "list-layout-version N");
        record.SetUInt16(cfg::kListLayoutVersion,
                         static_cast<std::uint16_t>(Number(t[1], 0, 65535, "list-layout-version")));
    } else if (word == "field") {
        Expect(t, 3, "field NAME VALUE");
        const auto* f = cfg::FindConfigField(t[1].text);
        if (!f)
            throw LineError{"unknown field " + t[1].text};
        switch (f->kind) {
        case FieldKind::Byte:
            record.SetByte(f->offset, static_cast<std::uint8_t>(Number(t[2], 0, 255, f->name)));
            break;
        case FieldKind::UInt16:
            record.SetUInt16(f->offset, static_cast<std::uint16_t>(Number(t[2], 0, 65535, f->name)));
            break;
        case FieldKind::Int32:
            record.SetInt32(f->offset, static_cast<std::int32_t>(Number(t[2], INT32_MIN, INT32_MAX, f->name)));
            break;
        case FieldKind::Text:
            record.SetText(f->offset, Text(t[2], f->width, f->name), f->width);
            break;
        }
    } else if (word == "byte") {
        Expect(t, 3, "byte OFFSET VALUE");
        const auto offset = static_cast<std::size_t>(Number(t[1], 0, cfg::kRecordSize - 1, "offset"));
        record.SetByte(offset, static_cast<std::uint8_t>(Number(t[2], 0, 255, "value")));
    } else if (word == "title") {
        Expect(t, 3, "title N \"text\"");
        const int n = static_cast<int>(Number(t[1], 0, cfg::kTitleCount - 1, "title number"));
        record.SetTitle(n, Text(t[2], cfg::kTextWidth, "title"));
    } else if (word == "order-option") {
        Expect(t, 3, "order-option N \"text\"");
        const auto n = static_cast<std::size_t>(Number(t[1], 0, cfg::kOrderOptionSlots - 1, "order option"));
        record.SetText(cfg::kOrderOptionNames + n * cfg::kTextWidth, Text(t[2], cfg::kTextWidth, "order option"));
    } else if (word == "list") {
        Expect(t, 2, "list NAME");
        const cfg::ListDefinitionLayout* layout = nullptr;
        for (const auto& l : cfg::kListLayouts)
            if (t[1].text == l.name)
                layout = &l;
        if (!layout)
            throw LineError{"unknown list " + t[1].text};
        if (!listsSeen.insert(layout->number).second)
            throw LineError{"list " + t[1].text + " given twice"};
        list.emplace();
        list->layout = layout;
        list->def.number = layout->number;
    } else if (word == "raw") {
        Expect(t, 3, "raw OFFSET HEXBYTES");
        RawPatch patch;
        patch.offset = static_cast<std::size_t>(Number(t[1], 0, cfg::kRecordSize - 1, "offset"));
        const std::string& hex = t[2].text;
        if (t[2].quoted || hex.size() % 2 != 0)
            throw LineError{"raw bytes are an even number of hex digits"};
        for (std::size_t i = 0; i < hex.size(); i += 2) {
            const int hi = HexValue(hex[i]);
            const int lo = HexValue(hex[i + 1]);
            if (hi < 0 || lo < 0)
                throw LineError{"raw bytes are hex digits"};
            patch.bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        }
        if (patch.offset + patch.bytes.size() > cfg::kRecordSize)
            throw LineError{"raw bytes run past the end of the record"};
        raws.push_back(std::move(patch));
    } else {
        throw LineError{"unknown statement " + word};
    }
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c >= 0x7f) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string FormatName(std::uint8_t f)
{
    switch (f) {
    case 0:
        return "left";
    case 1:
        return "right";
    case 2:
        return "center";
    default:
        return std::to_string(f);
    }
}

// Everything except the raw fallback.
std::string DumpReadable(const ZevConfig& r)
{
    std::ostringstream out;
    out << "# Distributor settings record (ZevConfig.dat), built with: zevconfig build THIS.txt ZevConfig.dat\n";
    if (r.UInt32(cfg::kMagic) != cfg::kMagicValue) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08X", r.UInt32(cfg::kMagic));
        out << "magic " << buf << "\n";
    }
    out << "format-version " << r.FormatVersion() << "\n";
    out << "list-layout-version " << r.ListLayoutVersion() << "\n\n";

    std::set<std::size_t> named;
    out << "# Switches and numbers\n";
    for (const auto& f : cfg::kConfigFields) {
        if (f.kind == FieldKind::Text || !named.insert(f.offset).second)
            continue;
        out << "field " << f.name << " ";
        if (f.kind == FieldKind::Byte)
            out << static_cast<int>(r.Byte(f.offset));
        else if (f.kind == FieldKind::UInt16)
            out << r.UInt16(f.offset);
        else
            out << r.Int32(f.offset);
        out << "\n";
    }
    for (std::size_t o = cfg::kSwitchFirst; o <= cfg::kSwitchLast; ++o)
        if (!named.count(o) && r.Byte(o) != 0)
            out << "byte " << o << " " << static_cast<int>(r.Byte(o)) << "\n";

    out << "\n# Texts\n";
    for (const auto& f : cfg::kConfigFields)
        if (f.kind == FieldKind::Text)
            out << "field " << f.name << " " << Quote(r.Text(f.offset, f.width)) << "\n";

    out << "\n# Screen titles\n";
    for (int n = 0; n < static_cast<int>(cfg::kTitleCount); ++n)
        if (!r.Title(n).empty())
            out << "title " << n << " " << Quote(r.Title(n)) << "\n";

    out << "\n# Order options\n";
    for (std::size_t n = 0; n < cfg::kOrderOptionSlots; ++n) {
        const std::string text = r.Text(cfg::kOrderOptionNames + n * cfg::kTextWidth);
        if (!text.empty())
            out << "order-option " << n << " " << Quote(text) << "\n";
    }

    out << "\n# Lists: column \"Heading\" width format order [flag]\n";
    for (const auto& l : cfg::kListLayouts) {
        // The last slot holding anything decides how many column lines are printed.
        std::size_t used = 0;
        for (std::size_t i = 0; i < l.columns; ++i) {
            const bool any = !r.Text(l.headings + i * cfg::kHeadingWidth, cfg::kHeadingWidth).empty() ||
                             r.UInt16(l.widths + 2 * i) != 0 || r.Byte(l.formats + i) != 0 ||
                             r.Byte(l.order + i) != 0 || (l.flags && r.Byte(l.flags + i) != 0);
            if (any)
                used = i + 1;
        }
        if (used == 0)
            continue;
        out << "list " << l.name << "   # list " << l.number << "\n";
        for (std::size_t i = 0; i < used; ++i) {
            out << "  column " << Quote(r.Text(l.headings + i * cfg::kHeadingWidth, cfg::kHeadingWidth))
                << " width=" << r.UInt16(l.widths + 2 * i) << " format=" << FormatName(r.Byte(l.formats + i))
                << " order=" << static_cast<int>(r.Byte(l.order + i));
            if (l.flags)
                out << " flag=" << static_cast<int>(r.Byte(l.flags + i));
            out << "\n";
        }
        out << "end\n";
    }
    return out.str();
}

} // namespace

bool BuildRecord(const std::string& text, ZevConfig& record, std::string& error)
{
    record.Clear();
    record.SetUInt32(cfg::kMagic, cfg::kMagicValue);
    std::optional<ListBlock> list;
    std::set<int> listsSeen;
    std::vector<RawPatch> raws;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        try {
            const auto tokens = Tokenize(line);
            if (!tokens.empty())
                ParseLine(tokens, record, list, listsSeen, raws);
        } catch (const LineError& e) {
            error = "line " + std::to_string(number) + ": " + e.message;
            return false;
        }
    }
    if (list) {
        error = "list " + std::string(list->layout->name) + " has no \"end\"";
        return false;
    }
    for (const auto& patch : raws)
        for (std::size_t i = 0; i < patch.bytes.size(); ++i)
            record.SetByte(patch.offset + i, patch.bytes[i]);
    return true;
}

std::string DumpRecord(const ZevConfig& record)
{
    std::string text = DumpReadable(record);
    ZevConfig rebuilt;
    std::string error;
    if (!BuildRecord(text, rebuilt, error))
        rebuilt.Clear(); // cannot happen for our own output; fall back to raw for everything
    // Whatever the readable lines do not reproduce (bytes no name covers,
    // bytes after a text's end) is written out exactly.
    std::string raw;
    const auto& want = record.Bytes();
    const auto& have = rebuilt.Bytes();
    std::size_t i = 0;
    while (i < want.size()) {
        if (want[i] == have[i]) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::string hex;
        while (i < want.size() && i - start < 32 && want[i] != have[i]) {
            char buf[3];
            std::snprintf(buf, sizeof buf, "%02x", want[i]);
            hex += buf;
            ++i;
        }
        raw += "raw " + std::to_string(start) + " " + hex + "\n";
    }
    if (!raw.empty())
        text += "\n# Bytes no name covers\n" + raw;
    return text;
}

} // namespace zev::tools
