#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "acquire/draw_download.h"
#include "app/app_paths.h"
#include "app/command_line.h"
#include "app/main_options.h"
#include "app/script_runner.h"
#include "app/system_settings.h"
#include "core/draw_archive.h"
#include "core/ini_file.h"
#include "core/ui_hooks.h"
#include "net/catalog_client.h"
#include "net/proxy_settings.h"
#include "net/web_client.h"
#include "scripts/script_catalog.h"
#include "services/export_params.h"
#include "services/export_source.h"
#include "services/languages.h"
#include "services/progress_window.h"
#include "services/self_update.h"
#include "stakes/stake_book.h"
#include "stakes/stake_charts.h"
#include "stakes/stake_store.h"
#include "stakes/stake_tables.h"
#include "stakes/system_catalog.h"
#include "stakes/system_design.h"
#include "stakes/system_store.h"
#include "stats/favorites_tree.h"
#include "stats/stat_list.h"
#include "views/analysis_views.h"
#include "views/distribution_cache.h"
#include "views/draw_stats.h"
#include "views/repeats_analysis.h"
#include "views/sum_distribution.h"
#include "workspace/comb_filter.h"
#include "workspace/comb_workspace.h"
#include "workspace/status_scope.h"

namespace vetrilo {

// What changed, so the screen refreshes only what it shows of it.
enum TChange : uint32_t {
  kChangeArchive = 1u << 0,
  kChangeOffset = 1u << 1,
  kChangeOptions = 1u << 2,
  kChangeBusy = 1u << 3,
  kChangeMethods = 1u << 4,    // the method list was rebuilt: entries, order or captions
  kChangeDrawStats = 1u << 5,  // the statistics table was recalculated or cleared
  kChangeCombs = 1u << 6,      // combination list or applied-filter journal
  kChangeScriptRun = 1u << 7,  // the panels of a script run
  kChangeScript = 1u << 8,     // the lines of the script
  kChangeViews = 1u << 9,      // graphs, card, layout or weekday view rebuilt, or their options
  kChangeStakes = 1u << 10,    // the stake file
  kChangeRatings = 1u << 11,   // the ratings list, its sort or its efficiency mode
  kChangeTables = 1u << 12,    // the regular tables or their page
  kChangeSystems = 1u << 13,   // the systems list or the systems page shown/hidden
  kChangeOnlineScripts = 1u << 14,  // the script catalogue list or its panel
};

// The main window's section of the window settings file.
constexpr std::string_view kMainSection = "TFormMain";

// The owner of the working state for one run: the draw archive and its offset,
// the options of the main window, the busy counter. Front ends show it and call
// it; every rule lives here so it can be tested without a screen.
class TAppSession {
 public:
  TAppSession(TAppPaths paths, TUiHooks& hooks);

  const TAppPaths& Paths() const { return paths_; }
  TUiHooks& Hooks() { return *hooks_; }
  void SetHooks(TUiHooks& hooks) { counting_.SetInner(hooks); }
  // Error messages shown so far (jobs without a screen report failure by them).
  int ErrorsShown() const { return counting_.ErrorsShown(); }

  // Called with what changed after every operation that changed something.
  void SetListener(std::function<void(uint32_t)> listener) { listener_ = std::move(listener); }

  // The settings files. One that could not be read at start reads as empty and
  // is never written for the rest of the run, so the user's settings in it
  // survive; only a save the user asks for (`explicitSave`) may still write it.
  TIniFile FrmFile(bool explicitSave = false) const {
    return TIniFile(paths_.FrmFile(), frmUnreadable_ && !explicitSave);
  }
  TIniFile IniFile(bool explicitSave = false) const {
    return TIniFile(paths_.IniFile(), iniUnreadable_ && !explicitSave);
  }

  // Reads the options of the main window settings file, the engine, generation,
  // shredding and proxy settings, and builds the method list with its favourites
  // and captions. A damaged or missing file gives the defaults; a file that
  // cannot be read gives its read error and the defaults.
  void LoadOptions();
  // Every option of the main window's section as read at start (sizes, depths
  // and options of views the session does not own yet survive a run this way).
  TMainOptions& Options() { return options_; }
  const TMainOptions& Options() const { return options_; }
  // The window settings file as read at start: placement and column keys for
  // the windows, which never read the file themselves.
  const TIniData& WindowSettings() const { return frmAtStart_; }
  // At shut-down: the options' shutdown values plus what `window` writes of
  // the window (placement, columns) in one save. Failures are shown.
  void SaveWindowSettings(const std::function<void(TIniData&)>& window);
  TProxySettings& Proxy() { return proxy_; }
  // Address "Сайт лотереи" opens ([GLOBAL] LotterySite); empty when not set.
  const std::string& LotterySite() const { return lotterySite_; }
  // The interface language forced to Russian ("no-language").
  void ForceRussian() { forceRussian_ = true; }

