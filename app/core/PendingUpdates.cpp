#include "app/core/PendingUpdates.h"

#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zev {

namespace {

std::vector<std::string> RegularFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat st {};
        if (::lstat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

} // namespace

int InstallPendingUpdates(const std::string& programDir)
{
    int installed = 0;
    for (const auto& name : RegularFiles(programDir)) {
        if (!EndsWith(name, ".ex_") || name.size() == 4)
            continue;
        const std::string from = programDir + "/" + name;
        const std::string to = programDir + "/" + name.substr(0, name.size() - 4);
        mode_t mode = 0755;
        struct stat st {};
        if (::stat(to.c_str(), &st) == 0)
            mode = st.st_mode & 07777;
        // rename() replaces the old program in one step: there is never a
        // moment without a program file.
        ::chmod(from.c_str(), mode);
        if (::rename(from.c_str(), to.c_str()) == 0)
            ++installed;
    }
    return installed;
}

int RemoveStaleTempFiles(const std::string& tempDir)
{
    int removed = 0;
    for (const auto& name : RegularFiles(tempDir)) {
        if (name.rfind("SQLCE", 0) == 0 && ::unlink((tempDir + "/" + name).c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace zev
