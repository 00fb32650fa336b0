#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/combinatorics.h"
#include "stakes/stake_record.h"

namespace vetrilo {

constexpr size_t kRatingRecordSize = 296;
constexpr int kRatingColumns = 16;

// One rating: the checked stakes of one comment (a script variant label or a
// group of hand-made stakes). Writing lays the fields over `Raw`, so bytes the
// fields do not cover keep what the file had.
struct TRatingRec {
  std::string Label;  // UTF-8
  int32_t Stakes = 0;
  int32_t Matched = 0;
  std::array<int32_t, 5> Hits{};
  TMoney Profit = 0;
  std::array<uint8_t, kRatingRecordSize> Raw{};

  static TRatingRec FromBytes(const uint8_t* bytes);
  void ToBytes(uint8_t* out) const;
};

// Efficiency modes (RatingsEffMode).
enum TRatingsEffMode { kEffExpected = 0, kEffAbsolute = 1, kEffRelative = 2 };

// The ratings list, kept in the order of the last sort. Labels are found
// ignoring the case of Latin and Cyrillic letters.
class TRatings {
 public:
  const std::vector<TRatingRec>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  const TRatingRec& Item(int i) const { return items_[size_t(i)]; }
  void Clear();
  // Index of the rating with this label, -1 when none.
  int Find(std::string_view label) const;

  // A checked stake joins the rating of its comment (a new one when none).
  // Unchecked stakes and damaged match counts (above 4) are left out; returns
  // whether the stake was added. A profit sum beyond what the record holds
  // stays at the 64-bit limit and `warning` (when given) names the rating.
  bool AddToRatings(const TStakeRec& stake, std::string* warning = nullptr);
  void Append(TRatingRec rating);

  // Stable sort by a list column; ratings without stakes go last. Keys are the
  // values as the list shows them (averages to 0.001, money to the cent).
  void Sort(int column, bool descending);

  // "Vetrilo_4d47.lrt". A damaged file (not whole records, or a record that
  // cannot be a rating) is first kept as "<name>.bad"; a torn tail behind sound
  // records is dropped, anything else leaves the list empty. Returns the
  // warning to show, empty when the file was sound. Load throws EVetrilo with
  // the system's text (the list keeps what it had, nothing is written then);
  // Save writes atomically and throws likewise.
  std::string Load(const std::string& path);
  void Save(const std::string& path) const;
  std::string Bytes() const;

 private:
  void Reindex();

  std::vector<TRatingRec> items_;
  std::unordered_map<std::string, int> byKey_;
};

// No count is negative and the stakes by match count are not more than the stakes.
bool IsSoundRating(const TRatingRec& r);

// Captions of the 16 list columns.
const std::array<std::string, kRatingColumns>& RatingColumnCaptions();
// The text of a list cell.
std::string RatingCell(const TRatingRec& r, int column, int effMode);
// Efficiency of k matches in a mode, as the list shows it (empty without stakes).
std::string EfficiencyText(const TRatingRec& r, int k, int effMode);
// Expected number of stakes with k matches among n.
long double ExpectedHits(int64_t n, int k);

// The CSV export (code page 1251, CR LF): the 16 captions, then 11 fields per
// rating; `point` is the decimal separator.
std::string RatingsCsv(const TRatings& ratings, char point);

// Sort comparison of two ratings by a column, ascending: < 0, 0 or > 0.
int CompareRatings(const TRatingRec& a, const TRatingRec& b, int column);

// The list sorts by columns 0..10; the efficiency columns compare equal, so a
// click on their header does nothing.
bool RatingColumnSorts(int column);
struct TRatingsSort {
  int Column = 3;  // "Среднее"
  bool Descending = true;
};
// The sort of a stored "lvRatings.SortType" (column, direction): none stored,
// or a column that does not sort, reads as the default.
TRatingsSort StoredRatingsSort(const std::optional<std::pair<int, int>>& stored);

}  // namespace vetrilo
