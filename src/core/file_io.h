#pragma once

#include <string>
#include <string_view>

namespace vetrilo {

// The text of the last OS error for a path, as the messages show it.
std::string OsErrorText(const std::string& path, int err);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder (and its parents) when missing; throws EVetrilo on failure.
void ForceDirectory(const std::string& path);

// Whole file as bytes; throws EVetrilo when it cannot be opened or read.
std::string ReadFileBytes(const std::string& path);

// Permissions of a file the save creates; a replaced file keeps its own.
constexpr unsigned kNewFileMode = 0644;
constexpr unsigned kPrivateFileMode = 0600;  // files holding a password

// Writes a temporary file beside `path` and renames it over `path`, so a failure
// at any point leaves the previous file as it was; the file and its folder are
// synced. A symbolic link stays a link: its target is replaced. Throws EVetrilo
// on failure.
void SaveFileAtomic(const std::string& path, std::string_view bytes,
                    unsigned newFileMode = kNewFileMode);

// Folder part and file name part of a path ("/a/b/c.ldr" -> "/a/b", "c.ldr").
std::string ExtractFileDir(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string ChangeFileExt(const std::string& path, std::string_view ext);
std::string JoinPath(const std::string& dir, std::string_view name);

}  // namespace vetrilo
