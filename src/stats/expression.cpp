#include "stats/expression.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/errors.h"

namespace vetrilo {

namespace {

using TReal = long double;

constexpr TReal kPi = 3.141592653589793238462643383279502884L;
constexpr TReal kE = 2.718281828459045235360287471352662498L;

// Significant digits of a decimal literal handed to the conversion; later digits
// only decide the rounding, so a sticky digit stands in for them.
constexpr size_t kSignificantDigits = 40;
// Decimal exponents beyond these give infinity or zero in the extended type.
constexpr int64_t kExponentLimit = 6000;
// Written exponents are read up to this size; the digit count of the text can
// never outweigh it.
constexpr int64_t kExponentCap = 1000000000000000;

enum class TFunc {
  ArcTan,
  Cos,
  Sin,
  Tan,
  Abs,
  Exp,
  Ln,
  Log,
  Sqrt,
  Sqr,
  Int,
  Frac,
  Trunc,
  Round,
  ArcSin,
  ArcCos,
  Sign,
  Not,
};

struct TFuncName {
  std::string_view Name;
  TFunc Func;
};
constexpr TFuncName kFunctions[] = {
    {"ARCTAN", TFunc::ArcTan}, {"COS", TFunc::Cos},     {"SIN", TFunc::Sin},
    {"TAN", TFunc::Tan},       {"ABS", TFunc::Abs},     {"EXP", TFunc::Exp},
    {"LN", TFunc::Ln},         {"LOG", TFunc::Log},     {"SQRT", TFunc::Sqrt},
    {"SQR", TFunc::Sqr},       {"INT", TFunc::Int},     {"FRAC", TFunc::Frac},
    {"TRUNC", TFunc::Trunc},   {"ROUND", TFunc::Round}, {"ARCSIN", TFunc::ArcSin},
    {"ARCCOS", TFunc::ArcCos}, {"SIGN", TFunc::Sign},   {"NOT", TFunc::Not},
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return c >= 'A' && c <= 'Z';
}
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Half to even.
TReal RoundHalfEven(TReal x) {
  const TReal whole = std::trunc(x);
  const TReal rest = std::fabs(x - whole);
  const TReal step = x < 0 ? -1.0L : 1.0L;
  if (rest > 0.5L) return whole + step;
  if (rest < 0.5L) return whole;
  return std::fmod(whole, 2.0L) == 0 ? whole : whole + step;
}

// One pass over the cleaned text that parses and evaluates together. Syntax
// failures stop the pass at once; the first evaluation error is remembered and
// reported only when the whole text turned out to be well formed.
class TParser {
 public:
  explicit TParser(std::string text) : s_(std::move(text)) {}

  TExprError Run(TReal& value) {
    if (!Balanced()) return TExprError::Brackets;
    TReal v = 0;
    if (!Sum(v, 0, true) || pos_ != s_.size()) return TExprError::Syntax;
    if (error_ != TExprError::None) return error_;
    value = v;
    return TExprError::None;
  }

 private:
  bool Balanced() const {
    int64_t depth = 0;
    for (char c : s_) {
      if (c == '(') ++depth;
      if (c == ')' && --depth < 0) return false;
    }
    return depth == 0;
  }

  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }

  void Fail(TExprError error) {
    if (error_ == TExprError::None) error_ = error;
  }
  bool Failed() const { return error_ != TExprError::None; }

  // Every intermediate result must be finite.
  TReal Checked(TReal v) {
    if (!std::isfinite(v)) {
      Fail(TExprError::FloatingPoint);
      return 0;
    }
    return v;
  }

  bool Sum(TReal& v, int depth, bool allowSign) {
    if (depth > kMaxExprNesting) return false;
    if (allowSign && (Peek() == '+' || Peek() == '-')) {
      v = 0;
    } else if (!Product(v, depth)) {
      return false;
    }
    while (Peek() == '+' || Peek() == '-') {
      const char op = s_[pos_++];
      TReal r = 0;
      if (!Product(r, depth)) return false;
      if (!Failed()) v = Checked(op == '+' ? v + r : v - r);
    }
    return true;
  }

