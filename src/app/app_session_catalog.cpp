// The catalogue server's two lists: the systems page and the script catalogue panel.
#include <algorithm>
#include <ctime>
#include <filesystem>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"
#include "stakes/stake_store.h"

namespace vetrilo {
namespace {

int RowOf(const auto& list, int32_t id) {
  if (id == 0) return -1;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].Id == id) return int(i);
  }
  return -1;
}

// The client of a write: the installation key is made and saved first when
// there is none yet (a failed save is the operation's error).
TCatalogClient WriteClient(const TAppSession& session) {
  const TCatalogSettings s = LoadCatalogSettings(session.IniFile());
  return TCatalogClient(s.Site, s.User);
}

}  // namespace

TCatalogSettings TAppSession::CatalogSettings() const {
  // Reading never writes: the key is made by the first write to the catalogue.
  try {
    return ReadCatalogSettings(IniFile());
  } catch (const std::exception&) {
  }
  TCatalogSettings s;
  s.Site = std::string(kDefaultCatalogSite);
  return s;
}

void TAppSession::SaveCatalogUser(const std::string& name, const std::string& mail) {
  vetrilo::SaveCatalogUser(IniFile(true), name, mail);
  Notify(kChangeSystems | kChangeOnlineScripts);
}

TCatalogClient TAppSession::CatalogClient() const {
  const TCatalogSettings s = CatalogSettings();
  return TCatalogClient(s.Site, s.User);
}

void TAppSession::SetSystemsEnabled(bool on) {
  options_.SystemsEnabled = on;
  SaveOption("SystemsEnabled", on);
  if (on) {
    LoadSystems();
  } else {
    systems_.clear();
  }
  Notify(kChangeSystems);
}

bool TAppSession::SystemDownloaded(int row) const {
  return row >= 0 && row < int(systems_.size()) &&
         SystemFileExists(paths_.SystemsDir(), systems_[size_t(row)]);
}

bool TAppSession::SystemOwn(int row) const {
  return row >= 0 && row < int(systems_.size()) && systems_[size_t(row)].Id > 0 &&
         IsOwnSystem(systems_[size_t(row)], CatalogSettings().User.Mail);
}

bool TAppSession::StoreDownloadedSystem(const tSystemInfo& info) {
  if (const std::string built = BuiltSystemFor(paths_.SystemsDir(), info.Nums);
      !built.empty() && !hooks_->Ask(ReplaceBuiltSystemQuestion(info, built))) {
    return false;
  }
  TBusyGuard busy(*this, Format(Tr("Загрузка \"%s\"..."), {info.Title}));
  try {
    const TCatalogClient client = CatalogClient();
    const auto lines = CheckedSystemLines(info, TSystemsCatalog(client).Combinations(info.Id));
    StoreSystemFile(paths_.SystemsDir(), info, lines, systems_);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка загрузки системы #%d!\r\r%s"), {info.Id, e.Message()}));
    return false;
  }
  return true;
}

int TAppSession::LoadSystems(int32_t focusId, bool quiet) {
  systems_.clear();
  Notify(kChangeSystems);
  std::optional<std::vector<tSystemInfo>> list;
  {
    TBusyGuard busy(*this, Tr("Загрузка списка систем..."));
    try {
      const TCatalogClient client = CatalogClient();
      list = TSystemsCatalog(client).List();
    } catch (const EVetrilo& e) {
      if (!quiet) {
        ShowError(Format(Tr("Ошибка загрузки списка систем!\r\r%s"), {e.Message()}));
        Notify(kChangeSystems);
        return -1;
      }
    }
  }
  if (!list) {
    tSystemInfo placeholder;
    placeholder.Title = Tr("Список систем не доступен!");
    systems_.push_back(placeholder);
    Notify(kChangeSystems);
    return -1;
  }
  systems_ = std::move(*list);
  // A local copy older or newer than the catalogue's is a changed system.
  for (const tSystemInfo& s : std::vector<tSystemInfo>(systems_)) {
    if (SystemFileExists(paths_.SystemsDir(), s) && s.Created != 0 &&
        SystemFileTime(paths_.SystemsDir(), s) != s.Created) {
      StoreDownloadedSystem(s);
    }
  }
  Notify(kChangeSystems);
  return RowOf(systems_, focusId);
}

bool TAppSession::DownloadSystems(const std::vector<int>& rows) {
  bool ok = true;
  for (const int row : rows) {
    if (row < 0 || row >= int(systems_.size()) || systems_[size_t(row)].Id <= 0) continue;
    ok = StoreDownloadedSystem(systems_[size_t(row)]) && ok;
    Notify(kChangeSystems);
  }
  return ok;
}

