#pragma once

#include <string>
#include <string_view>

// Where the program's files live on Linux.
//
// - Program folder: `--home DIR`, else the executable's folder when it holds
//   ZevSatchel.INI (build tree, a kit copied beside the program), else the
//   installed kit relative to the executable (bin/../share/zevsatchel). Holds
//   ZevSatchel.INI, ZevConfig.dat, the schema file, Report.ini, replies.txt
//   and, outside an installed tree, the helper libraries.
// - Per-user data folder: $ZEV_DATA_DIR, else $XDG_DATA_HOME/ZevSatchel, else
//   ~/.local/share/ZevSatchel; created owner-only (0700).
// - Map() turns the Windows paths the program's logic names into paths below
//   the data folder ("\Temp\x" -> <data>/Temp/x, and so on; see README.md).
namespace zev {

class ZevFolders {
public:
    // Program folder from the executable's own location, data folder from the
    // environment. Creates nothing.
    ZevFolders();
    // Explicit folders (tests, `--home`). An empty dataDir means "from the
    // environment".
    explicit ZevFolders(std::string programDir, std::string dataDir = {});

    // The value of `--home DIR` / `--home=DIR` when given, else
    // DefaultProgramDir(). Always ends without a slash.
    static std::string ProgramDirFromArgs(int argc, const char* const* argv);
    // The folder of /proc/self/exe.
    static std::string ExecutableDir();
    // The program folder when none is given: InstallationDir for this
    // executable and the installed layout.
    static std::string DefaultProgramDir();
    // `exeDir` when it holds ZevSatchel.INI; else `exeDir`/`kitFromExe`
    // (normalised) when that holds it; else `exeDir`, so the missing settings
    // file is reported against the executable's folder as before.
    static std::string InstallationDir(const std::string& exeDir, std::string_view kitFromExe);
    static std::string DataDirFromEnvironment();

    const std::string& ProgramDir() const { return m_programDir; }
    // Program folder + "/" + name.
    std::string ProgramFile(std::string_view name) const;

    const std::string& DataDir() const { return m_dataDir; }
    std::string TempDir() const;                           // <data>/Temp
    std::string DatabasePath(std::string_view name) const; // <data>/<name>.db ("master" when empty)
    std::string BackupPath(std::string_view name) const;   // DatabasePath(name) + ".gz"
    std::string DebugLogPath() const;                      // <data>/Temp/$debug.txt
    std::string SyncErrorLogPath() const;                  // <data>/Temp/$q9err.txt
    std::string InventoryFilePath() const;                 // <data>/OnHand/Inventory.txt

    // "\Temp\$dltemp.txt", "/Temp/$SWOTEMP.TMP", "\temp\$debug.txt",
    // "C:\Palm\Symbol\On Hand\Inventory.txt", "\Temp" ... -> paths below the
    // data folder. ".." and "." components are dropped, so a mapped path never
    // leaves the data folder.
    std::string Map(std::string_view windowsPath) const;

    // Creates the data folder (and Temp, OnHand) with mode 0700. Refuses a
    // folder owned by another user; removes group and world write permission
    // from one of ours. False with `error` filled on failure.
    [[nodiscard]] bool EnsureDataDir(std::string* error = nullptr) const;

    // Creates one folder with mode 0700 and checks it the same way.
    [[nodiscard]] static bool EnsurePrivateDir(const std::string& path, std::string* error = nullptr);

private:
    std::string m_programDir;
    std::string m_dataDir;
};

} // namespace zev
