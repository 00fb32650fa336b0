#include "app/ui/qt_translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include "ui_tests.h"

namespace vetrilo::test {

class TQtTranslationsTest : public QObject {
  Q_OBJECT
 private slots:
  void standardButtonsSpeakRussian() {
    QTranslator* translator = InstallQtTranslations(*QCoreApplication::instance());
    QVERIFY(translator != nullptr);
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString("Отмена"));
    QCOMPARE(box.button(QDialogButtonBox::Open)->text(), QString("Открыть"));
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }

  void missingLanguageInstallsNothing() {
    QVERIFY(InstallQtTranslations(*QCoreApplication::instance(), "xx") == nullptr);
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QString("Cancel"));
  }
};

static TUiTestRegistration registration([] { return new TQtTranslationsTest; });

}  // namespace vetrilo::test

#include "qt_translations_test.moc"
