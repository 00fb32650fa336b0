// The draw archive from the result site, from and to CSV files, and by hand.
#include <algorithm>

#include "acquire/draw_edit.h"
#include "acquire/draws_csv.h"
#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

constexpr std::string_view kDownloadText = "Загрузка архива тиражей...";

// Closes the wait window however the download ends.
class TWaitWindow {
 public:
  explicit TWaitWindow(std::function<void(std::string_view)>& show) : show_(show) {
    if (show_) show_(Tr(kDownloadText));
  }
  ~TWaitWindow() {
    if (show_) show_("");
  }
  TWaitWindow(const TWaitWindow&) = delete;
  TWaitWindow& operator=(const TWaitWindow&) = delete;

 private:
  std::function<void(std::string_view)>& show_;
};

}  // namespace

TDateKey TAppSession::Today() const {
  return today_ > 0 ? today_ : TodayKey();
}

void TAppSession::SetDownloadDrawsOnStart(int mode) {
  if (mode < 0 || mode > 2) mode = 0;
  options_.DownloadDrawsOnStart = mode;
  try {
    FrmFile().WriteInteger(kMainSection, "DownloadDrawsOnStart", mode);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
  }
  Notify(kChangeOptions);
}

void TAppSession::AfterDrawsChanged(bool forced) {
  if (drawsOffset_ > archive_.High()) drawsOffset_ = archive_.High() < 0 ? 0 : archive_.High();
  Notify(kChangeArchive | kChangeOffset);
  RecalcViews(forced);
  // Stakes for the draws that came are checked now.
  if (HasStakes()) CheckStakes();
}

TDownloadResult TAppSession::DownloadDraws() {
  if (resultsSite_.empty()) {
    throw EVetrilo(Format(
        Tr("Не задан адрес страницы результатов лотереи!\r\rУкажите его в поле \"Адрес страницы "
           "результатов:\" окна \"Параметры\" (меню \"Сервис\"); в файле %s.ini это параметр "
           "ResultsSite= раздела [GLOBAL]."),
        {paths_.BaseName}));
  }
  TDownloadResult result;
  {
    TBusyGuard busy(*this, Tr(kDownloadText));
    TWaitWindow wait(waitWindow_);
    web_.WaitText = [this](std::string_view text) { ShowWaitWindow(text); };
    TDrawDownload download(archive_, web_, *hooks_, resultsSite_, Today());
    download.AskRetry = [this](std::string_view q) { return hooks_->Confirm(Tr("Ошибка"), q); };
    download.DrawsAppended = [this] {
      SaveArchive();
      Notify(kChangeArchive | kChangeOffset);
      RecalcViews(false);
    };
    download.SaveProxy = [this] {
      try {
        proxy_.Save(IniFile());
      } catch (const EVetrilo& e) {
        proxy_.Saved = true;  // reported once; the proxy stays in use for this run
        ShowError(Format(Tr("Ошибка записи в файл конфигурации!\r\r%s"), {e.Message()}));
      }
    };
    try {
      result = download.DownloadNewDraws();
    } catch (...) {
      AfterDrawsChanged(false);
      throw;
    }
    AfterDrawsChanged(false);
  }
  // Left in the status bar: the user should see why the download ended early.
  if (!result.Reason.empty()) SetStatus(result.Reason);
  return result;
}

TDownloadResult TAppSession::DrawsDownloadExecute() {
  try {
    return DownloadDraws();
  } catch (const EStopped&) {
    return {0, TDownloadEnd::Failed, {}};
  } catch (const EVetrilo& e) {
    ShowError(e.Message());
    return {0, TDownloadEnd::Failed, {}};
  }
}

void TAppSession::StartupDownload() {
  // Without an address there is nothing to ask about; the action says what to set.
  if (resultsSite_.empty()) return;
  switch (options_.DownloadDrawsOnStart) {
    case 0:
      if (!hooks_->Ask(Tr("Обновить список тиражей?\r\rДля выполнения обновления необходимо "
                          "действующее подключение к сети Интернет."))) {
        return;
      }
      break;
    case 1:
      break;
    default:
      return;
  }
  DrawsDownloadExecute();
}

void TAppSession::ApplyProxySettings(int choice, const std::string& server, int port,
                                     const std::string& username, const std::string& password) {
  TBusyGuard busy(*this, Tr("Сохранение файла конфигурации..."));
  const TProxySettings before = proxy_;
  proxy_.Server = Trim(server);
  proxy_.Port = port;
  proxy_.Username = username;
  proxy_.Password = password;
  proxy_.Saved = false;
  proxy_.Mode = choice == 1 || choice == 2 ? choice : 0;
  if (proxy_.Mode == 1) {
    proxy_.Server.clear();
    proxy_.Username.clear();
    proxy_.Password.clear();
    proxy_.Port = 0;
  }
  proxy_.Candidates.reset();
  try {
    proxy_.Save(IniFile(true));
  } catch (const EVetrilo& e) {
    proxy_ = before;
    throw EVetrilo(Format(Tr("Ошибка записи в файл конфигурации!\r\r%s"), {e.Message()}));
  }
}

int TAppSession::ImportDraws(const std::string& path) {
  int added = 0;
  {
    TBusyGuard busy(*this, Format(Tr("Импорт тиражей из файла \"%s\"..."), {path}));
    // The whole file first: a failed read imports nothing.
    const std::string bytes = ReadFileBytes(path);
    added = ImportDrawsCsv(bytes, archive_);
    if (added > 0) SaveArchive();
  }
  if (added > 0) AfterDrawsChanged(false);
  return added;
}

void TAppSession::ExportDraws(const std::string& path) {
  TBusyGuard busy(*this, Format(Tr("Экспорт тиражей в файл \"%s\"..."), {path}));
  SaveFileAtomic(path, DrawsCsvText(archive_.Draws));
}

void TAppSession::AddDraw(const TDrawRec& draw) {
  archive_.Draws.push_back(draw);
  SaveArchive();
  AfterDrawsChanged(false);
}

void TAppSession::EditDraw(int row, const TDrawRec& draw) {
  const int index = archive_.High() - row;
  if (row < 0 || index < 0) {
    throw EVetrilo(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
  }
  archive_.Draws[static_cast<size_t>(index)] = draw;
  SaveArchive();
  // Same size, other numbers: the views would not see the change by themselves.
  AfterDrawsChanged(true);
}

bool TAppSession::DeleteDraws(const std::vector<int>& rows, bool ask) {
  std::vector<int> unique(rows);
  std::sort(unique.begin(), unique.end());
  unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
  if (unique.empty()) return false;
  if (ask && !hooks_->ConfirmDestructive(kDeleteQuestionTitle,
                                         DeleteRecordsQuestion(int64_t(unique.size())))) {
    return false;
  }
  {
    TBusyGuard busy(*this, Tr("Удаление выделенных тиражей...."));
    DeleteDrawRows(archive_, unique);
    SaveArchive();
  }
  AfterDrawsChanged(false);
  return true;
}

}  // namespace vetrilo
