// zevconfig: build ZevConfig.dat from its text description, or print a record
// as that text.
//   zevconfig build DESCRIPTION.txt OUT.dat
//   zevconfig dump IN.dat

#include "base/AtomicFile.h"
#include "tools/zevconfig/ConfigDescription.h"

#include "ZevVersion.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kUsage = "usage: zevconfig build DESCRIPTION.txt OUT.dat\n       zevconfig dump IN.dat\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    if (command == "--help" && argc == 2) {
        std::fputs(kUsage, stdout);
        std::fputs("\nbuild: writes the distributor settings record (ZevConfig.dat) from its text description.\n"
                   "dump:  prints a record as that text.\n",
                   stdout);
        return 0;
    }
    if (command == "--version" && argc == 2) {
        std::puts("zevconfig (ZevSatchel) " ZEV_VERSION);
        return 0;
    }
    if (command == "build" && argc == 4) {
        std::string text;
        if (!zev::ReadWholeFile(argv[2], text)) {
            std::fprintf(stderr, "zevconfig: cannot read %s\n", argv[2]);
            return 1;
        }
        zev::ZevConfig record;
        std::string error;
        if (!zev::tools::BuildRecord(text, record, error)) {
            std::fprintf(stderr, "zevconfig: %s: %s\n", argv[2], error.c_str());
            return 1;
        }
        const auto& bytes = record.Bytes();
        if (!zev::WriteFileAtomically(argv[3], std::string(bytes.begin(), bytes.end()), 0644, &error)) {
            std::fprintf(stderr, "zevconfig: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (command == "dump" && argc == 3) {
        std::string data;
        if (!zev::ReadWholeFile(argv[2], data)) {
            std::fprintf(stderr, "zevconfig: cannot read %s\n", argv[2]);
            return 1;
        }
        if (data.size() != zev::cfg::kRecordSize) {
            std::fprintf(stderr, "zevconfig: %s is %zu bytes, a record is %zu\n", argv[2], data.size(),
                         zev::cfg::kRecordSize);
            return 1;
        }
        zev::ZevConfig record;
        for (std::size_t i = 0; i < data.size(); ++i)
            record.SetByte(i, static_cast<std::uint8_t>(data[i]));
        const std::string text = zev::tools::DumpRecord(record);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    return Usage();
}
