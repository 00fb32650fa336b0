#pragma once

#include <QColor>
#include <QString>
#include <string>
#include <string_view>

#include "core/translate.h"

namespace vetrilo {

inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
// An interface text of the active language, keyed by its Russian original.
inline QString QTr(std::string_view russian) {
  return Q(Tr(russian));
}
inline std::string S(const QString& text) {
  return text.toStdString();
}
// Engine messages keep "\r" as their line break.
inline QString QMessage(std::string_view text) {
  QString s = Q(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}
inline QColor QRgbColor(uint32_t rgb) {
  return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

}  // namespace vetrilo
