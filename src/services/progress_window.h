#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vetrilo {

// The progress window of long operations: a text and a gauge of a number of
// steps, one open at a time. What shows it is a sink the screen sets; without
// one the window exists only here (the command-line tool, tests).
class TProgressWindow {
 public:
  // Text, position and maximum after every change; a maximum of -1 closes it.
  using TSink = std::function<void(std::string_view text, int position, int maximum)>;
  void SetSink(TSink sink) { sink_ = std::move(sink); }

  // EVetrilo "Окно индикатора уже создано!" while another one is open.
  void Open(std::string_view text, int steps);
  // One step further, never beyond the maximum.
  void Step();
  void Close();
  bool IsOpen() const { return open_; }
  int Position() const { return position_; }
  int Maximum() const { return maximum_; }

 private:
  TSink sink_;
  bool open_ = false;
  std::string text_;
  int position_ = 0;
  int maximum_ = 0;
};

// Opens the window for one scope and closes it on every way out.
class TProgressScope {
 public:
  TProgressScope(TProgressWindow& window, std::string_view text, int steps) : window_(window) {
    window_.Open(text, steps);
  }
  ~TProgressScope() { window_.Close(); }
  TProgressScope(const TProgressScope&) = delete;
  TProgressScope& operator=(const TProgressScope&) = delete;

 private:
  TProgressWindow& window_;
};

}  // namespace vetrilo
