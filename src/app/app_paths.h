#pragma once

#include <string>
#include <string_view>

namespace vetrilo {

// Where the program keeps its files: everything lies in the program folder and
// is named after the program file ("Vetrilo_4d47.ldr", ".ini", ".frm", ...).
struct TAppPaths {
  std::string Dir;
  std::string BaseName = "Vetrilo_4d47";

  static TAppPaths ForFolder(std::string dir, std::string baseName = "Vetrilo_4d47");
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