  // Interface language and help (app_session_language.cpp). The desktop gives
  // the loader of its text catalogues before LoadOptions, which activates the
  // stored language (quietly Russian when its module is missing).
  void SetLanguageLoader(TLanguageModuleLoader* loader) { languages_.SetLoader(loader); }
  TLanguages& Languages() { return languages_; }
  uint32_t CurrentLanguage() const { return languages_.CurrentLanguage(); }
  // The help of the active language; HelpExists() enables the help actions.
  const std::string& HelpFile() const { return statList_.HelpFile; }
  bool HelpExists() const;
  // A page of the help ("stats_sum.html#SUM1"); empty without the help file.
  std::string HelpTopic(const std::string& topic) const;
  // A choice of the language menu: false for the active language; a missing
  // module throws EVetrilo and keeps the setting; otherwise the setting is
  // stored and the caller restarts the program.
  bool ChooseLanguage(uint32_t language);
  // The reference dialog at start: shown while FirstRun is set.
  bool ShowFirstRunDialog() const { return options_.FirstRun; }
  void SetFirstRun(bool on);

  // The rest of start-up once the window is shown: exclusive use of the data
  // folder, the draw archive, the default combination list, every view, then
  // the command-line jobs and the missing cache files. Returns -1 to go on
  // running, else the exit status (the reason was shown).
  int Initialize(const TCommandLine& commandLine);
  // The stakes file held open and locked for the whole run; false (message
  // shown) when another copy works in this folder or the folder is unusable.
  bool AcquireDataLock();
  // Whether the last AcquireDataLock failed because another process held the folder.
  bool FolderBusy() const { return folderBusy_; }

  // OK of "Параметры системы": saves the engine settings, rebuilds the method
  // lists, rebuilds or drops the caches of the changed groups and recalculates.
  // A failed save throws EVetrilo and leaves the settings unchanged.
  // A bad site address throws EVetrilo with its message before anything is saved.
  void ApplySystemSettings(const TSystemSettings& settings);
  // What the dialog starts from: the engine settings and the site address.
  TSystemSettings SystemSettings() const;
  // The registry of statistic methods with the engine settings.
  TStatList& StatList() { return statList_; }
  const TStatList& StatList() const { return statList_; }

  // Rebuilds the method list after a settings change; favourites and user
  // captions survive through the method-list file (kept in memory when the
  // file cannot be written or read back). Failures are shown, not thrown.
  void RebuildMethodList();

  // OK of the shredding dialog: stores the formulas and digit counts, saves
  // section SHREDDING, rebuilds the method list so the captions show the new
  // formulas, and rebuilds or drops the shredding group's caches. Returns that
  // group's mask.
  // A failed save throws EVetrilo and leaves the settings unchanged.
  uint32_t ApplyShredding(const std::array<std::string, 3>& formulas,
                          const std::array<uint8_t, 3>& digits);

  // Draw archive.
  const TDrawArchive& Archive() const { return archive_; }
  TDrawArchive& MutableArchive() { return archive_; }
  bool LoadArchive();  // false after a read failure (message shown)
  bool SaveArchive();  // false after a write failure (message shown, memory unchanged)
  int DrawsOffset() const { return drawsOffset_; }
  void SetDrawsOffset(int k);
  // The offset alone, clamped, views untouched (a script test moves it per pass).
  void SetDrawsOffsetQuietly(int k);
  int LastIndex() const { return archive_.LastIndex(drawsOffset_); }

  // Options saved at the moment they change.
  bool SortedDraws() const { return options_.SortedDraws; }
  void SetSortedDraws(bool on);
  bool ColorDraws() const { return options_.ColorDraws; }
  void SetColorDraws(bool on);
  int ChannelSize() const { return statList_.ChannelSize; }

