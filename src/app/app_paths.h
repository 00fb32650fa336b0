#pragma once

#include <string>
#include <string_view>

namespace vetrilo {

// A file the Debian package puts into the program folder: that install is
// updated by the package manager, and its data lives per user.
constexpr std::string_view kPackageMarker = "installed-by-package";

// Where the program keeps its files: everything lies in the program folder and
// is named after the program file ("Vetrilo_4d47.ldr", ".ini", ".frm", ...).
struct TAppPaths {
  std::string Dir;
  std::string BaseName = "Vetrilo_4d47";

  static TAppPaths ForFolder(std::string dir, std::string baseName = "Vetrilo_4d47");

  // Where the program files lie: Dir, unless the data lives in a per-user
  // folder because the program folder is a package install or not writable.
  std::string ProgramDir;
  bool PerUserData = false;
  bool PackageInstall = false;
  // The paths of a program in `programDir`: its own folder when the program
  // may write there, else $XDG_DATA_HOME/vetrilo (default ~/.local/share/vetrilo),
  // created on first use and seeded with the demo archive installed beside the
  // program. Throws EVetrilo when that folder cannot be made.
  static TAppPaths ForProgram(const std::string& programDir, std::string baseName = "Vetrilo_4d47");
  // The per-user data folder from the environment ("" without HOME and XDG_DATA_HOME).
  static std::string UserDataDir();
  // The folder of the running executable.
  static std::string ExecutableDir();

  std::string File(std::string_view ext) const;  // File(".ldr")
  std::string ArchiveFile() const { return File(".ldr"); }
  std::string IniFile() const { return File(".ini"); }
  std::string FrmFile() const { return File(".frm"); }
  std::string FltFile() const { return File(".flt"); }
  std::string StakesFile() const { return File(".lsk"); }
  std::string PrefetchDir() const;
  std::string SystemsDir() const;  // downloaded covering systems
};

}  // namespace vetrilo
