#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <string_view>

namespace vetrilo {

// The progress window: a text and a gauge, shown while the engine's progress
// window is open.
class TFormProgress : public QDialog {
  Q_OBJECT
 public:
  explicit TFormProgress(QWidget* parent = nullptr);
  // The sink of TProgressWindow: a maximum of -1 hides the window.
  void Show(std::string_view text, int position, int maximum);
  QLabel* TextLabel() { return text_; }
  QProgressBar* Gauge() { return gauge_; }

 private:
  QLabel* text_ = nullptr;
  QProgressBar* gauge_ = nullptr;
};

}  // namespace vetrilo
