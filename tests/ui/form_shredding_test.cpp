#include "stats/ui/form_shredding.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "app/app_session.h"
#include "app/ui/form_main.h"
#include "app/ui/qt_text.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "stats/families/shredding.h"
#include "ui_tests.h"

namespace vetrilo::test {

class TFormShreddingTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    SaveFileAtomic(S(dir_->filePath("Vetrilo_4d47.ldr")),
                   SerializeDrawRecords(MakeDemoDraws(25, 3)));
    session_ = std::make_unique<TAppSession>(TAppPaths::ForFolder(S(dir_->path())), hooks_);
    form_ = std::make_unique<TFormMain>(*session_, hooks_);
    form_->DeferredInit();
  }
  void cleanup() {
    form_.reset();
    session_.reset();
    dir_.reset();
  }

  void actionIsInTheServiceMenu() {
    QAction* action = form_->Actions().Find("EditShredding");
    QVERIFY(action);
    QCOMPARE(action->text(), QString("Формулы шинковки"));
    QCOMPARE(action->statusTip(), QString("Редактирование формул для методов шинковки"));
    QVERIFY(action->isEnabled());
    auto* menu = form_->findChild<QMenu*>("MenuService");
    QVERIFY(menu && menu->actions().contains(action));
    session_->EnterBusy();
    form_->Actions().UpdateAll();
    QVERIFY(!action->isEnabled());
    session_->LeaveBusy();
  }

  void dialogShowsTheSettingsAndFollowsTheTyping() {
    TFormShredding* dialog = Open();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Методы шинковки"));
    QCOMPARE(dialog->FormulaEdit(0)->objectName(), QString("edFormula1"));
    QCOMPARE(dialog->FormulaEdit(0)->text(), QString("(n1+n2+n3)/(n4+n5)"));
    QCOMPARE(dialog->FormulaEdit(2)->toolTip(), QString("Используемая формула"));
    QCOMPARE(dialog->DigitsEdit(1)->objectName(), QString("edDigits2"));
    QCOMPARE(dialog->DigitsEdit(1)->value(), 2);
    QCOMPARE(dialog->DigitsEdit(1)->minimum(), 1);
    QCOMPARE(dialog->DigitsEdit(1)->maximum(), 5);
    QCOMPARE(dialog->DigitsEdit(1)->toolTip(),
             QString("Количество используемых знаков после запятой"));
    auto* info = dialog->findChild<QLabel*>("lblInfo");
    QVERIFY(info && info->text().startsWith("Используемые переменные:\nn1, n2, n3, ..., nX"));

    const int last = session_->LastIndex();
    const TDrawRec newest = session_->Archive().GetDraw(last, false);
    QCOMPARE(dialog->ValueLabel(0)->text(),
             QString("Тираж %1: Синтаксическая ошибка").arg(newest.Number));
    QTest::keyClicks(dialog->FormulaEdit(1), "x");  // the typing reaches the preview
    QCOMPARE(dialog->ValueLabel(1)->text(),
             Q(ShredPreview(session_->Archive(), last, false, "(n4+n5)/(n1+n2+n3)x", 2).Text));
    dialog->FormulaEdit(0)->setText("(n1+p1+t1)/7");
    dialog->DigitsEdit(0)->setValue(4);
    const TShredPreview preview = ShredPreview(session_->Archive(), last, false, "(n1+p1+t1)/7", 4);
    QVERIFY(!preview.Failed);
    QCOMPARE(dialog->ValueLabel(0)->text(), Q(preview.Text));
    Button(dialog, QDialogButtonBox::Cancel)->click();
  }

  void okAppliesThroughTheSession() {
    QPointer<TFormShredding> dialog = Open();
    QVERIFY(dialog);
    dialog->FormulaEdit(1)->setText("n1/7");
    dialog->DigitsEdit(1)->setValue(5);
    Button(dialog, QDialogButtonBox::Ok)->click();
    const TStatList& list = session_->StatList();
    QCOMPARE(Q(list.Formula[1]), QString("n1/7"));
    QCOMPARE(int(list.FormulaDigits[1]), 5);
    QCOMPARE(Q(TIniFile(session_->Paths().IniFile()).ReadString("SHREDDING", "Formula2", "")),
             QString("n1/7"));
    QCOMPARE(Q(list.MethodCaption(list.FindByCode("SHR2"), false)),
             QString("{ shr } Метод шинковки 2: n1/7"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
  }

  void cancelChangesNothing() {
    QPointer<TFormShredding> dialog = Open();
    QVERIFY(dialog);
    dialog->FormulaEdit(0)->setText("n1/7");
    Button(dialog, QDialogButtonBox::Cancel)->click();
    QCOMPARE(Q(session_->StatList().Formula[0]), QString("(n1+n2+n3)/(n4+n5)"));
    QVERIFY(!std::filesystem::exists(session_->Paths().IniFile()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog.isNull());
  }

  void aFailedSaveKeepsTheDialogWithTheTyping() {
    std::filesystem::create_directory(session_->Paths().IniFile());
    QPointer<TFormShredding> dialog = Open();
    QVERIFY(dialog);
    dialog->FormulaEdit(2)->setText("n3/7");
    Button(dialog, QDialogButtonBox::Ok)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!dialog.isNull());
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->FormulaEdit(2)->text(), QString("n3/7"));
    QCOMPARE(Q(session_->StatList().Formula[2]), QString("(n1+n2)/(n3+n4+n5)"));
    QVERIFY(!session_->Busy());
    Button(dialog, QDialogButtonBox::Cancel)->click();
  }

 private:
  TFormShredding* Open() {
    form_->Actions().Find("EditShredding")->trigger();
    const auto dialogs = form_->findChildren<TFormShredding*>();
    for (TFormShredding* d : dialogs) {
      if (d->isVisible()) return d;
    }
    return nullptr;
  }
  static QPushButton* Button(QDialog* dialog, QDialogButtonBox::StandardButton which) {
    return dialog->findChild<QDialogButtonBox*>()->button(which);
  }

  TQtHooks hooks_;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<TAppSession> session_;
  std::unique_ptr<TFormMain> form_;
};

static TUiTestRegistration kRegistration([] { return new TFormShreddingTest; });

}  // namespace vetrilo::test

#include "form_shredding_test.moc"
