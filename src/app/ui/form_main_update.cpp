// The main window's self-update actions, the progress window and "О программе".
#include <QMenuBar>
#include <QMessageBox>

#include "app/ui/action_list.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/errors.h"
#include "core/format.h"
#include "services/self_update.h"
#include "services/ui/form_progress.h"
#include "services/ui/form_update_informer.h"

namespace vetrilo {

void TFormMain::CreateUpdateActions() {
  progressWindow_ = new TFormProgress(this);
  session_.ProgressWindow().SetSink([this](std::string_view text, int position, int maximum) {
    progressWindow_->Show(text, position, maximum);
  });
  session_.SetUpdateInformer([this](const TUpdateOffer& offer) {
    TfrmUpdateInformer dialog(offer, this);
    return dialog.exec() == QDialog::Accepted;
  });
  TActionList& a = *actions_;
  a.Add("CheckUpdate", QTr("Поиск обновлений"), QTr("Искать обновления программы через интернет"),
        [this] {
          session_.CheckUpdateExecute();
          if (session_.RestartRequested()) RestartForUpdate();
        });
  QAction* automatic = a.Add("AutoSelfUpdate", QTr("Автоматическое обновление"),
                             QTr("Автоматическое обновление программы при запуске"),
                             [this] { session_.SetAutoUpdates(!session_.AutoUpdates()); });
  automatic->setCheckable(true);
  automatic->setChecked(session_.AutoUpdates());
  a.Add("About", QTr("О программе"), QTr("Версия программы и каталог ее файлов"), [this] {
    QMessageBox::about(this, QTr("О программе"),
                       QMessage(Format(Tr("Vetrilo_4d47, версия %s\r\r%s"),
                                       {ProgramVersionText(), session_.DataFolderText()})));
  });
}

void TFormMain::FillHelpMenu() {
  QMenu* help = menuBar()->addMenu(QTr("Справка"));
  help->setObjectName("MenuHelp");
  help->addAction(actions_->Find("GetHelp"));
  help->addSeparator();
  help->addAction(actions_->Find("CheckUpdate"));
  help->addAction(actions_->Find("AutoSelfUpdate"));
  help->addSeparator();
  help->addAction(actions_->Find("About"));
}

void TFormMain::RestartForUpdate() {
  try {
    StartProgramForRestart(session_.Paths().ProgramDir, session_.Paths().BaseName);
  } catch (const EVetrilo& e) {
    session_.ShowError(e.Message());
    return;
  }
  close();
}

}  // namespace vetrilo