  bool Product(TReal& v, int depth) {
    if (!Factor(v, depth)) return false;
    while (Peek() == '*' || Peek() == '/' || Peek() == '^') {
      const char op = s_[pos_++];
      TReal r = 0;
      if (!Factor(r, depth)) return false;
      if (Failed()) continue;
      switch (op) {
        case '*':
          v = Checked(v * r);
          break;
        case '/':
          if (r == 0) {
            Fail(TExprError::DivisionByZero);
          } else {
            v = Checked(v / r);
          }
          break;
        default:
          v = Power(v, r);
          break;
      }
    }
    return true;
  }

  TReal Power(TReal base, TReal exponent) {
    if (exponent == 0) return 1;
    if (base < 0 && std::trunc(exponent) != exponent) {
      Fail(TExprError::FloatingPoint);
      return 0;
    }
    // pow is closed-form in the exponent: huge exponents cost nothing.
    return Checked(std::pow(base, exponent));
  }

  bool Factor(TReal& v, int depth) {
    const char c = Peek();
    if (c == '(') {
      ++pos_;
      if (!Sum(v, depth + 1, false) || Peek() != ')') return false;
      ++pos_;
      return true;
    }
    if (IsDigit(c) || c == '.') return Number(v);
    if (c == '$') return Hex(v);
    if (!IsLetter(c)) return false;
    const size_t start = pos_;
    while (IsLetter(Peek())) ++pos_;
    const std::string_view name(s_.data() + start, pos_ - start);
    if (name == "PI") {
      v = kPi;
      return true;
    }
    if (name == "E") {
      v = kE;
      return true;
    }
    for (const TFuncName& f : kFunctions) {
      if (f.Name != name) continue;
      if (Peek() != '(') return false;
      ++pos_;
      TReal arg = 0;
      if (!Sum(arg, depth + 1, false) || Peek() != ')') return false;
      ++pos_;
      v = Failed() ? 0 : Apply(f.Func, arg);
      return true;
    }
    return false;
  }

  TReal Apply(TFunc f, TReal x) {
    switch (f) {
      case TFunc::ArcTan:
        return Checked(std::atan(x));
      case TFunc::Cos:
        return Checked(std::cos(x));
      case TFunc::Sin:
        return Checked(std::sin(x));
      case TFunc::Tan:
        return Checked(std::tan(x));
      case TFunc::Abs:
        return std::fabs(x);
      case TFunc::Exp:
        return Checked(std::exp(x));
      case TFunc::Ln:
      case TFunc::Log:
        if (x < 0) {
          Fail(TExprError::LogNegative);
          return 0;
        }
        return Checked(f == TFunc::Ln ? std::log(x) : std::log10(x));
      case TFunc::Sqrt:
        if (x < 0) {
          Fail(TExprError::RootNegative);
          return 0;
        }
        return Checked(std::sqrt(x));
      case TFunc::Sqr:
        return Checked(x * x);
      case TFunc::Int:
      case TFunc::Trunc:
        return std::trunc(x);
      case TFunc::Frac:
        return x - std::trunc(x);
      case TFunc::Round:
        return RoundHalfEven(x);
      case TFunc::ArcSin:
        return Checked(std::asin(x));
      case TFunc::ArcCos:
        return Checked(std::acos(x));
      case TFunc::Sign:
        return x > 0 ? 1.0L : x < 0 ? -1.0L : 0.0L;
      case TFunc::Not:
        return x == 0 ? 1.0L : 0.0L;
    }
    return 0;
  }