  // The combination list with its undo copy, buffer and applied-filter journal.
  TCombWorkspace& Combs() { return combs_; }
  const TCombWorkspace& Combs() const { return combs_; }
  bool ColorCombs() const { return options_.ColorCombs; }
  void SetColorCombs(bool on);
  // The list from the stored generation defaults; false after a failure (message shown).
  bool GenerateDefaultCombs();
  // "Генерировать" with the dialog's choice: an undoable new list; with
  // saveAsDefaults the choice becomes the stored generation defaults.
  void GenerateCombs(int mode, const std::string& parameter, bool saveAsDefaults);
  // Commands of the combination list, each an undoable step of its own.
  void OpenCombsFile(const std::string& path);
  void SaveCombsFile(const std::string& path);
  void PasteCombs(std::string_view text);
  void DeleteCombRows(const TRowRanges& selection);
  void ExcludeDrawsFromCombs(int n);
  void UndoCombs();
  // "Оставить выделенные" (keep) / "Удалить выделенные" of the statistics table: the method,
  // the value records of the selected rows and their texts in selection order, and the text
  // of the method list as the journal caption. False after a failure (message shown).
  bool FilterCombsByTable(const TStatMethod& method, std::span<const TStatDrawRec> records,
                          const std::vector<std::string>& texts, std::string_view caption,
                          bool keep);
  // The same for the numbers picked in a grid (card, layout scheme, weekdays).
  bool FilterCombsByGrid(const TGridValues& values, std::string_view caption, bool keep);
  // Draw statistics view. The two options are saved at the moment they change;
  // the depth when the window closes (with the window's other sizes).
  bool PrefetchsEnabled() const { return options_.PrefetchsEnabled; }
  void SetPrefetchsEnabled(bool on);
  bool ShowTotalLine() const { return options_.ShowTotalLine; }
  void SetShowTotalLine(bool on);
  int DrawsStatLen() const { return drawStats_.Depth; }
  void SetDrawsStatLen(int depth);
  // The depth typed into the statistics page: stored and, when it changed,
  // the table recalculated (not forced). Failures are shown.
  void ApplyDrawsStatLen(int depth);
  // The method of the table (an index into the method list, -1 for none). A
  // choice is remembered by its code across method-list rebuilds and restarts.
  int DrawStatsMethod() const { return drawStats_.Method; }
  // A change of the chosen method: recalculation, not forced; failures are shown.
  void SelectDrawStatsMethod(int method);
  // "Обновить": forced recalculation; failures are shown.
  void RefreshDrawStats();
  // The user's sort of the table (-1: list order).
  void SetDrawStatsSort(int column, bool descending);
  // A click on a column header: ascending, or the other way round when the
  // table is already sorted ascending by that column.
  void SortDrawStatsBy(int column);
  TDrawStatsState& DrawStats() { return drawStats_; }
  const TDrawStatsState& DrawStats() const { return drawStats_; }
  TPrefetchPlace PrefetchPlace() const { return {paths_.PrefetchDir(), paths_.BaseName}; }
  // Throws EVetrilo when the calculation fails (the table keeps what was filled).
  // False when stopped: the table is empty, or complete but for the "Факт"
  // columns, and the next recalculation runs whatever its key.
  bool CalcDrawStats(bool forced);
  // False when stopped (the files written before the stop stay).
  bool RefreshDistributions(bool forced, uint32_t groupMask);
  // After settings of the masked groups changed: with the comparison on their
  // cache files are rebuilt, with it off they are deleted so no stale norm is
  // ever read; then the views are recalculated.
  void SettingsGroupsChanged(uint32_t groupMask);
  // Recalculates the analysis views that exist; failures are shown.
  void RecalcViews(bool forced);

