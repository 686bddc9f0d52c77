// The settings file readers: the program's own, the layout reader and the
// forgiving profile reader, over a file of any content.
#include "FuzzTempDir.h"

#include "app/core/IniReader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static zev::fuzz::FuzzTempDir dir;
    dir.Write("ZevSatchel.INI", data, size);
    const std::string path = dir.File("ZevSatchel.INI");
    for (const char* section : {"GENERAL", "SETTINGS", "Database", ""}) {
        (void)zev::ReadIniValue(section, "DATABASE", "x", 255, path);
        (void)zev::ReadIniValue(section, "", "", 4, path);
        (void)zev::ReadLayoutValue(section, "BTN_LOGIN", path);
        (void)zev::ReadProfileString(section, "Version", "", 1023, path);
        (void)zev::ReadProfileInt(section, "Keys", 0, path);
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)zev::ToInt(text);
    (void)zev::Trim(text);
    return 0;
}
