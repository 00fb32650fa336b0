#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/draw_archive.h"
#include "core/ui_hooks.h"

namespace vetrilo::test {

// A fresh folder under the system temp folder, removed at the end of the test.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

struct TDrawSpec {
  int Number;
  int B1, B2, B3, B4;
  int Extra;
  std::string Date;
};
TDrawsArray MakeDraws(const std::vector<TDrawSpec>& specs);
TDrawArchive MakeArchive(const std::vector<TDrawSpec>& specs);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// Records what the engine asked of the screen.
class TRecordingHooks : public TUiHooks {
 public:
  struct TMessage {
    TMessageKind Kind;
    std::string Text;
  };
  std::vector<std::string> Statuses;
  std::vector<TMessage> Messages;
  std::vector<std::string> Questions;
  // Per question: whether it was asked with No as its default answer.
  std::vector<bool> DefaultNo;
  bool Answer = false;
  bool Stop = false;
  int BusyTransitions = 0;

  void SetStatus(std::string_view text) override { Statuses.emplace_back(text); }
  void ShowMessage(TMessageKind kind, std::string_view text) override {
    Messages.push_back({kind, std::string(text)});
  }
  bool Ask(std::string_view question) override {
    Questions.emplace_back(question);
    DefaultNo.push_back(askingDestructive_);
    askingDestructive_ = false;
    return Answer;
  }
  bool ConfirmDestructive(std::string_view title, std::string_view question) override {
    askingDestructive_ = true;
    return Confirm(title, question);
  }
  bool StopRequested() override { return Stop; }
  void ClearStopRequest() override {
    Stop = false;
    ++StopClears;
  }
  int StopClears = 0;
  void BusyChanged(bool) override { ++BusyTransitions; }

 private:
  bool askingDestructive_ = false;
};

// Asks to stop at a chosen point of an operation: from the (AfterPolls + 1)-th look at
// the request on, or once the AtStatusCount-th status text beginning with AtStatus was
// shown. Polls counts every look.
class TStopHooks : public TRecordingHooks {
 public:
  int AfterPolls = -1;  // -1: not by polls
  std::string AtStatus;
  int AtStatusCount = 1;
  int Polls = 0;

  bool StopRequested() override {
    ++Polls;
    if (AfterPolls >= 0 && Polls > AfterPolls) Stop = true;
    return Stop;
  }
  void SetStatus(std::string_view text) override {
    TRecordingHooks::SetStatus(text);
    if (!AtStatus.empty() && text.starts_with(AtStatus) && --AtStatusCount == 0) Stop = true;
  }
};

// Runs a program, returns its exit status and captures stdout and stderr.
struct TRunResult {
  int Status;
  std::string Out;
  std::string Err;
};
TRunResult RunProgram(const std::vector<std::string>& argv,
                      const std::vector<std::string>& env = {});
// Starts a program without waiting for it (its output is discarded); returns its pid.
int StartProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});

}  // namespace vetrilo::test