  // Graphs, card, layout scheme and comparison, weekday statistics. A view is
  // built only while its tab is visible and on screen; a forced build of a view
  // off screen makes its next unforced build run.
  const TAnalysisViews& Views() const { return views_; }
  // The work tab on screen; its view is brought up to date (not forced).
  void ShowView(TWorkView view);
  // Visibility of the tabs (TabGraphs, TabCard, TabLayout, TabWeek), saved at
  // once; a tab made visible is built forced.
  bool TabVisible(TWorkView view) const;
  void SetTabVisible(TWorkView view, bool visible);
  // Graphs tab.
  void SelectGraphMethod(int method);
  void SetDrawsGraphLen(int depth);
  void ApplyDrawsGraphLen(int depth);  // stored and built (not forced)
  void SetGraphMarks(bool on) {
    views_.GraphMarks = on;
    Notify(kChangeViews);
  }
  void BuildGraphs(bool forced);
  // Draw card and its options (ColorCard, ColorCardSequences, saved at once).
  void RefreshCard(bool forced);
  TCardOptions CardOptions() const;
  void SetColorCard(bool on);
  void SetColorCardSequences(bool on);
  // Layout scheme (LayoutLen) and comparison lists (LayoutCompareLen1..5).
  void SetLayoutLen(int depth);
  void ApplyLayoutLen(int depth);                   // stored and built (not forced)
  void SetLayoutCompareLen(int list, int depth);    // list 0..4
  void ApplyLayoutCompareLen(int list, int depth);  // stored and built forced
  void BuildLayout(bool forced);
  void BuildLayoutCompare(bool forced);
  bool LayoutGradient() const { return options_.LayoutGradient; }
  void SetLayoutGradient(bool on);
  // Weekday statistics (WeekLen, WeekChartMode, WeekChartType).
  void SetWeekLen(int depth);
  void ApplyWeekLen(int depth);  // stored and built (not forced)
  void BuildWeek(bool forced);
  int WeekChartMode() const { return options_.WeekChartMode == 1 ? 1 : 0; }
  void SetWeekChartMode(int mode);
  bool WeekChartType() const { return options_.WeekChartType; }
  void SetWeekChartType(bool line);
  void SetWeekCell(int row, int column);
  const std::array<std::string, 7>& WeekdayNames() const;
  // Enable rules and the keep/remove filters of the three grids.
  bool CanFilterCard(const TGridRect& selection) const;
  bool CanFilterLayout(const TGridRect& selection) const;
  bool CanFilterWeek(const TGridRect& selection) const;
  bool FilterCombsByCard(const TGridRect& selection, bool keep);
  bool FilterCombsByLayout(const TGridRect& selection, bool keep);
  bool FilterCombsByWeek(const TGridRect& selection, bool keep);
  // "Распределение сумм тиражей и всех возможных комбинаций".
  TSumDistribution TotalSumCombs();
  // "Количество повторов в зависимости от тиража"; nullopt when stopped.
  std::optional<TRepeatsAnalysis> AnalyzeRepeats(int length, int deep);
  TRepeatsWindowState RepeatsWindow();
  void SaveRepeatsWindow(const TRepeatsWindowState& state);
  // "Сведения о тираже" (archive index) and "Сведения о комбинации".
  std::vector<TInfoRow> DrawInfo(int index) const;
  std::vector<TInfoRow> CombInfo(TComb comb) const;

  // Busy counter: actions are enabled only while it is 0. Entering it from 0
  // starts an operation, which clears the stop request of the one before.
  // Operations that a stop request ended (EStopped) show nothing and answer
  // false; what they change is as it was before them.
  bool Busy() const { return busy_ > 0; }
  void EnterBusy();
  void LeaveBusy();
  void SetStatus(std::string_view text) { hooks_->SetStatus(text); }
  void ShowError(std::string_view text) { hooks_->ShowMessage(TMessageKind::Error, text); }

  void Notify(uint32_t changes) {
    if (listener_) listener_(changes);
  }

