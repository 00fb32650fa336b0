#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vetrilo {

// The text of the last OS error for a path, as the messages show it.
std::string OsErrorText(const std::string& path, int err);

// The error text for a FIFO, device or other special file in a data file's place.
std::string NotAFileText(const std::string& path);

bool FileExists(const std::string& path);
// Whether anything has this name: a file, a folder, a FIFO or device, a
// dangling link. A data file is read when it is there, and whatever is not a
// regular file is then refused with a read error instead of reading as empty.
bool PathExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Creates the folder (and its parents) when missing; throws EVetrilo on failure.
void ForceDirectory(const std::string& path);

// Whole file as bytes; throws EVetrilo when it cannot be opened or read, when
// it is not a regular file (a FIFO would block, a device never ends) or when it
// is larger than `maxBytes`.
constexpr uint64_t kDefaultReadLimit = uint64_t(1) << 30;
constexpr uint64_t kSettingsReadLimit = uint64_t(8) << 20;  // INI-style settings files
std::string ReadFileBytes(const std::string& path, uint64_t maxBytes = kDefaultReadLimit);

// Opens a regular file with `flags` (O_CREAT makes it 0644) and returns its
// descriptor, and its size when asked; anything else in its place (a folder,
// a FIFO, a device) is refused with the read error of that file (EVetrilo).
int OpenRegularFile(const std::string& path, int flags, uint64_t* size = nullptr);

// Permissions of a file the save creates; a replaced file keeps its own.
constexpr unsigned kNewFileMode = 0644;
constexpr unsigned kPrivateFileMode = 0600;  // files holding a password

// Writes a temporary file beside `path` and renames it over `path`, so a failure
// at any point leaves the previous file as it was; the file and its folder are
// synced. A symbolic link stays a link: its target is replaced. Throws EVetrilo
// on failure.
void SaveFileAtomic(const std::string& path, std::string_view bytes,
                    unsigned newFileMode = kNewFileMode);

// Appends bytes to a log file, creating it; a failed write cuts the file back to
// where it was, so no half line is left. Throws EVetrilo on failure.
void AppendFileBytes(const std::string& path, std::string_view bytes);

// Temporaries a save left behind when it was killed, found by their names only.
bool IsStaleTemporaryName(std::string_view name);
// Removes them from a folder (not its subfolders); returns how many went.
int RemoveStaleTemporaries(const std::string& dir);

// The steps of a save and of a log append, for tests that make one of them fail
// (return an errno value) or kill the process at it. Empty hook: no faults.
enum class TFileStep { Create, Write, Sync, Close, Rename, SyncFolder };
using TFileFaultHook = std::function<int(TFileStep step, const std::string& path)>;
void SetFileFaultHook(TFileFaultHook hook);
// For writers of their own: the error the hook asks this step to fail with, or 0.
int FileFault(TFileStep step, const std::string& path);

// Folder part and file name part of a path ("/a/b/c.ldr" -> "/a/b", "c.ldr").
std::string ExtractFileDir(const std::string& path);
std::string ExtractFileName(const std::string& path);
std::string ChangeFileExt(const std::string& path, std::string_view ext);
std::string JoinPath(const std::string& dir, std::string_view name);

}  // namespace vetrilo
