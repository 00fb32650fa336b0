#pragma once

#include "stats/custom_stat.h"

namespace vetrilo {

// Numbers repeated from earlier draws. Every class reads the draws before the
// analysed one relative to it; a draw before the start of the archive is four
// zeros (shifted like any other draw). A bare combination has no repeat value of
// its own: filters judge it as the draw after LastIndex.

// Numbers of the newest draw (shifted by s) that the analysed draw took over
// from the draw d back (shifted by s).
class TCustomRepValues2Stat : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  static constexpr int kGroup = 7;
  static constexpr uint8_t kFlags = kFlagD;
  virtual int GetShift() const = 0;
  virtual int GetDistance() const = 0;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// How many numbers of the draw d back (shifted by s) the analysed draw has.
class TCustomRepCount2Stat : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr int kGroup = 7;
  static constexpr uint8_t kFlags = kFlagD;
  virtual int GetShift() const = 0;
  virtual int GetDistance() const = 0;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// Each variant differs only in code, caption, shift s and distance d.
class TstRepValues2 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2";
  static constexpr const char* kCode = "RPV2";
  static constexpr const char* kCaption = "Повторяющиеся числа в 2-х тиражах подряд";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 1; }
};

class TstRepValues2over1 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2over1";
  static constexpr const char* kCode = "PRV2O1";
  static constexpr const char* kCaption = "Повторяющиеся числа в 2-х тиражах через 1 тираж(а)";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 2; }
};

class TstRepValues2over2 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2over2";
  static constexpr const char* kCode = "PRV2O2";
  static constexpr const char* kCaption = "Повторяющиеся числа в 2-х тиражах через 2 тираж(а)";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 3; }
};

class TstRepValues2over3 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2over3";
  static constexpr const char* kCode = "PRV2O3";
  static constexpr const char* kCaption = "Повторяющиеся числа в 2-х тиражах через 3 тираж(а)";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 4; }
};

class TstRepValues2P1 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2P1";
  static constexpr const char* kCode = "PRV+1";
  static constexpr const char* kCaption = "Данные предыдущего тиража + 1";
  int GetShift() const override { return 1; }
  int GetDistance() const override { return 1; }
};

class TstRepValues2N1 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2N1";
  static constexpr const char* kCode = "PRV-1";
  static constexpr const char* kCaption = "Данные предыдущего тиража - 1";
  int GetShift() const override { return -1; }
  int GetDistance() const override { return 1; }
};

class TstRepValues2P2 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2P2";
  static constexpr const char* kCode = "PRV+2";
  static constexpr const char* kCaption = "Данные предыдущего тиража + 2";
  int GetShift() const override { return 2; }
  int GetDistance() const override { return 1; }
};

class TstRepValues2N2 : public TCustomRepValues2Stat {
 public:
  using TCustomRepValues2Stat::TCustomRepValues2Stat;
  static constexpr const char* kClassName = "TstRepValues2N2";
  static constexpr const char* kCode = "PRV-2";
  static constexpr const char* kCaption = "Данные предыдущего тиража - 2";
  int GetShift() const override { return -2; }
  int GetDistance() const override { return 1; }
};

class TstRepCount2 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2";
  static constexpr const char* kCode = "RPC2";
  static constexpr const char* kCaption = "Количество повторов в 2-х тиражах подряд";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 1; }
};

class TstRepCount2over1 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2over1";
  static constexpr const char* kCode = "RPO1";
  static constexpr const char* kCaption = "Количество повторов в 2-х тиражах через 1 тираж(а)";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 2; }
};

class TstRepCount2over2 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2over2";
  static constexpr const char* kCode = "PRC2O2";
  static constexpr const char* kCaption = "Количество повторов в 2-х тиражах через 2 тираж(а)";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 3; }
};

class TstRepCount2over3 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2over3";
  static constexpr const char* kCode = "PRC2O3";
  static constexpr const char* kCaption = "Количество повторов в 2-х тиражах через 3 тираж(а)";
  int GetShift() const override { return 0; }
  int GetDistance() const override { return 4; }
};

class TstRepCount2P1 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2P1";
  static constexpr const char* kCode = "PRC+1";
  static constexpr const char* kCaption = "Количество совпадений \"значений + 1\"";
  int GetShift() const override { return 1; }
  int GetDistance() const override { return 1; }
};

class TstRepCount2N1 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2N1";
  static constexpr const char* kCode = "PRC-1";
  static constexpr const char* kCaption = "Количество совпадений \"значений - 1\"";
  int GetShift() const override { return -1; }
  int GetDistance() const override { return 1; }
};

class TstRepCount2P2 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2P2";
  static constexpr const char* kCode = "PRC+2";
  static constexpr const char* kCaption = "Количество совпадений \"значений + 2\"";
  int GetShift() const override { return 2; }
  int GetDistance() const override { return 1; }
};

class TstRepCount2N2 : public TCustomRepCount2Stat {
 public:
  using TCustomRepCount2Stat::TCustomRepCount2Stat;
  static constexpr const char* kClassName = "TstRepCount2N2";
  static constexpr const char* kCode = "PRC-2";
  static constexpr const char* kCaption = "Количество совпадений \"значений - 2\"";
  int GetShift() const override { return -2; }
  int GetDistance() const override { return 1; }
};

// RPV3: numbers of the analysed draw that also stood in the two draws before it
// and are numbers of the newest draw.
class TstRepValues3 : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  static constexpr const char* kClassName = "TstRepValues3";
  static constexpr const char* kCode = "RPV3";
  static constexpr const char* kCaption = "Повторяющиеся числа в 3-х тиражах подряд";
  static constexpr int kGroup = 7;
  static constexpr uint8_t kFlags = kFlagD;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// PRL2: as RPV3, but the number must be missing from the draw two back.
class TstRepValues2B3 : public TCustomValuesStat {
 public:
  using TCustomValuesStat::TCustomValuesStat;
  static constexpr const char* kClassName = "TstRepValues2B3";
  static constexpr const char* kCode = "PRL2";
  static constexpr const char* kCaption = "Повторяющиеся числа не более чем в 2-х тиражах";
  static constexpr int kGroup = 7;
  static constexpr uint8_t kFlags = kFlagD;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// RPC3: how many numbers of the analysed draw stood in both draws before it.
class TstRepCount3 : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr const char* kClassName = "TstRepCount3";
  static constexpr const char* kCode = "RPC3";
  static constexpr const char* kCaption = "Количество повторов в 3-х тиражах подряд";
  static constexpr int kGroup = 7;
  static constexpr uint8_t kFlags = kFlagD;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

// PRB2: how many numbers stood in the draw one back but not in the draw two back.
class TstRepCount2B3 : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr const char* kClassName = "TstRepCount2B3";
  static constexpr const char* kCode = "PRB2";
  static constexpr const char* kCaption = "Количество повторов не более чем в 2-х тиражах";
  static constexpr int kGroup = 7;
  static constexpr uint8_t kFlags = kFlagD;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
};

}  // namespace vetrilo
