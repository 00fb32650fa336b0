#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

namespace vetrilo {

// Qt's own texts (file dialogs, standard buttons, context menus) in the
// interface's base language, from the translations installed with Qt. Returns
// the installed translator (owned by the application), or nullptr when Qt's
// translation for the language is not installed.
QTranslator* InstallQtTranslations(QCoreApplication& app, const QString& language = "ru");

}  // namespace vetrilo
