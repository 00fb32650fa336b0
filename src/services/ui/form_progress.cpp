#include "services/ui/form_progress.h"

#include <QCoreApplication>
#include <QVBoxLayout>

#include "app/ui/qt_text.h"

namespace vetrilo {

TFormProgress::TFormProgress(QWidget* parent) : QDialog(parent) {
  setObjectName("FormProgress");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  text_ = new QLabel;
  text_->setObjectName("lbProgressText");
  text_->setMinimumWidth(360);
  gauge_ = new QProgressBar;
  gauge_->setObjectName("pbProgress");
  layout->addWidget(text_);
  layout->addWidget(gauge_);
}

void TFormProgress::Show(std::string_view text, int position, int maximum) {
  if (maximum < 0) {
    hide();
    return;
  }
  setWindowTitle(QCoreApplication::applicationName());
  text_->setText(Q(text));
  gauge_->setRange(0, std::max(1, maximum));
  gauge_->setValue(position);
  if (!isVisible()) show();
  QCoreApplication::processEvents();
}

}  // namespace vetrilo
