#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/combinatorics.h"
#include "core/draw_archive.h"
#include "stats/custom_stat.h"

namespace vetrilo {

class TIniData;
class TIniFile;

// One entry of the method list: a statistic class with its parameter.
struct TStatMethod {
  const TStatClass* Stat = nullptr;
  int32_t Param = 0;
  bool Favorite = true;
  std::string UserCaption;
  std::string Formula;  // shredding group only: the formula of this method at creation

  std::string Code() const { return Stat->GetCodeFor(Param); }
};

// Statistic groups: code ("num") and caption for 0..12.
std::string GroupCode(int group);
std::string GroupCaption(int group);
// "{ sum } Сумма чисел тиража"; "#ERROR#" outside 0..12.
std::string GroupTitle(int group);

// 3-letter name of a Windows language identifier (1049 -> "RUS", 1033 -> "ENU").
std::string LanguageAbbreviation(int languageId);

// Bit of a statistic group in the cache refresh masks.
constexpr uint32_t GroupMask(int group) {
  return 1u << group;
}
constexpr uint32_t kAllGroupsMask = 8191;

// The registry: the method list built from the class table, the engine
// settings every statistic reads, favourites and user captions. One exists for
// the whole run.
class TStatList {
 public:
  TStatList();

  // Method list.
  std::vector<TStatMethod> Methods;
  bool Ordered = false;
  bool ShowGroupName = true;
  bool ShowMethodFlags = true;
  bool AllFavorites = true;

  // The archive every statistic reads.
  const TDrawArchive* Draws = nullptr;

  // Engine settings.
  int32_t MatrixCols = 8;
  int32_t ChannelSize = 8;
  TMoney Cost = 0;
  int32_t MaxStake = 4;
  std::vector<TProfitLevel> Profits;
  TCdlWeights Cdl;
  std::array<uint8_t, 47> MatrixSegments;  // segment of numbers 1..47 at [n - 1]
  TCdlWeights SavedCdl;
  uint8_t CombsGenerateMode = 0;
  std::string CombsGenerateParameters;
  std::array<std::string, 3> Formula;
  std::array<uint8_t, 3> FormulaDigits{2, 2, 2};

  // Interface language (its 3-letter name picks the captions section) and help file.
  int32_t Language = 1033;
  std::string HelpFile;

  void BuildMethods();
  int Count() const { return static_cast<int>(Methods.size()); }
  const TStatMethod& Item(int i) const { return Methods[static_cast<size_t>(i)]; }
  bool IsListed(int i) const { return AllFavorites || Item(i).Favorite; }
  std::string MethodCaption(int i, bool withFlags) const;
  std::unique_ptr<TCustomStat> CreateStat(const TStatMethod& entry) const;
  // Index of the method with exactly this code (ignoring case), -1 when none.
  int FindByCode(std::string_view code) const;

  std::string FavoritesText() const;
  void ApplyFavoritesText(std::string_view text);
  void SelectAllFavorites();
  void NormalizeFavorites();

  // Method-list file ("Vetrilo_4d47.flt"). Failures show nothing here: they
  // return false with the message in `error`.
  bool LoadMethodSettings(const std::string& path, bool withFavorites, std::string* error);
  bool SaveMethodSettings(const std::string& path, bool withFavorites, bool allCaptions,
                          std::string* error) const;
  std::string CaptionsSection() const;  // "STRINGS_ENU"

  // Engine settings in "Vetrilo_4d47.ini"; loading from the file and saving
  // throw EVetrilo on failure.
  void LoadEngineSettings(const TIniData& ini);
  void LoadGenerateSettings(const TIniData& ini);
  void LoadShredding(const TIniData& ini);
  // All three, as the program and the command-line tool read them at start.
  void LoadSettings(const TIniData& ini) {
    LoadEngineSettings(ini);
    LoadGenerateSettings(ini);
    LoadShredding(ini);
  }
  void LoadEngineSettings(const TIniFile& ini);
  void SaveEngineSettings(const TIniFile& ini) const;
  void SaveEngineSettings(TIniData& ini) const;
  void LoadGenerateSettings(const TIniFile& ini);
  void SaveGenerateSettings(const TIniFile& ini) const;
  void LoadShredding(const TIniFile& ini);
  void SaveShredding(const TIniFile& ini) const;
  std::string MatrixSegmentsText() const;

  void SaveCdl() { SavedCdl = Cdl; }
  void RestoreCdl() { Cdl = SavedCdl; }
  // Scripts override the weights per filter step; without an override the saved ones return.
  void UseCdl(bool use, const TCdlWeights& weights) { Cdl = use ? weights : SavedCdl; }

  TMoney StakeOutcome(int n, int m) const;

  // After a change of the engine settings: saves the method-list file
  // (favourites, user captions only), builds the method list again so that the
  // parameter ranges follow the settings, and loads the file again. When the
  // file cannot be saved or read back, favourites, options and captions are
  // restored from memory and the answer is false with the full message in `error`.
  bool RebuildMethods(const std::string& fltPath, std::string* error);
};

// Cache groups whose statistics depend on engine settings that differ between
// two registries: channels (bit 3) for ChannelSize, matrix (bit 4) for
// MatrixCols, segments (bit 5) for the segment map; 0 when none differ.
uint32_t ChangedSettingsMask(const TStatList& before, const TStatList& after);

}  // namespace vetrilo