  // Draw acquisition: download from the result site, CSV files, the draw editor.
  // Address of the result site ([GLOBAL] ResultsSite); empty: nothing is fetched.
  const std::string& ResultsSite() const { return resultsSite_; }
  TWebClient& Web() { return web_; }
  // What the screen adds for downloads: the wait window (an empty text closes it).
  void SetWaitWindow(std::function<void(std::string_view)> show) { waitWindow_ = std::move(show); }
  // The date downloads run up to; the computer's date unless set (0).
  void SetToday(TDateKey today) { today_ = today; }
  TDateKey Today() const;
  // 0 ask, 1 download, 2 nothing at start-up; stored at once.
  int DownloadDrawsOnStart() const { return options_.DownloadDrawsOnStart; }
  void SetDownloadDrawsOnStart(int mode);
  // "Загрузка": the download loop in the wait window, then the work after every
  // change of the archive, also after a failure. Throws EVetrilo when
  // ResultsSite is empty (the message names the setting).
  TDownloadResult DownloadDraws();
  // The same for actions and start-up: the failure is shown, not thrown.
  TDownloadResult DrawsDownloadExecute();
  // After start-up: asks, downloads or does nothing, as DownloadDrawsOnStart says.
  void StartupDownload();
  // OK of the proxy dialog: choice 0 off, 1 automatic, 2 manual. Saved at once;
  // a failed save throws EVetrilo.
  void ApplyProxySettings(int choice, const std::string& server, int port,
                          const std::string& username, const std::string& password);
  // CSV files. Import returns the number of draws added; both throw EVetrilo
  // when the file cannot be read or written (nothing is imported then).
  int ImportDraws(const std::string& path);
  void ExportDraws(const std::string& path);
  // The draw dialog's record appended, or put in place of the draw in this row
  // of the draw list (0 = newest). A bad row throws EVetrilo.
  void AddDraw(const TDrawRec& draw);
  void EditDraw(int row, const TDrawRec& draw);
  // Removes the draws of these rows of the draw list; with `ask` only after Yes
  // to the question. False when nothing was removed.
  bool DeleteDraws(const std::vector<int>& rows, bool ask);
  // Runs after every change of the archive by download, import, add, edit and
  // delete: the views are recalculated (forced when the size stayed the same).
  void AfterDrawsChanged(bool forced);
  // Script: the lines of the script page. Every successful change writes the
  // whole script to "Vetrilo_4d47.lss"; a failed write is shown and the change
  // stays in memory. File failures are shown, not thrown; an index outside the
  // script throws EVetrilo.
  const std::vector<std::string>& Script() const { return script_; }
  std::string ScriptAutosaveFile() const { return paths_.File(".lss"); }
  // Script runs, "Прогноз" (testDraws 0) and "Тест" over the newest testDraws
  // draws. Stakes go to the stake file, or to `store` when given. The seed
  // makes the "RAND" choices of one run reproducible.
  bool ScriptRunning() const { return scriptRun_.Running; }
  const TScriptRunState& ScriptRun() const { return scriptRun_; }
  bool CanRunScript() const { return !Busy() && !script_.empty() && archive_.Count() > 0; }
  int MaxScriptTests() const { return std::max(0, archive_.Count() - 1); }
  TRunEnd RunScript(int testDraws, uint64_t seed, TRunStakeStore* store = nullptr);
  // The same for other lines than the script page's (the command-line tool).
  TRunEnd RunScriptLines(const std::vector<std::string>& lines, int testDraws, uint64_t seed,
                         TRunStakeStore* store = nullptr);
  // The program's stake file as a run's store, for a store that passes on to it.
  std::unique_ptr<TRunStakeStore> StakeFileStore();
  // "Стоп" of the script page: asks first; Yes ends the run at its next step.
  bool CanStopScript() const { return scriptRun_.Running && !scriptRun_.StopRequested; }
  void RequestScriptStop(bool ask = true);
  // The log of the last run, to be opened once the run ended (empty: none).
  std::string TakeFinishedScriptLog() { return std::exchange(finishedScriptLog_, {}); }
  bool ScriptLogEnabled() const { return options_.ScriptLogEnabled; }
  void SetScriptLogEnabled(bool on);
  bool StakesCheckOnLine() const { return options_.StakesCheckOnLine; }
  void SetStakesCheckOnLine(bool on);
  // "Удалить журналы выполнения сценариев".
  void DeleteScriptLogs();
  // Start-up: the autosave file when it exists; a read error leaves the script empty.
  void LoadScript();
  const std::string& ScriptLine(int index) const;
  // New line at the end; its index.
  int AddScriptLine(const std::string& line);
  int AddScriptSeparator();
  void ReplaceScriptLine(int index, const std::string& line);
  // After the deletion question; false when declined.
  bool DeleteScriptLines(std::vector<int> indexes);
  bool ClearScript();
  // Swaps the line with its neighbour (delta -1 up, +1 down); the line's new index.
  int MoveScriptLine(int index, int delta);
  // "Открыть" (replace), "Добавить сценарий" (append), "Сохранить". False after
  // a failure, the script as it was.
  bool OpenScriptFile(const std::string& path);
  bool AppendScriptFile(const std::string& path);
  bool SaveScriptFile(const std::string& path);
  // Appends lines as "Добавить сценарий" does (a separator between) and saves.
  void AppendScriptLines(const std::vector<std::string>& lines);
  // "Добавить в сценарий": one line per rating label, in order; a label that
  // makes no filter is shown as refused. Returns the number of lines added.
  int RatingsToScript(const std::vector<std::string>& labels);

  // Catalogue server: the systems page and the script catalogue panel. The
  // operations show their failures with the page's messages and answer false
  // (or -1); a failed load leaves its list empty.
  // [GLOBAL] CatalogSite and [CATALOG] of the ".ini"; the key is made on first use.
  TCatalogSettings CatalogSettings() const;
  // The settings dialog's name and e-mail; throws EVetrilo when it cannot save.
  void SaveCatalogUser(const std::string& name, const std::string& mail);
  bool SystemsEnabled() const { return options_.SystemsEnabled; }
  // "Системная игра": stored at once; shown loads the list, hidden clears it.
  void SetSystemsEnabled(bool on);
  const std::vector<tSystemInfo>& Systems() const { return systems_; }
  bool SystemDownloaded(int row) const;
  bool SystemOwn(int row) const;
  // The list again; the row of `focusId` in it (-1: none). Quiet (start-up):
  // an unreachable server gives the placeholder row instead of a message.
  int LoadSystems(int32_t focusId = 0, bool quiet = false);
  // "Загрузить": each row in turn; a failure is shown and the next goes on.
  // A system built here for the same count is replaced only after Yes (false
  // when a row was declined or failed).
  bool DownloadSystems(const std::vector<int>& rows);
  // A new own system for the editor.
  tSystemData NewSystemData() const;
  // "Свойства": the entry with its combinations (no file is written).
  std::optional<tSystemData> SystemProperties(int row);
  // OK of the editor for a new system / an own one; the row afterwards (-1: failed).
  int AddSystem(const tSystemData& data);
  bool UpdateSystem(int row, const tSystemData& data);
  // After the question; false when declined, refused or failed.
  bool DeleteSystem(int row);
  // The two system-stake actions: the stored system for the list's numbers and
  // the dialog's draw and comment (`askStake` shows the dialog; false: cancelled).
  bool CanStakeSystem() const;
  std::string SystemStakeComment(bool all, int n, const std::string& name) const;
  bool StakeSystem(
      bool all,
      const std::function<bool(int32_t& draw, std::string& comment, int& draws)>& askStake);

