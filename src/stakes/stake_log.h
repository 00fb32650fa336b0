#pragma once

#include <cstdint>
#include <string>

#include "core/ui_hooks.h"
#include "stakes/stake_record.h"

namespace vetrilo {

// Logs of checked stakes, one file per match count: "<base>-%d.log" in the
// program folder, code page 1251, CR LF.
struct TStakeLog {
  std::string Dir;
  std::string BaseName = "Vetrilo_4d47";

  std::string Path(int matches) const;
  // "yyyy.mm.dd hh:nn:ss: Тираж № ..." without the line end.
  static std::string Line(const TStakeRec& r, const std::string& time);
  // Appends the stake's line to its log (the log is started afresh once it
  // passed 256 MiB). Only checked stakes are logged. Failures are shown and
  // do not throw: the check goes on.
  void Write(const TStakeRec& r, const std::string& time, TUiHooks& hooks) const;
  // "LogStakesDelete": information when there is nothing to delete, else the
  // summary and the details of what was deleted.
  void DeleteAll(TUiHooks& hooks) const;
};

// The local time as "yyyy.mm.dd hh:nn:ss".
std::string NowLogTime();

constexpr uint64_t kStakeLogLimit = 268435456;

}  // namespace vetrilo
