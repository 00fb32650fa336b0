#include "app/app_session.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"

namespace vetrilo {

TAppSession::TAppSession(TAppPaths paths, TUiHooks& hooks)
    : paths_(std::move(paths)), hooks_(&hooks) {
  statList_.Draws = &archive_;
}

void TAppSession::LoadOptions() {
  const TIniData frm = FrmFile().Load();
  sortedDraws_ = frm.ReadBool(kMainSection, "SortedDraws", false);
  colorDraws_ = frm.ReadBool(kMainSection, "ColorDraws", true);
  statList_.Language = static_cast<int32_t>(frm.ReadInteger(kMainSection, "Language", 1033));
  const TIniFile ini = IniFile();
  statList_.LoadEngineSettings(ini);
  statList_.LoadGenerateSettings(ini);
  statList_.LoadShredding(ini);
  statList_.BuildMethods();
  std::string error;
  if (!statList_.LoadMethodSettings(paths_.FltFile(), true, &error)) {
    ShowError(Format("Ошибка загрузки списка фильтров!\r\r%s", {error}));
  }
  LoadDrawStatsOptions(frm);
  Notify(kChangeOptions);
}

bool TAppSession::LoadArchive() {
  const std::string path = paths_.ArchiveFile();
  bool ok = true;
  if (FileExists(path) || DirectoryExists(path)) {
    TBusyGuard busy(*this, "Загрузка файла тиражей...");
    try {
      archive_.LoadFromFile(path);
    } catch (const EVetrilo& e) {
      ShowError(Format("Ошибка чтения файла тиражей!\r\r%s", {e.what()}));
      ok = false;
    }
  } else {
    archive_.Clear();
  }
  if (drawsOffset_ > archive_.High()) drawsOffset_ = archive_.High() < 0 ? 0 : archive_.High();
  Notify(kChangeArchive | kChangeOffset);
  return ok;
}

bool TAppSession::SaveArchive() {
  TBusyGuard busy(*this, "Сохранение файла тиражей...");
  try {
    archive_.SaveToFile(paths_.ArchiveFile());
    return true;
  } catch (const EVetrilo& e) {
    ShowError(Format("Ошибка записи в файл тиражей!\r\r%s", {e.what()}));
    return false;
  }
}

void TAppSession::SetDrawsOffset(int k) {
  const int maxOffset = archive_.Count() - 1;
  if (k > maxOffset) k = maxOffset;
  if (k < 0) k = 0;
  if (k == drawsOffset_) return;
  drawsOffset_ = k;
  Notify(kChangeOffset);
  RecalcViews(false);
}

void TAppSession::SaveOption(std::string_view key, bool value) {
  try {
    FrmFile().WriteBool(kMainSection, key, value);
  } catch (const EVetrilo& e) {
    ShowError(Format("Ошибка сохранения параметров программы!\r\r%s", {e.what()}));
  }
}

void TAppSession::SetSortedDraws(bool on) {
  sortedDraws_ = on;
  SaveOption("SortedDraws", on);
  Notify(kChangeOptions);
  RecalcViews(true);
}

void TAppSession::SetColorDraws(bool on) {
  colorDraws_ = on;
  SaveOption("ColorDraws", on);
  Notify(kChangeOptions);
}

void TAppSession::EnterBusy() {
  if (busy_++ == 0) {
    hooks_->BusyChanged(true);
    Notify(kChangeBusy);
  }
}

void TAppSession::LeaveBusy() {
  if (busy_ == 0) return;
  if (--busy_ == 0) {
    hooks_->BusyChanged(false);
    Notify(kChangeBusy);
  }
}

TBusyGuard::TBusyGuard(TAppSession& session, std::string_view status) : session_(session) {
  session_.EnterBusy();
  session_.SetStatus(status);
}

TBusyGuard::~TBusyGuard() {
  session_.SetStatus("");
  session_.LeaveBusy();
}

}  // namespace vetrilo
