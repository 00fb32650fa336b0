#include "app/app_session.h"

#include "app/data_lock.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

TAppSession::TAppSession(TAppPaths paths, TUiHooks& hooks)
    : paths_(std::move(paths)), counting_(hooks), combs_(archive_, counting_) {
  statList_.Draws = &archive_;
  combs_.SetListener([this] { Notify(kChangeCombs); });
}

void TAppSession::LoadOptions() {
  try {
    frmAtStart_ = FrmFile().Load();
    options_ = TMainOptions::Load(frmAtStart_);
  } catch (const EVetrilo& e) {
    frmUnreadable_ = true;
    ShowError(Format(Tr("Ошибка загрузки параметров программы!\r\r%s"), {e.Message()}));
  }
  StartLanguage();
  {
    TBusyGuard busy(*this, Tr("Загрузка файла конфигурации..."));
    try {
      const TIniData ini = IniFile().Load();
      statList_.LoadSettings(ini);
      proxy_ = TProxySettings::Load(ini);
      lotterySite_ = ini.ReadString("GLOBAL", "LotterySite", "");
      resultsSite_ = Trim(ini.ReadString("GLOBAL", "ResultsSite", ""));
      updateSite_ = Trim(ini.ReadString("GLOBAL", "UpdateSite", ""));
    } catch (const EVetrilo& e) {
      iniUnreadable_ = true;
      ShowError(Format(Tr("Ошибка чтения файла конфигурации!\r\r%s"), {e.Message()}));
    }
  }
  statList_.BuildMethods();
  std::string error;
  if (!statList_.LoadMethodSettings(paths_.FltFile(), true, &error)) {
    ShowError(Format(Tr("Ошибка загрузки списка фильтров!\r\r%s"), {error}));
  }
  LoadDrawStatsOptions();
  LoadViewOptions();
  Notify(kChangeMethods | kChangeOptions);
}

void TAppSession::RebuildMethodList() {
  // Indexes move when the list is rebuilt; the chosen method is kept by its code.
  const std::string chosen = drawStats_.Method >= 0 && drawStats_.Method < statList_.Count()
                                 ? statList_.Item(drawStats_.Method).Code()
                                 : std::string();
  const std::string graphChosen = views_.GraphMethod >= 0 && views_.GraphMethod < statList_.Count()
                                      ? statList_.Item(views_.GraphMethod).Code()
                                      : std::string();
  std::string error;
  if (!statList_.RebuildMethods(paths_.FltFile(), &error)) ShowError(error);
  ChooseDrawStatsMethod(chosen);
  ChooseGraphMethod(graphChosen);
  drawStats_.Table.Clear();
  Notify(kChangeMethods | kChangeOptions | kChangeDrawStats);
}

uint32_t TAppSession::ApplyShredding(const std::array<std::string, 3>& formulas,
                                     const std::array<uint8_t, 3>& digits) {
  TBusyGuard busy(*this, Tr("Сохранение файла конфигурации..."));
  const auto oldFormulas = statList_.Formula;
  const auto oldDigits = statList_.FormulaDigits;
  statList_.Formula = formulas;
  for (size_t i = 0; i < 3; ++i) {
    statList_.FormulaDigits[i] = digits[i] >= 1 && digits[i] <= 5 ? digits[i] : 2;
  }
  try {
    statList_.SaveShredding(IniFile(true));
  } catch (const EVetrilo& e) {
    statList_.Formula = oldFormulas;
    statList_.FormulaDigits = oldDigits;
    throw EVetrilo(Format(Tr("Ошибка записи в файл конфигурации!\r\r%s"), {e.what()}));
  }
  RebuildMethodList();
  SettingsGroupsChanged(GroupMask(12));
  return GroupMask(12);
}

bool TAppSession::AcquireDataLock() {
  std::string error;
  if (OpenStakeFile(&error)) {
    // The folder is ours alone now: what a killed save left behind can go.
    RemoveStaleTemporaries(paths_.Dir);
    RemoveStaleTemporaries(paths_.PrefetchDir());
    return true;
  }
  ShowError(ExclusiveAccessMessage(ExtractFileDir(paths_.StakesFile())));
  return false;
}

