#include "services/ui/form_help.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/app_session.h"
#include "app/ui/qt_text.h"
#include "core/file_io.h"
#include "services/languages.h"

namespace vetrilo {

QUrl HelpPageUrl(const std::string& path) {
  if (path.empty()) return {};
  const size_t hash = path.find('#');
  QUrl url = QUrl::fromLocalFile(Q(path.substr(0, hash)));
  if (hash != std::string::npos) url.setFragment(Q(path.substr(hash + 1)));
  return url;
}

TFormHelp::TFormHelp(QWidget* parent) : QDialog(parent) {
  setObjectName("FormHelp");
  setWindowTitle(QTr("Справка"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  resize(820, 640);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  auto* back = new QPushButton(QTr("Назад"));
  back->setObjectName("btnBack");
  auto* forward = new QPushButton(QTr("Вперед"));
  forward->setObjectName("btnForward");
  auto* contents = new QPushButton(QTr("Содержание"));
  contents->setObjectName("btnContents");
  bar->addWidget(back);
  bar->addWidget(forward);
  bar->addWidget(contents);
  bar->addStretch(1);
  layout->addLayout(bar);
  browser_ = new QTextBrowser;
  browser_->setObjectName("tbHelp");
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);
  layout->addWidget(browser_);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(contents, &QPushButton::clicked, this, [this] { ShowPage(home_); });
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
  // Pages of the help stay here; addresses of the web go to the desktop's browser.
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    if (!url.isLocalFile() && !url.isRelative()) {
      QDesktopServices::openUrl(url);
      browser_->setSource(browser_->source());
    }
  });
}

void TFormHelp::ShowPage(const QUrl& url) {
  if (url.isEmpty()) return;
  if (home_.isEmpty()) home_ = QUrl::fromLocalFile(url.toLocalFile());
  browser_->setSource(url);
}

TFormHelp* TFormHelp::OpenHelp(QWidget* parent, const std::string& file, const std::string& topic) {
  if (file.empty() || !FileExists(file)) return nullptr;
  static QPointer<TFormHelp> window;
  if (!window) {
    window = new TFormHelp(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->home_ = QUrl::fromLocalFile(Q(file));
  }
  window->ShowPage(HelpPageUrl(topic.empty() ? file : HelpTopicPath(file, topic)));
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

TFormFirstRun::TFormFirstRun(TAppSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setObjectName("FormFirstRun");
  setWindowTitle(QTr("Справочная информация"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(
      QTr("Добро пожаловать! Программа анализирует архив тиражей, сокращает список комбинаций "
          "фильтрами, выполняет сценарии и ведет учет ставок. Описание каждой страницы, "
          "методов статистики, формата сценариев и командной строки находится во встроенной "
          "справочной системе (клавиша F1)."));
  text->setWordWrap(true);
  layout->addWidget(text);
  auto* open = new QPushButton(QTr("Открыть файл встроенной справочной системы"));
  open->setObjectName("btnOpenHelp");
  open->setEnabled(session_.HelpExists());
  connect(open, &QPushButton::clicked, this,
          [this] { TFormHelp::OpenHelp(parentWidget(), session_.HelpFile(), ""); });
  layout->addWidget(open);
  dontShow_ = new QCheckBox(QTr("Больше не показывать данный диалог"));
  dontShow_->setObjectName("cbDontShow");
  layout->addWidget(dontShow_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(520, sizeHint().height());
}

void TFormFirstRun::done(int result) {
  if (dontShow_->isChecked()) session_.SetFirstRun(false);
  QDialog::done(result);
}

}  // namespace vetrilo