tSystemData TAppSession::NewSystemData() const {
  const TCatalogSettings s = CatalogSettings();
  tSystemData d;
  d.Author = s.User.Name;
  d.AuthorMail = s.User.Mail;
  return d;
}

std::optional<tSystemData> TAppSession::SystemProperties(int row) {
  if (row < 0 || row >= int(systems_.size()) || systems_[size_t(row)].Id <= 0) return std::nullopt;
  tSystemData d;
  static_cast<tSystemInfo&>(d) = systems_[size_t(row)];
  TBusyGuard busy(*this, Format(Tr("Загрузка \"%s\"..."), {d.Title}));
  try {
    const TCatalogClient client = CatalogClient();
    const auto lines = CheckedSystemLines(d, TSystemsCatalog(client).Combinations(d.Id));
    for (const std::string& line : lines) d.CList += (d.CList.empty() ? "" : "\r\n") + line;
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка изменения системы!\r\r%s"),
                     {Format(Tr("Ошибка загрузки системы #%d!\r\r%s"), {d.Id, e.Message()})}));
    return std::nullopt;
  }
  return d;
}

int TAppSession::AddSystem(const tSystemData& data) {
  tSystemData d = data;
  d.Id = 0;
  if (d.Created == 0) d.Created = int64_t(std::time(nullptr));
  try {
    TBusyGuard busy(*this, Format(Tr("Сохранение \"%s\"..."), {d.Title}));
    try {
      const TCatalogClient client = WriteClient(*this);
      d.Id = TSystemsCatalog(client).Save(d);
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format(Tr("Ошибка сохранения системы #%d!\r\r%s"), {0, e.Message()}));
    }
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка добавления системы!\r\r%s"), {e.Message()}));
    return -1;
  }
  systems_.erase(std::remove_if(systems_.begin(), systems_.end(),
                                [](const tSystemInfo& s) { return s.Id <= 0; }),
                 systems_.end());
  systems_.push_back(d);
  Notify(kChangeSystems);
  return int(systems_.size()) - 1;
}

bool TAppSession::UpdateSystem(int row, const tSystemData& data) {
  if (row < 0 || row >= int(systems_.size())) return false;
  tSystemData d = data;
  d.Id = systems_[size_t(row)].Id;
  try {
    TBusyGuard busy(*this, Format(Tr("Сохранение \"%s\"..."), {d.Title}));
    try {
      const TCatalogClient client = WriteClient(*this);
      d.Id = TSystemsCatalog(client).Save(d);
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format(Tr("Ошибка сохранения системы #%d!\r\r%s"), {d.Id, e.Message()}));
    }
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка изменения системы!\r\r%s"), {e.Message()}));
    return false;
  }
  systems_[size_t(row)] = d;
  Notify(kChangeSystems);
  return true;
}

