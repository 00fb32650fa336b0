#pragma once

#include <array>

#include "stats/custom_stat.h"

namespace vetrilo {

// How the tuples are taken from the four positions: Mix every choice of k
// positions in lexicographic order; Seq neighbouring positions by start; Pos the
// neighbouring positions from one start; Sort Seq over an ascending copy.
enum class TCombTupleKind { Mix, Seq, Pos, Sort };

// Tuples of k numbers (k = 2..4) taken from the four positions of a draw or a
// combination, each completed with zero words to a full value key.
struct TNumberTuples {
  int Count = 0;
  std::array<std::array<int16_t, 4>, 6> Items{};
};

// Pairs, triples or quadruples of the numbers as values, "5:17". The tuple keeps
// its numbers in position order, so (5, 17) and (17, 5) are different values.
// Only draws yield values; a combination alone has none.
class TCustomCombValuesStat : public TCustomStat {
 public:
  using TCustomStat::TCustomStat;
  static constexpr int kGroup = 0;
  static constexpr uint8_t kFlags = kFlagS;
  static constexpr bool kCanParse = false;

  static TNumberTuples TuplesOf(TComb numbers, TCombTupleKind kind, int size, int start);

  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;

 protected:
  virtual TCombTupleKind Kind() const = 0;
  virtual int TupleSize() const = 0;
};

// Binds a tuple kind and size to the base.
template <TCombTupleKind K, int Size>
class TCombValuesOf : public TCustomCombValuesStat {
 public:
  using TCustomCombValuesStat::TCustomCombValuesStat;

 protected:
  TCombTupleKind Kind() const override { return K; }
  int TupleSize() const override { return Size; }
};

// KNM2..KNM4: every pair, every triple, the quadruple.
class TstCombValMix2 : public TCombValuesOf<TCombTupleKind::Mix, 2> {
 public:
  using TCombValuesOf<TCombTupleKind::Mix, 2>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValMix2";
  static constexpr const char* kCode = "KNM2";
  static constexpr const char* kCaption = "Сочетания из 2 чисел по всем числам тиража";
};

class TstCombValMix3 : public TCombValuesOf<TCombTupleKind::Mix, 3> {
 public:
  using TCombValuesOf<TCombTupleKind::Mix, 3>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValMix3";
  static constexpr const char* kCode = "KNM3";
  static constexpr const char* kCaption = "Сочетания из 3 чисел по всем числам тиража";
};

class TstCombValMix4 : public TCombValuesOf<TCombTupleKind::Mix, 4> {
 public:
  using TCombValuesOf<TCombTupleKind::Mix, 4>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValMix4";
  static constexpr const char* kCode = "KNM4";
  static constexpr const char* kCaption = "Сочетания из 4 чисел по всем числам тиража";
  static constexpr bool kEnabled = false;
};

// KNS2..KNS4: neighbouring positions.
class TstCombValSeq2 : public TCombValuesOf<TCombTupleKind::Seq, 2> {
 public:
  using TCombValuesOf<TCombTupleKind::Seq, 2>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValSeq2";
  static constexpr const char* kCode = "KNS2";
  static constexpr const char* kCaption = "Сочетания из 2 соседних чисел тиража";
};

class TstCombValSeq3 : public TCombValuesOf<TCombTupleKind::Seq, 3> {
 public:
  using TCombValuesOf<TCombTupleKind::Seq, 3>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValSeq3";
  static constexpr const char* kCode = "KNS3";
  static constexpr const char* kCaption = "Сочетания из 3 соседних чисел тиража";
};

class TstCombValSeq4 : public TCombValuesOf<TCombTupleKind::Seq, 4> {
 public:
  using TCombValuesOf<TCombTupleKind::Seq, 4>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValSeq4";
  static constexpr const char* kCode = "KNS4";
  static constexpr const char* kCaption = "Сочетания из 4 соседних чисел тиража";
  static constexpr bool kEnabled = false;
};

// KNP2%d, KNP3%d, KNP4%d: the one tuple of neighbours starting at position Param.
class TstCombValPos2 : public TCombValuesOf<TCombTupleKind::Pos, 2> {
 public:
  using TCombValuesOf<TCombTupleKind::Pos, 2>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValPos2";
  static constexpr const char* kCode = "KNP2%d";
  static constexpr const char* kCaption = "Сочетания из 2-х чисел тиража начиная с %0:d позиции";
  static constexpr const char* kHelpCode = "KNP2";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = 1, high = 3; }
};

class TstCombValPos3 : public TCombValuesOf<TCombTupleKind::Pos, 3> {
 public:
  using TCombValuesOf<TCombTupleKind::Pos, 3>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValPos3";
  static constexpr const char* kCode = "KNP3%d";
  static constexpr const char* kCaption = "Сочетания из 3-х чисел тиража начиная с %0:d позиции";
  static constexpr const char* kHelpCode = "KNP3";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = 1, high = 2; }
};

class TstCombValPos4 : public TCombValuesOf<TCombTupleKind::Pos, 4> {
 public:
  using TCombValuesOf<TCombTupleKind::Pos, 4>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValPos4";
  static constexpr const char* kCode = "KNP4%d";
  static constexpr const char* kCaption = "Сочетания из 4-х чисел тиража начиная с %0:d позиции";
  static constexpr const char* kHelpCode = "KNP4";
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = 1, high = 1; }
};

// KNO2..KNO4: neighbours after sorting, whatever order the caller asked for.
class TstCombValSort2 : public TCombValuesOf<TCombTupleKind::Sort, 2> {
 public:
  using TCombValuesOf<TCombTupleKind::Sort, 2>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValSort2";
  static constexpr const char* kCode = "KNO2";
  static constexpr const char* kCaption = "Сочетания из 2 чисел тиража по возрастанию";
  static constexpr uint8_t kFlags = 0;
  static constexpr bool kEnabled = false;
};

class TstCombValSort3 : public TCombValuesOf<TCombTupleKind::Sort, 3> {
 public:
  using TCombValuesOf<TCombTupleKind::Sort, 3>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValSort3";
  static constexpr const char* kCode = "KNO3";
  static constexpr const char* kCaption = "Сочетания из 3 чисел тиража по возрастанию";
  static constexpr uint8_t kFlags = 0;
  static constexpr bool kEnabled = false;
};

class TstCombValSort4 : public TCombValuesOf<TCombTupleKind::Sort, 4> {
 public:
  using TCombValuesOf<TCombTupleKind::Sort, 4>::TCombValuesOf;
  static constexpr const char* kClassName = "TstCombValSort4";
  static constexpr const char* kCode = "KNO4";
  static constexpr const char* kCaption = "Сочетания из 4 чисел тиража по возрастанию";
  static constexpr uint8_t kFlags = 0;
  static constexpr bool kEnabled = false;
};

}  // namespace vetrilo
