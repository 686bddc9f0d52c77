#include "orders/GuideExport.h"

#include "orders/Amount.h"
#include "orders/SpreadsheetWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zev {

namespace fs = std::filesystem;

const std::vector<std::string>& GuideExport::ColumnTitles()
{
    static const std::vector<std::string> titles = {"Line",       "Item #",       "Description", "Cases",    "Singles",
                                                    "Case Price", "Single Price", "Deal",        "Discount", "Override",
                                                    "Par",        "Inv",          "Extended"};
    return titles;
}

namespace {

// Amounts: FREE as the text "Free", NET as "Net", otherwise a currency number.
void AmountCell(SpreadsheetWriter& w, float value, int money)
{
    if (Amount::IsFree(value))
        w.Cell(std::string("Free"), money);
    else if (Amount::IsNet(value))
        w.Cell(std::string("Net"), money);
    else
        w.Cell(static_cast<double>(Amount::Cents(value)) / 100.0, money);
}

} // namespace

std::string GuideExport::Document(const std::vector<OrderGuideRow>& rows, const std::array<std::string, 4>& header,
                                  bool quantitiesInUnits)
{
    SpreadsheetWriter w("OrderGuide");
    w.SetHeaderLines(header[0], header[1], header[2], header[3]);
    const int left = w.AddStyle(SpreadsheetWriter::AlignLeft);
    const int centre = w.AddStyle(SpreadsheetWriter::AlignCenter);
    const int text = w.AddStyle(SpreadsheetWriter::AlignLeft);
    const int money = w.AddStyle(SpreadsheetWriter::AlignRight | SpreadsheetWriter::Currency);
    const int title = w.AddStyle(SpreadsheetWriter::AlignCenter | SpreadsheetWriter::Bold);
    for (double width : {30.0, 60.0, 220.0, 40.0, 40.0, 60.0, 60.0, 35.0, 55.0, 55.0, 35.0, 35.0, 65.0})
        w.AddColumn(width);

    w.StartRow(title);
    for (const std::string& t : ColumnTitles())
        w.Cell(t, title);
    w.EndRow();
    for (const OrderGuideRow& r : rows) {
        w.StartRow();
        w.Cell(r.lineItemNumber, centre);
        w.Cell(r.sku, left);
        char pack[32];
        std::snprintf(pack, sizeof pack, " (%d/cs)", r.qtyPerCase);
        w.Cell(r.description + pack, text);
        w.Cell(quantitiesInUnits ? r.units : r.Cases(), centre);
        w.Cell(quantitiesInUnits ? 0 : r.Singles(), centre);
        AmountCell(w, r.casePrice, money);
        AmountCell(w, r.singlePrice, money);
        w.Cell(static_cast<int>(r.specialFlag), centre);
        AmountCell(w, r.discount, money);
        AmountCell(w, r.priceOverride, money);
        w.Cell(r.par, centre);
        w.Cell(r.inv, centre);
        AmountCell(w, r.extendedPrice, money);
        w.EndRow();
    }
    return w.Document();
}

bool GuideExport::WriteNew(const std::string& path, const std::string& content, std::string& error)
{
    const std::string temp = path + ".tmp-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    ::fchmod(fd, 0644);
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    if (ok)
        ok = ::fsync(fd) == 0;
    if (!ok)
        error = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = std::strerror(errno);
    }
    // link() refuses an existing name, so a file that appeared meanwhile is
    // never replaced.
    if (ok && ::link(name.data(), path.c_str()) != 0) {
        ok = false;
        error = std::strerror(errno);
    }
    ::unlink(name.data());
    return ok;
}

GuideExport::Result GuideExport::Write(const std::vector<OrderGuideRow>& rows, const std::array<std::string, 4>& header,
                                       bool quantitiesInUnits, const std::string& folder, std::time_t when)
{
    Result result;
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%H%M%S", &local);
    const std::string base = std::string("Order Guide ") + stamp;
    const std::string content = Document(rows, header, quantitiesInUnits);
    for (int n = 1; n < 1000; ++n) {
        const std::string file = n == 1 ? base + ".XML" : base + " (" + std::to_string(n) + ").XML";
        const std::string path = (fs::path(folder) / file).string();
        std::error_code ec;
        if (fs::exists(path, ec))
            continue;
        if (WriteNew(path, content, result.error)) {
            result.ok = true;
            result.path = path;
            return result;
        }
        if (errno != EEXIST)
            return result;
    }
    result.error = "no free file name";
    return result;
}

std::string GuideExport::DesktopFolder()
{
    const char* homeEnv = std::getenv("HOME");
    const std::string home = homeEnv && *homeEnv ? homeEnv : "/";
    std::error_code ec;
    if (const char* d = std::getenv("XDG_DESKTOP_DIR"); d && *d && fs::is_directory(d, ec))
        return d;
    const char* cfg = std::getenv("XDG_CONFIG_HOME");
    const fs::path dirs = (cfg && *cfg ? fs::path(cfg) : fs::path(home) / ".config") / "user-dirs.dirs";
    std::ifstream in(dirs);
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DESKTOP_DIR=\"";
        if (line.rfind(key, 0) != 0)
            continue;
        std::string value = line.substr(key.size());
        if (const auto q = value.rfind('"'); q != std::string::npos)
            value.erase(q);
        if (value.rfind("$HOME", 0) == 0)
            value = home + value.substr(5);
        if (!value.empty() && fs::is_directory(value, ec))
            return value;
    }
    return home;
}

} // namespace zev