bool TAppSession::DeleteSystem(int row) {
  if (row < 0 || row >= int(systems_.size())) return false;
  const tSystemInfo info = systems_[size_t(row)];
  if (!SystemOwn(row)) {
    hooks_->ShowMessage(TMessageKind::Warning, Tr("Вы можете удалять только свои системы!"));
    return false;
  }
  if (!hooks_->ConfirmDestructive(
          kQuestionTitle,
          Format(Tr("Вы действительно хотите удалить систему \"%s\"?"), {info.Title}))) {
    return false;
  }
  {
    TBusyGuard busy(*this, Format(Tr("Удаление \"%s\"..."), {info.Title}));
    try {
      const TCatalogClient client = WriteClient(*this);
      TSystemsCatalog(client).Delete(info);
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка удаления системы!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  std::error_code error;
  std::filesystem::remove(SystemFilePath(paths_.SystemsDir(), info), error);
  systems_.erase(systems_.begin() + row);
  Notify(kChangeSystems);
  return true;
}

bool TAppSession::CanStakeSystem() const {
  return !Busy() && options_.SystemsEnabled && combs_.Count() > 0 && StakesOpen();
}

std::string TAppSession::SystemStakeComment(bool all, int n, const std::string& name) const {
  return Format(all ? Tr("Системная игра для %d чисел [вся система]: %s")
                    : Tr("Системная игра для %d чисел [комбинации]: %s"),
                {n, name});
}

bool TAppSession::StakeSystem(
    bool all,
    const std::function<bool(int32_t& draw, std::string& comment, int& draws)>& askStake) {
  TFoundSystem found;
  std::vector<uint8_t> numbers;
  {
    TBusyGuard busy(*this, Tr("Подождите пожалуйста..."));
    numbers = CollectNumbers(combs_.Combs());
    try {
      found = FindSystem(paths_.SystemsDir(), numbers);
    } catch (const ESystemNotFound& e) {
      ShowError(e.ShownText());
      return false;
    } catch (const EVetrilo& e) {
      ShowError(e.Message());
      return false;
    }
  }
  int32_t draw = NextStakeDraw();
  std::string comment = SystemStakeComment(all, int(numbers.size()), found.Name);
  int draws = 1;
  if (!askStake(draw, comment, draws)) return false;
  bool ok = true;
  {
    TBusyGuard busy(*this, Tr("Создание ставок..."));
    TCombsArray inList = combs_.Combs();
    for (TComb& c : inList) c = SortComb(c);
    std::sort(inList.begin(), inList.end());
    try {
      const TStakeFile& file = stakes_.File;
      if (file.Count() > 0 && file.Read(2, -1).IsStake()) {
        AppendStake(stakes_.File, TStakeRec::Separator(), 1);
      }
      for (const TComb comb : found.Combs) {
        if (!all && !std::binary_search(inList.begin(), inList.end(), SortComb(comb))) continue;
        TStakeRec rec;
        rec.Kind = kStakeSystem;
        rec.DrawNumber = draw;
        rec.Comment = comment;
        rec.SampleSize = all ? int32_t(found.Combs.size()) : int32_t(combs_.Count());
        rec.SetNumbers(comb);
        rec.Profit = statList_.StakeOutcome(4, -1);
        AppendStake(stakes_.File, rec, draws);
      }
    } catch (const EVetrilo& e) {
      ShowError(e.Message());
      ok = false;
    }
  }
  if (ok) {
    CheckStakes();
    stakesScroll_ = true;
  }
  Notify(kChangeStakes);
  return ok;
}

void TAppSession::SetScriptLibraryOn(bool on) {
  options_.ScriptLibraryOn = on;
  SaveOption("ScriptLibraryOn", on);
  LoadOnlineScripts();
}

void TAppSession::SetScriptLibraryFilter(int index) {
  options_.ScriptLibraryFilter = std::clamp(index, 0, 7);
  LoadOnlineScripts();
}

int TAppSession::LoadOnlineScripts(int32_t focusId, bool quiet) {
  onlineScripts_.clear();
  Notify(kChangeOnlineScripts);
  if (!options_.ScriptLibraryOn) return -1;
  {
    TBusyGuard busy(*this, Tr("Загрузка online-каталога сценариев..."));
    try {
      const TCatalogClient client = CatalogClient();
      onlineScripts_ =
          TScriptsCatalog(client, statList_.Language).List(options_.ScriptLibraryFilter);
    } catch (const EVetrilo& e) {
      onlineScripts_.clear();
      if (!quiet)
        ShowError(Format(Tr("Ошибка загрузки каталога online-сценариев!\r\r%s"), {e.Message()}));
    }
  }
  Notify(kChangeOnlineScripts);
  return RowOf(onlineScripts_, focusId);
}

bool TAppSession::DownloadOnlineScript(int row) {
  if (row < 0 || row >= int(onlineScripts_.size()) || !onlineScripts_[size_t(row)].Applicable) {
    return false;
  }
  {
    TBusyGuard busy(*this, Tr("Скачивание сценария из online-каталога..."));
    try {
      const TCatalogClient client = CatalogClient();
      script_ = TScriptsCatalog(client, statList_.Language).Lines(onlineScripts_[size_t(row)].Id);
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка загрузки online-сценария!\r\r%s"), {e.Message()}));
      return false;
    }
    SaveScriptAutosave();
  }
  Notify(kChangeScript);
  return true;
}

tScriptData TAppSession::NewOnlineScriptData() const {
  tScriptData d;
  d.Author = CatalogSettings().User.Name;
  d.Lcid = statList_.Language;
  return d;
}

tScriptData TAppSession::OnlineScriptData(int row) const {
  const tScriptInfo& s = onlineScripts_.at(size_t(row));
  tScriptData d;
  d.Id = s.Id;
  d.Author = s.Author;
  d.Lcid = s.Lcid;
  d.Universal = s.Universal;
  d.Public = s.Public;
  d.Title = s.Title;
  d.Descr = s.Descr;
  return d;
}

std::string TAppSession::CheckOnlineScriptData(const tScriptData& data) {
  if (Trim(data.Title).empty()) return Tr("Название сценария должно быть указано обязательно!");
  try {
    const TCatalogClient client = CatalogClient();
    if (!TScriptsCatalog(client, statList_.Language).TitleFree(data.Id, Trim(data.Title))) {
      return Tr("Сценарий с таким названием уже существует!\rВыберите другое название.");
    }
  } catch (const EVetrilo& e) {
    return Format(Tr("Ошибка проверки уникальности online-сценария!\r\r%s"), {e.Message()});
  }
  if (Trim(data.Author).empty()) return Tr("Имя автора должно быть указано обязательно!");
  return {};
}

int TAppSession::PublishOnlineScript(const tScriptData& data) {
  tScriptData d = data;
  d.Id = -1;
  d.Title = Trim(d.Title);
  int32_t id = 0;
  std::optional<TCatalogClient> client;
  try {
    TBusyGuard busy(*this, Tr("Сохранение сценария в базе данных..."));
    try {
      client.emplace(WriteClient(*this));
      id = TScriptsCatalog(*client, statList_.Language).Publish(d, script_);
    } catch (const EVetrilo& e) {
      throw EVetrilo(
          Format(Tr("Ошибка сохранения online-сценария в базе данных!\r\r%s"), {e.Message()}));
    }
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка публикации online-сценария!\r\r%s"), {e.Message()}));
    return -1;
  }
  tScriptInfo s;
  s.Id = id;
  s.Author = d.Author;
  s.AuthorMail = client->User().Mail;
  s.Lcid = d.Lcid;
  s.AppName = std::string(kEditionName);
  s.AppVer = VETRILO_VERSION;
  s.Universal = d.Universal;
  s.Public = d.Public;
  s.Created = int64_t(std::time(nullptr));
  s.Title = d.Title;
  s.Descr = d.Descr;
  s.Own = s.Applicable = s.Editable = true;
  onlineScripts_.push_back(s);
  Notify(kChangeOnlineScripts);
  return int(onlineScripts_.size()) - 1;
}

bool TAppSession::ReplaceOnlineScript(int row, const tScriptData& data) {
  if (row < 0 || row >= int(onlineScripts_.size()) || !onlineScripts_[size_t(row)].Editable) {
    return false;
  }
  tScriptData d = data;
  d.Id = onlineScripts_[size_t(row)].Id;
  d.Title = Trim(d.Title);
  std::optional<TCatalogClient> client;
  int32_t id = 0;
  {
    TBusyGuard busy(*this, Tr("Сохранение сценария в базе данных..."));
    try {
      client.emplace(WriteClient(*this));
      id = TScriptsCatalog(*client, statList_.Language).Publish(d, script_);
    } catch (const EVetrilo& e) {
      ShowError(
          Format(Tr("Ошибка сохранения online-сценария в базе данных!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  tScriptInfo& s = onlineScripts_[size_t(row)];
  s.Id = id;
  s.Author = d.Author;
  s.Lcid = d.Lcid;
  s.Universal = d.Universal;
  s.Public = d.Public;
  s.Title = d.Title;
  s.Descr = d.Descr;
  s.AuthorMail = client->User().Mail;
  s.Created = int64_t(std::time(nullptr));
  Notify(kChangeOnlineScripts);
  return true;
}

bool TAppSession::DeleteOnlineScript(int row) {
  if (row < 0 || row >= int(onlineScripts_.size()) || !onlineScripts_[size_t(row)].Editable) {
    return false;
  }
  const tScriptInfo info = onlineScripts_[size_t(row)];
  if (!hooks_->ConfirmDestructive(
          kQuestionTitle,
          Format(Tr("Вы действительно хотите удалить сценарий \"%s\"?"), {info.Title}))) {
    return false;
  }
  {
    TBusyGuard busy(*this, Tr("Удаление сценария из базы данных..."));
    try {
      const TCatalogClient client = WriteClient(*this);
      TScriptsCatalog(client, statList_.Language).Delete(info);
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка удаления online-сценария из базы данных!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  onlineScripts_.erase(onlineScripts_.begin() + row);
  Notify(kChangeOnlineScripts);
  return true;
}

bool TAppSession::RateOnlineScript(int row, int value, const std::string& notes) {
  if (row < 0 || row >= int(onlineScripts_.size())) return false;
  const int32_t id = onlineScripts_[size_t(row)].Id;
  {
    TBusyGuard busy(*this, Tr("Отправка оценки на сервер..."));
    try {
      const TCatalogClient client = WriteClient(*this);
      TScriptsCatalog(client, statList_.Language).Rate(id, value, notes);
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка сохранения оценки online-сценария!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  LoadOnlineScripts(id);
  return true;
}

std::optional<std::vector<TScriptRate>> TAppSession::OnlineScriptRates(int row) {
  if (row < 0 || row >= int(onlineScripts_.size())) return std::nullopt;
  TBusyGuard busy(*this, Tr("Загрузка списка оценок..."));
  try {
    const TCatalogClient client = CatalogClient();
    return TScriptsCatalog(client, statList_.Language).Rates(onlineScripts_[size_t(row)].Id);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка просмотра оценок online-сценария!\r\r%s"), {e.Message()}));
    return std::nullopt;
  }
}

}  // namespace vetrilo