int TAppSession::Initialize(const TCommandLine& commandLine) {
  {
    TBusyGuard busy(*this, Tr("Инициализация..."));
    SetDrawsOffset(0);
    if (!AcquireDataLock()) return 1;
    LoadArchive();
    GenerateDefaultCombs();
  }
  RecalcViews(true);
  LoadRatingsAtStart();
  if (TablesShown()) LoadTables();
  LoadScript();
  const int errorsBefore = ErrorsShown();
  if (commandLine.LoadOnly) {
    const TDownloadEnd end = DrawsDownloadExecute().End;
    const bool failed = end == TDownloadEnd::Failed || end == TDownloadEnd::BadDate;
    if (!commandLine.FullRecreate && !commandLine.FullRefresh) {
      return failed || ErrorsShown() > errorsBefore ? 1 : 0;
    }
  }
  if (StartupUpdateCheck()) return 0;
  if (commandLine.FullRecreate) {
    const bool done = RefreshDistributions(true, kAllGroupsMask);
    return !done || ErrorsShown() > errorsBefore ? 1 : 0;
  }
  const bool done = RefreshDistributions(commandLine.FullRefresh, 0);
  if (commandLine.FullRefresh) return !done || ErrorsShown() > errorsBefore ? 1 : 0;
  StartupDownload();
  return -1;
}

TSystemSettings TAppSession::SystemSettings() const {
  TSystemSettings settings = TSystemSettings::FromList(statList_);
  settings.LotterySite = lotterySite_;
  settings.ResultsSite = resultsSite_;
  return settings;
}

void TAppSession::ApplySystemSettings(const TSystemSettings& settings) {
  if (auto error = TSystemSettings::LotterySiteError(settings.LotterySite)) throw EVetrilo(*error);
  if (auto error = TSystemSettings::ResultsSiteError(settings.ResultsSite)) throw EVetrilo(*error);
  const std::string results = Trim(settings.ResultsSite);
  uint32_t mask = 0;
  {
    TBusyGuard busy(*this, Tr("Сохранение файла конфигурации..."));
    const TStatList before = statList_;
    settings.ApplyTo(statList_);
    mask = ChangedSettingsMask(before, statList_);
    const std::string site = Trim(settings.LotterySite);
    try {
      // One save: the engine settings and the address land together or not at all.
      IniFile(true).Update([&](TIniData& d) {
        statList_.SaveEngineSettings(d);
        if (site != lotterySite_) d.WriteString("GLOBAL", "LotterySite", site);
        if (results != resultsSite_) d.WriteString("GLOBAL", "ResultsSite", results);
      });
    } catch (const EVetrilo& e) {
      statList_ = before;
      throw EVetrilo(Format(Tr("Ошибка записи в файл конфигурации!\r\r%s"), {e.what()}));
    }
    lotterySite_ = site;
    resultsSite_ = results;
  }
  RebuildMethodList();
  SettingsGroupsChanged(mask);
  Notify(kChangeOptions);
}

bool TAppSession::LoadArchive() {
  const std::string path = paths_.ArchiveFile();
  bool ok = true;
  if (PathExists(path)) {
    TBusyGuard busy(*this, Tr("Загрузка файла тиражей..."));
    try {
      archive_.LoadFromFile(path);
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка чтения файла тиражей!\r\r%s"), {e.what()}));
      ok = false;
    }
    if (const std::string warning = OddDrawsWarning(archive_.Draws); !warning.empty()) {
      hooks_->ShowMessage(TMessageKind::Warning, warning);
    }
  } else {
    archive_.Clear();
  }
  if (drawsOffset_ > archive_.High()) drawsOffset_ = archive_.High() < 0 ? 0 : archive_.High();
  Notify(kChangeArchive | kChangeOffset);
  return ok;
}

bool TAppSession::SaveArchive() {
  TBusyGuard busy(*this, Tr("Сохранение файла тиражей..."));
  try {
    archive_.SaveToFile(paths_.ArchiveFile());
    return true;
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка записи в файл тиражей!\r\r%s"), {e.what()}));
    return false;
  }
}