  bool ScriptLibraryOn() const { return options_.ScriptLibraryOn; }
  void SetScriptLibraryOn(bool on);  // stored at once, then the list reloaded (or cleared)
  int ScriptLibraryFilter() const { return options_.ScriptLibraryFilter; }
  void SetScriptLibraryFilter(int index);  // the list reloaded
  void SetScriptLibraryHeight(int height) { options_.ScriptLibraryHeight = height; }
  const std::vector<tScriptInfo>& OnlineScripts() const { return onlineScripts_; }
  int LoadOnlineScripts(int32_t focusId = 0, bool quiet = false);
  bool DownloadOnlineScript(int row);
  tScriptData NewOnlineScriptData() const;
  tScriptData OnlineScriptData(int row) const;
  // The publish dialog's OK checks in order; the message that refuses, empty when it may go.
  std::string CheckOnlineScriptData(const tScriptData& data);
  // Publish (the new row, -1: failed) and replace the row's script and properties.
  int PublishOnlineScript(const tScriptData& data);
  bool ReplaceOnlineScript(int row, const tScriptData& data);
  bool DeleteOnlineScript(int row);
  // 1..5 with the comment, 0 removes, -1 hides; then the list reloads.
  bool RateOnlineScript(int row, int value, const std::string& notes);
  std::optional<std::vector<TScriptRate>> OnlineScriptRates(int row);

  // Favourite methods. OK of the manager: the tree into the registry, the
  // method-list file saved, the method lists rebuilt with the first method chosen.
  void ApplyFavorites(const TFavoritesTree& tree);
  // "Все доступные статистики", after its question; false when declined.
  bool ResetFavorites();
  // The manager's "Импорт названий" (captions into the registry at once) and
  // "Экспорт названий" (the tree's captions to `path`); false after a failure.
  bool ImportMethodCaptions(const std::string& path);
  bool ExportMethodCaptions(const TFavoritesTree& tree, const std::string& path);
  // The description page of a method; empty without a help file.
  std::string MethodHelpLink(int method) const;
  // A dialog's placement keys in its own section of the window settings file.
  void UpdateWindowSettings(const std::function<void(TIniData&)>& write);
  // Stakes and ratings. Operations show their failures and answer false (or 0).
  TStakeBook& StakeBook() { return stakes_; }
  const TStakeBook& StakeBook() const { return stakes_; }
  bool StakesOpen() const { return stakes_.File.IsOpen(); }
  bool HasStakes() const { return stakes_.File.HasStakes(); }
  // Start-up: the ratings file when it exists, sorted and saved.
  void LoadRatingsAtStart();
  // The draw a new stake is for: the one after the newest visible draw.
  int32_t NextStakeDraw() const;
  // A new hand-made stake of `comb` (0: no numbers yet) for the next draw;
  // throws EVetrilo for a number outside 1..47.
  TStakeRec NewManualStake(TComb comb) const;
  // A combination of the list picked uniformly at random (0 for an empty list).
  TComb RandomComb();
  // "Сделать ставку": AppendStake, then CheckStakes.
  bool AddStake(const TStakeRec& rec, int draws);
  // One hand-made stake per combination with common data, stopping at the
  // first failed append; the selection of the list is cleared.
  bool AddStakes(const std::vector<TComb>& combs, int32_t draw, const std::string& comment,
                 int draws);
  // CheckStakes with the archive, the prices, the ratings and the logs.
  // The number checked; -1 after a failure (shown).
  int64_t CheckStakes();
  // Deleting asks first (one record / several); then the stakes are checked.
  bool DeleteStakeRows(int64_t first, int64_t last);
  bool DeleteStakesWhere(TStakeCondition condition, int value);
  // "Удалить все ставки": asks, empties the file, then offers the ratings refresh.
  bool ClearStakes();
  // "Обновить рейтинг": asks when there are ratings to lose.
  bool RefreshRatings();
  // A click on a ratings column header: ascending, or the other way round when
  // the list is already sorted ascending by that column; nothing for a column
  // that does not sort.
  void SortRatingsBy(int column);
  void SetRatingsSort(int column, bool descending);
  int RatingsEffMode() const { return options_.RatingsEffMode; }
  void SetRatingsEffMode(int mode);
  bool StakesScrollEnabled() const { return options_.StakesScrollEnabled; }
  void SetStakesScrollEnabled(bool on);
  bool StakesLogEnabled() const { return options_.StakesLogEnabled; }
  void SetStakesLogEnabled(bool on);
  void DeleteStakeLogs();
  // Whether the stake grid should move to its last row after the last change.
  bool TakeStakesScroll() { return std::exchange(stakesScroll_, false); }
  // Labels of the ratings at these rows (list order).
  std::vector<std::string> RatingLabels(const std::vector<int>& rows) const;
  bool ExportRatingsCsv(const std::string& path, char point);
  // Chart data; EVetrilo when there is nothing to draw.
  TGraphData ProfitChartData();
  TGraphData RatedStakesChartData(const std::vector<int>& ratingRows, bool overlap);
  TGraphData RatingsOverlapChartData(const std::vector<int>& ratingRows);

