#include "core/format.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "core/cp1251.h"
#include "core/errors.h"

namespace vetrilo {
namespace {

[[noreturn]] void Invalid(std::string_view format) {
  throw EVetrilo("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

std::string IntText(int64_t value, int precision) {
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  if (precision > 0 && static_cast<int>(digits.size()) < precision) {
    digits.insert(0, precision - digits.size(), '0');
  }
  return negative ? "-" + digits : digits;
}

std::string HexText(int64_t value, int precision) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(value));
  std::string digits = buf;
  if (precision > 0 && static_cast<int>(digits.size()) < precision) {
    digits.insert(0, precision - digits.size(), '0');
  }
  return digits;
}

std::string FixedText(long double value, int precision, bool thousands) {
  if (precision < 0) precision = 2;
  if (precision > 18) precision = 18;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", precision, static_cast<double>(value));
  std::string text = buf;
  if (!thousands) return text;
  const size_t start = text[0] == '-' ? 1 : 0;
  size_t dot = text.find('.');
  if (dot == std::string::npos) dot = text.size();
  for (ptrdiff_t pos = static_cast<ptrdiff_t>(dot) - 3; pos > static_cast<ptrdiff_t>(start);
       pos -= 3) {
    text.insert(static_cast<size_t>(pos), 1, ',');
  }
  return text;
}

std::string GeneralText(long double value, int precision) {
  if (precision <= 0 || precision > 18) precision = 15;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*G", precision, static_cast<double>(value));
  return buf;
}

std::string ExpText(long double value, int precision) {
  if (precision <= 0 || precision > 18) precision = 15;
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*E", precision - 1, static_cast<double>(value));
  // Delphi writes at least three exponent digits: 1.5E+003.
  std::string text = buf;
  const size_t e = text.find('E');
  if (e != std::string::npos && e + 2 < text.size()) {
    std::string exp = text.substr(e + 2);
    while (exp.size() < 3) exp.insert(0, "0");
    text = text.substr(0, e + 2) + exp;
  }
  return text;
}

}  // namespace

std::string Format(std::string_view format, std::initializer_list<TFmtArg> argList) {
  const std::vector<TFmtArg> args(argList);
  std::string out;
  size_t next = 0;
  size_t i = 0;
  auto takeNumber = [&](int& value) -> bool {
    if (i < format.size() && format[i] == '*') {
      if (next >= args.size() || args[next].Kind() != TFmtArg::TKind::Int) Invalid(format);
      value = static_cast<int>(args[next++].Int());
      ++i;
      return true;
    }
    bool any = false;
    value = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
      if (value < 100000) value = value * 10 + (format[i] - '0');
      ++i;
      any = true;
    }
    return any;
  };

  while (i < format.size()) {
    const char c = format[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    ++i;
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    int number = 0;
    bool haveNumber = takeNumber(number);
    if (haveNumber && i < format.size() && format[i] == ':') {
      next = static_cast<size_t>(number < 0 ? 0 : number);
      ++i;
      haveNumber = false;
    }
    bool left = false;
    if (!haveNumber && i < format.size() && format[i] == '-') {
      left = true;
      ++i;
    }
    int width = 0;
    if (haveNumber) {
      width = number;
    } else {
      takeNumber(width);
    }
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      takeNumber(precision);
    }
    if (i >= format.size()) Invalid(format);
    const char type = static_cast<char>(format[i] | 0x20);
    ++i;
    if (next >= args.size()) Invalid(format);
    const TFmtArg& arg = args[next++];
    std::string piece;
    switch (type) {
      case 'd':
      case 'u':
        if (arg.Kind() != TFmtArg::TKind::Int) Invalid(format);
        piece = type == 'u' && arg.Int() < 0
                    ? IntText(static_cast<int64_t>(static_cast<uint32_t>(arg.Int())), precision)
                    : IntText(arg.Int(), precision);
        break;
      case 'x':
        if (arg.Kind() != TFmtArg::TKind::Int) Invalid(format);
        piece = HexText(arg.Int(), precision);
        break;
      case 'f':
      case 'n':
      case 'm':
      case 'e':
      case 'g': {
        if (arg.Kind() != TFmtArg::TKind::Real) Invalid(format);
        const long double v = arg.Real();
        if (type == 'f') piece = FixedText(v, precision, false);
        if (type == 'n' || type == 'm') piece = FixedText(v, precision, true);
        if (type == 'e') piece = ExpText(v, precision);
        if (type == 'g') piece = GeneralText(v, precision);
        break;
      }
      case 's':
        if (arg.Kind() != TFmtArg::TKind::Text) Invalid(format);
        piece = std::string(arg.Text());
        if (precision >= 0 && Utf8Length(piece) > static_cast<size_t>(precision)) {
          // Cut on a character boundary.
          size_t chars = 0, pos = 0;
          while (pos < piece.size() && chars < static_cast<size_t>(precision)) {
            ++pos;
            while (pos < piece.size() && (static_cast<unsigned char>(piece[pos]) & 0xC0) == 0x80)
              ++pos;
            ++chars;
          }
          piece.resize(pos);
        }
        break;
      case 'p':
        if (arg.Kind() != TFmtArg::TKind::Int) Invalid(format);
        piece = HexText(arg.Int(), 8);
        break;
      default:
        Invalid(format);
    }
    const size_t len = Utf8Length(piece);
    if (width > 0 && len < static_cast<size_t>(width)) {
      const std::string pad(static_cast<size_t>(width) - len, ' ');
      piece = left ? piece + pad : pad + piece;
    }
    out += piece;
  }
  return out;
}

}  // namespace vetrilo
