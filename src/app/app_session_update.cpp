#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

void TAppSession::SetAutoUpdates(bool on) {
  options_.AutoUpdates = on;
  SaveOption("AutoUpdates", on);
  Notify(kChangeOptions);
}

std::string TAppSession::DataFolderText() const {
  if (paths_.PerUserData) {
    return Format(Tr("Файлы данных: %s (каталог пользователя; каталог программы: %s)"),
                  {paths_.Dir, paths_.ProgramDir});
  }
  return Format(Tr("Файлы данных: %s (каталог программы)"), {paths_.Dir});
}

int TAppSession::CheckForUpdates(bool silent) {
  if (paths_.PackageInstall) {
    if (!silent) {
      hooks_->ShowMessage(TMessageKind::Information,
                          Tr("Программа установлена из пакета: ее обновляет менеджер пакетов "
                             "системы (например, apt)."));
    }
    return 0;
  }
  if (updateSite_.empty()) {
    if (!silent) {
      hooks_->ShowMessage(
          TMessageKind::Information,
          Format(Tr("Не задан адрес обновлений программы!\r\rВ файле %s.ini это параметр "
                    "UpdateSite= раздела [GLOBAL]."),
                 {paths_.BaseName}));
    }
    return 0;
  }
  const std::string& programDir = paths_.ProgramDir.empty() ? paths_.Dir : paths_.ProgramDir;
  TSelfUpdate update(programDir, paths_.BaseName, *hooks_, progressWindow_);
  update.RunningVersion = runningVersion_;
  update.EnterBusy = [this] { EnterBusy(); };
  update.LeaveBusy = [this] { LeaveBusy(); };
  // Without a dialog nothing is installed behind the user's back.
  update.Informer = [this](const TUpdateOffer& offer) {
    return updateInformer_ && updateInformer_(offer);
  };
  update.Limits = updateLimits_;
  // Transfers and the package's programs run in slices: between them the
  // window repaints and takes input, also during the check at start-up.
  update.Poll = [this] { hooks_->SetStatus(hooks_->OperationStatus()); };
  const int result = update.CheckForUpdates(updateSite_, silent, statList_.Language);
  if (result == 1) restartRequested_ = true;
  return result;
}

int TAppSession::CheckUpdateExecute() {
  return CheckForUpdates(false);
}

bool TAppSession::StartupUpdateCheck() {
  if (!options_.AutoUpdates || updateSite_.empty() || paths_.PackageInstall) return false;
  return CheckForUpdates(true) == 1;
}

}  // namespace vetrilo