  // Regular tables ("Регуляры") and system construction. The tables live in
  // memory only while their page is shown; every change saves the file.
  bool TablesShown() const { return options_.TabTables; }
  void SetTablesShown(bool on);
  const std::vector<TTableRec>& Tables() const { return tables_; }
  std::string TablesFile() const { return paths_.File(kTablesFileExt); }
  bool LoadTables();  // false after a read failure (shown; the list as it was)
  bool SaveTables();  // false after a write failure (shown)
  // "Добавить регулярную ставку": the dialog's input and the selected rows of
  // the combination list; the number of tables added.
  int AddTables(const TTableDialogInput& input, const std::vector<int>& selectedRows);
  std::vector<std::string> TableNames() const;
  // After the deletion question; rows deleted from the last to the first.
  bool DeleteTables(std::vector<int> rows);
  // The focused table advanced at the current offset and its stake, for the
  // stake dialog; nothing changes until CommitTableStake.
  std::pair<TTableRec, TStakeRec> PrepareTableStake(int index) const;
  bool CommitTableStake(int index, const TTableRec& advanced, const TStakeRec& rec, int draws);
  // "Тест регуляров" over the newest `draws` draws.
  bool TestTables(const std::vector<int>& rows, int draws);
  // "Построить систему": the status shows the size reached; `progress` answering
  // false or the stop request ends it with the best system found. Throws
  // EVetrilo for bad sizes.
  TSystemLines MakeSystemDesign(int nums, int block, double timeLimit, uint64_t seed,
                                const std::function<bool(const TDesignProgress&)>& progress);
  // Saved to "Systems" as "4-NN-B_0000.dat", replacing the system kept for n
  // only after the question; false when declined or failed (shown).
  bool SaveDesignedSystem(const TSystemLines& lines, int nums, int block);
  // Stakes the system in the numbers of the combination list (n must match).
  bool StakeDesignedSystem(const TSystemLines& lines, int nums, int block, int draws);
  // Spreadsheet export of a table. The dialog starts from PrepareExport: the
  // table's fields with its stored parameters of the settings file applied.
  // Parameter files (".exp") load over what the dialog holds and save it.
  // Failures are shown; the file operations then answer false.
  TExportParams PrepareExport(const TExportSource& source, std::string_view title,
                              std::string_view sheetName);
  bool LoadExportParamsFile(const std::string& path, const TExportSource& source,
                            TExportParams& params);
  bool SaveExportParamsFile(const std::string& path, const TExportSource& source,
                            const TExportParams& params);
  // The parameters into the settings file (failures shown).
  void RememberExportParams(const TExportSource& source, const TExportParams& params);
  // OK of the dialog: the parameters into the settings file, then the report
  // of the chosen rows written to `path` (.xlsx). False after a failure
  // (shown, no file left behind) or a stop.
  bool ExportTable(const TExportSource& source, const TExportParams& params,
                   const std::string& path);
  // The time the report's creation line states (tests fix it).
  void SetExportClock(std::function<std::tm()> clock) { exportClock_ = std::move(clock); }
  // Self-update. The configuration address is [GLOBAL] UpdateSite (empty: no
  // check). A package install is updated by the package manager: the checks
  // say so and do nothing.
  const std::string& UpdateSite() const { return updateSite_; }
  void SetUpdateSite(std::string address) { updateSite_ = std::move(address); }
  bool AutoUpdates() const { return options_.AutoUpdates; }
  void SetAutoUpdates(bool on);
  // The progress window of long operations (the screen sets its sink).
  TProgressWindow& ProgressWindow() { return progressWindow_; }
  // The dialog "Найдена новая версия программы"; without one an offer is declined.
  void SetUpdateInformer(std::function<bool(const TUpdateOffer&)> informer) {
    updateInformer_ = std::move(informer);
  }
  // The version the check compares (this build's unless set).
  void SetRunningVersion(std::string version) { runningVersion_ = std::move(version); }
  // Time-outs and deadlines of the update's transfers (the defaults unless set).
  void SetUpdateLimits(TFetchLimits limits) { updateLimits_ = std::move(limits); }
  // "Поиск обновлений": 0 nothing installed, 1 installed (a restart is then
  // requested), 2 failed; what happened was shown.
  int CheckUpdateExecute();
  // Start-up, when AutoUpdates is on and an address is set: the silent check;
  // true when an update was installed and the program is to restart.
  bool StartupUpdateCheck();
  // Set after an installation: the front starts the program again with the
  // word "restart" and ends this copy.
  bool RestartRequested() const { return restartRequested_; }
  // Where the data files live, for "О программе".
  std::string DataFolderText() const;