  // Any run of digits: only the first significant ones are kept, the position
  // of the decimal point and the exponent are counted with saturation.
  bool Number(TReal& v) {
    std::string digits;
    bool sticky = false;
    int64_t point = 0;  // value = 0.<digits> * 10^point
    bool anyDigit = false;
    auto take = [&](char d, bool integerPart) {
      anyDigit = true;
      if (digits.empty() && d == '0') {
        if (!integerPart) --point;
        return;
      }
      if (integerPart) ++point;
      if (digits.size() < kSignificantDigits) {
        digits += d;
      } else if (d != '0') {
        sticky = true;
      }
    };
    while (IsDigit(Peek())) take(s_[pos_++], true);
    if (Peek() == '.') {
      ++pos_;
      while (IsDigit(Peek())) take(s_[pos_++], false);
    }
    if (!anyDigit) return false;
    if (Peek() == 'E') {
      size_t p = pos_ + 1;
      bool negative = false;
      if (p < s_.size() && (s_[p] == '+' || s_[p] == '-')) negative = s_[p++] == '-';
      if (p < s_.size() && IsDigit(s_[p])) {
        int64_t exponent = 0;
        while (p < s_.size() && IsDigit(s_[p])) {
          if (exponent < kExponentCap) exponent = exponent * 10 + (s_[p] - '0');
          ++p;
        }
        point += negative ? -exponent : exponent;
        pos_ = p;
      }
    }
    if (digits.empty()) {
      v = 0;
      return true;
    }
    if (point > kExponentLimit) {
      Fail(TExprError::FloatingPoint);
      v = 0;
      return true;
    }
    if (point < -kExponentLimit) {
      v = 0;
      return true;
    }
    // Up to 19 digits scaled by at most 10^27: both factors are exact in the
    // extended type, so one correctly rounded operation gives what the
    // conversion below would.
    const int64_t scale = point - int64_t(digits.size());
    if (!sticky && digits.size() <= 19 && scale >= -27 && scale <= 27) {
      uint64_t mantissa = 0;
      for (char d : digits) mantissa = mantissa * 10 + uint64_t(d - '0');
      TReal power = 1;
      for (int64_t k = 0; k < (scale < 0 ? -scale : scale); ++k) power *= 10;
      v = scale < 0 ? TReal(mantissa) / power : TReal(mantissa) * power;
      return true;
    }
    std::string text = "0." + digits + (sticky ? "1" : "") + "e" + std::to_string(point);
    TReal parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec == std::errc::result_out_of_range) {
      parsed = point > 0 ? HUGE_VALL : 0.0L;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
      return false;
    }
    v = Checked(parsed);
    return true;
  }

  bool Hex(TReal& v) {
    ++pos_;
    if (HexDigit(Peek()) < 0) return false;
    v = 0;
    while (HexDigit(Peek()) >= 0) v = v * 16 + HexDigit(s_[pos_++]);
    v = Checked(v);
    return true;
  }

  std::string s_;
  size_t pos_ = 0;
  TExprError error_ = TExprError::None;
};

std::string CleanText(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (static_cast<unsigned char>(c) < '!') continue;
    s += c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
  }
  return s;
}

}  // namespace

std::string ExprErrorText(TExprError error) {
  switch (error) {
    case TExprError::None:
      return "";
    case TExprError::Brackets:
      return "Не хватает скобочки";
    case TExprError::Syntax:
      return "Синтаксическая ошибка";
    case TExprError::DivisionByZero:
      return "Деление на нуль";
    case TExprError::LogNegative:
      return "Выражение под логарифмом меньне нуля";
    case TExprError::RootNegative:
      return "Выражение под корнем меньне нуля";
    case TExprError::FloatingPoint:
      return "Ошибка в операции с плавающей точкой";
  }
  return "";
}

TExprError TryEvaluateExpression(std::string_view text, long double& value) {
  return TParser(CleanText(text)).Run(value);
}

long double EvaluateExpression(std::string_view text) {
  long double value = 0;
  const TExprError error = TryEvaluateExpression(text, value);
  if (error != TExprError::None) throw EVetrilo(ExprErrorText(error));
  return value;
}

}  // namespace vetrilo