void TAppSession::SetDrawsOffsetQuietly(int k) {
  drawsOffset_ = std::clamp(k, 0, std::max(0, archive_.Count() - 1));
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

void TAppSession::SaveWindowSettings(const std::function<void(TIniData&)>& window) {
  try {
    FrmFile().Update([&](TIniData& d) {
      options_.WriteShutdownValues(d, kMainSection);
      if (window) window(d);
    });
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
  }
}

void TAppSession::SaveOption(std::string_view key, bool value) {
  try {
    FrmFile().WriteBool(kMainSection, key, value);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
  }
}

void TAppSession::SetSortedDraws(bool on) {
  options_.SortedDraws = on;
  SaveOption("SortedDraws", on);
  Notify(kChangeOptions);
  RecalcViews(true);
}

void TAppSession::SetColorDraws(bool on) {
  options_.ColorDraws = on;
  SaveOption("ColorDraws", on);
  Notify(kChangeOptions);
}

void TAppSession::SetColorCombs(bool on) {
  options_.ColorCombs = on;
  SaveOption("ColorCombs", on);
  Notify(kChangeOptions);
}

bool TAppSession::GenerateDefaultCombs() {
  TBusyGuard busy(*this, Tr("Генерация возможных комбинаций..."));
  try {
    combs_.GenerateCombs(statList_.CombsGenerateMode, statList_.CombsGenerateParameters, true);
    return true;
  } catch (const EVetrilo& e) {
    ShowError(e.what());
    return false;
  }
}

void TAppSession::GenerateCombs(int mode, const std::string& parameter, bool saveAsDefaults) {
  if (saveAsDefaults) {
    statList_.CombsGenerateMode = static_cast<uint8_t>(mode);
    statList_.CombsGenerateParameters = parameter;
    try {
      statList_.SaveGenerateSettings(IniFile(true));
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
    }
  }
  TBusyGuard busy(*this, Tr("Генерация возможных комбинаций..."));
  combs_.TakeUndo(true);
  combs_.GenerateCombs(mode, parameter, true);
}

void TAppSession::OpenCombsFile(const std::string& path) {
  TBusyGuard busy(*this, "");
  combs_.OpenFile(path);
}

void TAppSession::SaveCombsFile(const std::string& path) {
  TBusyGuard busy(*this, "");
  combs_.SaveFile(path);
}

void TAppSession::PasteCombs(std::string_view text) {
  TBusyGuard busy(*this, "");
  combs_.Paste(text);
}

void TAppSession::DeleteCombRows(const TRowRanges& selection) {
  TBusyGuard busy(*this, "");
  combs_.DeleteRows(selection);
}

void TAppSession::ExcludeDrawsFromCombs(int n) {
  TBusyGuard busy(*this, "");
  combs_.ExcludeDraws(n, LastIndex());
}

void TAppSession::UndoCombs() {
  TBusyGuard busy(*this, "");
  combs_.Undo();
}

bool TAppSession::FilterCombsByTable(const TStatMethod& method,
                                     std::span<const TStatDrawRec> records,
                                     const std::vector<std::string>& texts,
                                     std::string_view caption, bool keep) {
  TBusyGuard busy(*this, Tr("Фильтрация комбинаций..."));
  try {
    TStatDrawArray selected;
    for (const TStatDrawRec& r : records) selected.Append(r);
    auto stat = statList_.CreateStat(method);
    combs_.FilterStep(*stat, selected, caption, JoinValueTexts(texts), !keep, LastIndex(),
                      options_.SortedDraws);
    return true;
  } catch (const EStopped&) {
    return false;
  } catch (const std::exception& e) {
    ShowError(e.what());
    return false;
  }
}

bool TAppSession::FilterCombsByGrid(const TGridValues& values, std::string_view caption,
                                    bool keep) {
  TBusyGuard busy(*this, Tr("Фильтрация комбинаций..."));
  try {
    combs_.GridFilterStep(statList_, values, caption, !keep, LastIndex(), options_.SortedDraws);
    return true;
  } catch (const EStopped&) {
    return false;
  } catch (const std::exception& e) {
    ShowError(e.what());
    return false;
  }
}

void TAppSession::EnterBusy() {
  if (busy_++ == 0) {
    hooks_->ClearStopRequest();
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
  status_.emplace(session_.Hooks(), status);
}

TBusyGuard::~TBusyGuard() {
  status_.reset();
  session_.LeaveBusy();
}

}  // namespace vetrilo
