#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_lock.h"
#include "stakes/stake_record.h"

namespace vetrilo {

// "Vetrilo_4d47.lsk": records back to back, kept open for the whole run. The
// bytes are mirrored in memory, so reads (the grid, a check) never touch the
// disk; every write reaches the file first and the mirror only after it
// succeeded. Opened exclusively, the file is locked for the run, and the lock
// follows the file through rewrites (the new file is locked before it takes
// the old one's name), so a second copy of the program never slips in.
class TStakeFile {
 public:
  TStakeFile() = default;
  ~TStakeFile();
  TStakeFile(const TStakeFile&) = delete;
  TStakeFile& operator=(const TStakeFile&) = delete;

  // Opens (creating an empty file when missing) and reads the file. Throws
  // EVetrilo with the system's text; `exclusive` also fails while another
  // process holds the file.
  // An exclusive open waits up to `waitMs` for another holder to let go, then
  // throws EFolderLocked.
  void Open(const std::string& path, bool exclusive, int waitMs = kFolderLockWaitMs);
  void Close();
  // Close and open again (the same lock mode).
  void Reopen();
  bool IsOpen() const { return fd_ >= 0 && usable_; }
  // Keeps the descriptor and its lock but refuses every operation (a damaged
  // file that could not be saved aside must not be written to).
  void Block() { usable_ = false; }
  bool Exclusive() const { return exclusive_; }
  const std::string& Path() const { return path_; }

  // Size in bytes and whole records.
  size_t Size() const { return data_.size(); }
  int64_t Count() const { return static_cast<int64_t>(data_.size() / kStakeRecordSize); }
  bool HasStakes() const { return IsOpen() && !data_.empty(); }
  std::string_view Bytes() const { return data_; }
  const uint8_t* RecordBytes(int64_t index) const {
    return reinterpret_cast<const uint8_t*>(data_.data()) + index * int64_t(kStakeRecordSize);
  }

  // Record `index` from the start (origin 0) or from the end (origin 2, -1 =
  // the last record). Throws "Файл ставок не открыт!" or "Запись со индексом
  // %d в файле данных не найдена!".
  TStakeRec Read(int origin, int64_t index) const;

  // Writes records at the end. A failure leaves the file as it was (a torn
  // write is cut off again) and throws EVetrilo with the system's text.
  void Append(std::string_view records);
  // Replaces the whole file through "<name>.~tmp" beside it; a failure leaves
  // the file whole and throws EVetrilo (a failed rename with its own text).
  void Rewrite(std::string_view bytes);
  // Cuts the file to `size` bytes in place.
  void Truncate(size_t size);

  // The temporary file of rewrites ("Vetrilo_4d47.~tmp").
  std::string TempPath() const;

 private:
  void ReadAll();

  std::string path_;
  int fd_ = -1;
  bool exclusive_ = false;
  bool usable_ = true;
  std::string data_;
};

}  // namespace vetrilo
