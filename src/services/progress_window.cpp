#include "services/progress_window.h"

#include "core/errors.h"
#include "core/translate.h"

namespace vetrilo {

void TProgressWindow::Open(std::string_view text, int steps) {
  if (open_) throw EVetrilo(Tr("Окно индикатора уже создано!"));
  open_ = true;
  text_.assign(text);
  position_ = 0;
  maximum_ = steps > 0 ? steps : 0;
  if (sink_) sink_(text_, position_, maximum_);
}

void TProgressWindow::Step() {
  if (!open_) return;
  if (position_ < maximum_) ++position_;
  if (sink_) sink_(text_, position_, maximum_);
}

void TProgressWindow::Close() {
  if (!open_) return;
  open_ = false;
  if (sink_) sink_(text_, position_, -1);
}

}  // namespace vetrilo
