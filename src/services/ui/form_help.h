#pragma once

#include <QDialog>
#include <QTextBrowser>
#include <QUrl>
#include <string>

class QCheckBox;

namespace vetrilo {

class TAppSession;

// A page of the help as an address the browser shows: "page.html#anchor"
// becomes a file address with its fragment; empty for an empty path.
QUrl HelpPageUrl(const std::string& path);

// The help window: the HTML help of the active language in a browser with
// back, forward and contents. Links to the web open in the desktop's browser.
class TFormHelp : public QDialog {
  Q_OBJECT
 public:
  explicit TFormHelp(QWidget* parent = nullptr);
  void ShowPage(const QUrl& url);
  QTextBrowser* Browser() { return browser_; }

  // Opens `file` at `topic` (a page beside it, "" for the contents) in the one
  // help window of the program; nothing when the file is missing.
  static TFormHelp* OpenHelp(QWidget* parent, const std::string& file, const std::string& topic);

 private:
  QTextBrowser* browser_ = nullptr;
  QUrl home_;
};

// "Справочная информация": shown at start while FirstRun is set.
class TFormFirstRun : public QDialog {
  Q_OBJECT
 public:
  TFormFirstRun(TAppSession& session, QWidget* parent = nullptr);
  void done(int result) override;

 private:
  TAppSession& session_;
  QCheckBox* dontShow_ = nullptr;
};

}  // namespace vetrilo
