#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "net/catalog_client.h"

namespace vetrilo {

// One entry of the systems catalogue; times are seconds since 1970 (0: unknown).
struct tSystemInfo {
  int32_t Id = 0;  // <= 0 for the placeholder row
  uint8_t Nums = 0;
  uint8_t Olap = 0;
  int32_t CSize = 0;
  std::string Title;
  std::string Author;
  std::string AuthorMail;
  std::string Descr;
  int64_t Created = 0;
  int32_t Downloads = 0;
  int64_t LastDownload = 0;
  std::string Url;
};

struct tSystemData : tSystemInfo {
  std::string CList;  // one combination a line
};

// The list reply's rows as entries; throws EVetrilo for a row it cannot read.
std::vector<tSystemInfo> ParseSystemList(const std::vector<TCatalogRow>& rows);

// Own: the author's e-mail is the user's, ignoring case (and not empty).
bool IsOwnSystem(const tSystemInfo& info, const std::string& userMail);

// The requests of the systems catalogue.
class TSystemsCatalog {
 public:
  explicit TSystemsCatalog(const TCatalogClient& client) : client_(client) {}
  // nullopt when the reply had no "<result>" (the list is not available).
  std::optional<std::vector<tSystemInfo>> List() const;
  // The combination lines of a system: the first row with a non-empty clist.
  std::string Combinations(int32_t id) const;
  // Saves (Id 0: a new system) and returns the id the server gave.
  int32_t Save(const tSystemData& data) const;
  // Deletes an own system; throws when the server does not answer 0.
  void Delete(const tSystemInfo& info) const;

 private:
  const TCatalogClient& client_;
};

// The lines of a downloaded list; its count must equal CSize, else EVetrilo
// "Количество скачанных комбинаций ...".
std::vector<std::string> CheckedSystemLines(const tSystemInfo& info, const std::string& clist);
// Writes the local file of a downloaded system (CP1251, CR LF), sets its time
// to Created, and deletes every other file kept for the same Nums. Returns the
// ids of the listed systems whose files went.
std::vector<int32_t> StoreSystemFile(const std::string& systemsDir, const tSystemInfo& info,
                                     const std::vector<std::string>& lines,
                                     const std::vector<tSystemInfo>& listed);
// The file of a system built on this computer for nums numbers, empty when none:
// a download for that count replaces it only when the user agrees.
std::string BuiltSystemFor(const std::string& systemsDir, int nums);
// "Для %d чисел сохранена система \"%s\", построенная на этом компьютере. ..."
std::string ReplaceBuiltSystemQuestion(const tSystemInfo& info, const std::string& builtFile);
std::string SystemFilePath(const std::string& systemsDir, const tSystemInfo& info);
bool SystemFileExists(const std::string& systemsDir, const tSystemInfo& info);
// The file's modification time in seconds since 1970; 0 when it has none.
int64_t SystemFileTime(const std::string& systemsDir, const tSystemInfo& info);

// The texts of the list's columns: "Название", "Автор", "Числа", "Блок",
// "Комбинаций", "Дата создания", "Статус", "Загрузок", "Последняя",
// "Комментарии", "Ссылка".
constexpr int kSystemColumns = 11;
std::array<std::string, kSystemColumns> SystemColumnCaptions();
std::array<std::string, kSystemColumns> SystemRowTexts(const tSystemInfo& info, bool downloaded);
// The icon state 0..5: downloaded (0..2) or not (3..5), crossed with own,
// someone else's, without an author e-mail.
int SystemRowState(const tSystemInfo& info, bool downloaded, const std::string& userMail);

// The system editor: every line of 4 words becomes four "%.2d" numbers joined
// by blanks, other lines are dropped.
struct TNormalizedCombs {
  std::string Text;  // lines joined by CR LF
  int Nums = 0;      // (largest - smallest) + 1, 0 for none
  int CSize = 0;
};
TNormalizedCombs NormalizeSystemCombs(const std::string& text);
// The checks of OK in their order; the field that failed and its message.
enum class TSystemField { None, Title, Nums, Olap, Author, Descr, Combs };
struct TSystemDataCheck {
  TSystemField Field = TSystemField::None;
  std::string Message;
};
TSystemDataCheck CheckSystemData(const tSystemData& data);

}  // namespace vetrilo
