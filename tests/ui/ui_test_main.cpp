// Widget tests run offscreen; every test object below is run in turn.
#include <QApplication>
#include <QTest>

#include "ui_tests.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vetrilo::TQtHooks::SetNonInteractive(true);
  int status = 0;
  for (auto& factory : vetrilo::test::UiTestFactories()) {
    std::unique_ptr<QObject> test(factory());
    status |= QTest::qExec(test.get(), argc, argv);
  }
  return status;
}