 private:
  void SaveOption(std::string_view key, bool value);
  void SaveIntOption(std::string_view key, int value);
  void LoadViewOptions();
  void ChooseGraphMethod(std::string_view code);
  void RecalcAnalysisViews(bool forced);
  bool ViewLive(TWorkView view, bool forced, TViewKey& key);
  void LoadDrawStatsOptions();
  // Points the table at the listed method with this code, else at the first
  // listed one; the calculation key is reset so the next calculation runs.
  void ChooseDrawStatsMethod(std::string_view code);

  TAppPaths paths_;
  TCountingHooks counting_;
  TUiHooks* hooks_ = &counting_;
  TMainOptions options_;
  TIniData frmAtStart_;
  TProxySettings proxy_;
  std::string lotterySite_;
  bool forceRussian_ = false;
  bool frmUnreadable_ = false;
  bool iniUnreadable_ = false;
  std::function<void(uint32_t)> listener_;
  TDrawArchive archive_;
  int drawsOffset_ = 0;
  TStatList statList_;
  int busy_ = 0;
  TCombWorkspace combs_;
  TDrawStatsState drawStats_;
  // Draw acquisition.
  std::string resultsSite_;
  TWebClient web_{proxy_, counting_};
  TDateKey today_ = 0;
  std::function<void(std::string_view)> waitWindow_;
  void ShowWaitWindow(std::string_view text) {
    if (waitWindow_) waitWindow_(text);
  }

  // Script.
  bool SaveScriptAutosave();
  std::vector<std::string> script_;
  // Analysis views: graphs, card, layout scheme, weekdays, repeats window.
  TAnalysisViews views_;
  std::optional<TRepeatsWindowState> repeatsWindow_;
  // Stakes and ratings.
  void SyncStakeSettings();
  // A deletion through the temporary file, then the check; false after a failure (shown).
  bool RewriteStakes(const std::function<void()>& rewrite);
  bool OpenStakeFile(std::string* error);
  bool folderBusy_ = false;
  TStakeBook stakes_;
  bool stakesScroll_ = false;

  // Regular tables.
  std::vector<TTableRec> tables_;

  // Interface language and help.
  void StartLanguage();
  TLanguages languages_{paths_.File(""), nullptr, counting_};

  // Script runs.
  friend class TSessionRunStakes;
  TScriptRunState scriptRun_;
  TScriptRunner* runner_ = nullptr;
  std::string finishedScriptLog_;

  // Spreadsheet export.
  std::function<std::tm()> exportClock_;
  // Self-update.
  int CheckForUpdates(bool silent);
  std::string updateSite_;
  std::string runningVersion_ = ProgramVersionText();
  TProgressWindow progressWindow_;
  std::function<bool(const TUpdateOffer&)> updateInformer_;
  TFetchLimits updateLimits_;
  bool restartRequested_ = false;
  // Catalogue server.
  TCatalogClient CatalogClient() const;
  bool StoreDownloadedSystem(const tSystemInfo& info);
  std::vector<tSystemInfo> systems_;
  std::vector<tScriptInfo> onlineScripts_;
};

// Busy state for one operation: the counter and the status text are restored on
// every way out; a nested operation gives back its caller's status, the
// outermost clears it.
class TBusyGuard {
 public:
  TBusyGuard(TAppSession& session, std::string_view status);
  ~TBusyGuard();
  TBusyGuard(const TBusyGuard&) = delete;
  TBusyGuard& operator=(const TBusyGuard&) = delete;

 private:
  TAppSession& session_;
  std::optional<TStatusScope> status_;  // entered once the counter is up
};

}  // namespace vetrilo
