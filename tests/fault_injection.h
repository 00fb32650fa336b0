#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/file_io.h"

namespace vetrilo::test {

// Fails the at-th step (counted from 0) of the file writes that follow with
// `err`, once; the hook is removed again at the end of the scope.
class TFaultPlan {
 public:
  TFaultPlan(int at, int err) {
    SetFileFaultHook([this, at, err](TFileStep step, const std::string& path) {
      if (calls_++ != at) return 0;
      failed_ = step;
      failedPath_ = path;
      return err;
    });
  }
  ~TFaultPlan() { Clear(); }
  TFaultPlan(const TFaultPlan&) = delete;
  TFaultPlan& operator=(const TFaultPlan&) = delete;

  void Clear() { SetFileFaultHook({}); }
  bool Fired() const { return failed_.has_value(); }
  std::optional<TFileStep> FailedStep() const { return failed_; }
  const std::string& FailedPath() const { return failedPath_; }

 private:
  int calls_ = 0;
  std::optional<TFileStep> failed_;
  std::string failedPath_;
};

// How many failure points a write goes through when nothing fails.
inline int CountFileSteps(const std::function<void()>& write) {
  int calls = 0;
  SetFileFaultHook([&](TFileStep, const std::string&) {
    ++calls;
    return 0;
  });
  write();
  SetFileFaultHook({});
  return calls;
}

}  // namespace vetrilo::test
