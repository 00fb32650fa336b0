#include "app/data_lock.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

TDataLock::~TDataLock() {
  Release();
}

bool TDataLock::Acquire(const std::string& path, std::string* error, int waitMs, bool* busy) {
  Release();
  if (busy) *busy = false;
  try {
    fd_ = OpenLockedFile(path, waitMs);
    return true;
  } catch (const EFolderLocked& e) {
    if (busy) *busy = true;
    if (error) *error = e.Message();
  } catch (const EVetrilo& e) {
    if (error) *error = e.Message();
  }
  return false;
}

void TDataLock::Release() {
  if (fd_ >= 0) {
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
  }
}

std::string ExclusiveAccessMessage(const std::string& dir) {
  // The second reason names this folder and this system's typical read-only places.
  return Format(
      Tr("Невозможно получить монопольный доступ к файлам данных!\r\rВозможные причины данной "
         "ошибки: \r\r1) Вы пытаетесь запустить вторую копию программы из одного и того же "
         "каталога. Корректная работа нескольких копий программы возможна только из разных "
         "каталогов.\r\r2) Для программы нет прав на запись в том каталоге, где она расположена "
         "(%s). Например: в системные каталоги, такие как /usr/bin или /opt, обычный пользователь "
         "писать не может.\r\rПрограмма будет закрыта!"),
      {dir});
}

}  // namespace vetrilo
