#include "stats/expression.h"

#include <gmpxx.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/errors.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

using TReal = long double;
using TWide = __int128;
using TUWide = unsigned __int128;

constexpr TReal kPi = 3.141592653589793238462643383279502884L;
constexpr TReal kE = 2.718281828459045235360287471352662498L;

// Significant digits of a decimal literal read exactly; a literal with more
// goes through the correctly rounded conversion, a sticky digit standing in
// for the rest.
constexpr size_t kSignificantDigits = 40;
// Decimal exponents beyond these give infinity or zero in the extended type.
constexpr int64_t kExponentLimit = 6000;
// Written exponents are read up to this size; the digit count of the text can
// never outweigh it.
constexpr int64_t kExponentCap = 1000000000000000;
// Exact values whose numerator or denominator grows beyond this many bits
// continue as long double: far beyond any formula's needs, and it bounds the work.
constexpr size_t kExactBits = 20000;
// From 2^16384 on a value does not fit long double.
constexpr long kRealExponentLimit = 16384;
// More hexadecimal digits (leading zeros aside) always overflow.
constexpr size_t kHexDigitLimit = kRealExponentLimit / 4 + 1;
// Small rationals keep |numerator| and the denominator within this.
constexpr int64_t kSmallLimit = INT64_MAX;

constexpr int64_t kPowersOfTen[] = {1,
                                    10,
                                    100,
                                    1000,
                                    10000,
                                    100000,
                                    1000000,
                                    10000000,
                                    100000000,
                                    1000000000,
                                    10000000000,
                                    100000000000,
                                    1000000000000,
                                    10000000000000,
                                    100000000000000,
                                    1000000000000000,
                                    10000000000000000,
                                    100000000000000000,
                                    1000000000000000000};

enum class TFunc : uint8_t {
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

mpz_class WideToMpz(TWide v) {
  const TUWide u = v < 0 ? -TUWide(v) : TUWide(v);
  mpz_class z(static_cast<unsigned long>(uint64_t(u >> 64)));
  z <<= 64;
  z += static_cast<unsigned long>(uint64_t(u));
  if (v < 0) z = -z;
  return z;
}

TUWide WideGcd(TUWide a, TUWide b) {
  while (b != 0) {
    const TUWide t = a % b;
    a = b;
    b = t;
  }
  return a;
}

// num / den correctly rounded to long double (round half to even).
TReal BigToReal(const mpz_class& num, const mpz_class& den) {
  if (sgn(num) == 0) return 0;
  mpz_class a = abs(num);
  mpz_class b = den;
  // Scale so the quotient has 66 or 67 bits: 64 for the mantissa, the rest and
  // the remainder decide the rounding.
  const long shift =
      66 - (long(mpz_sizeinbase(a.get_mpz_t(), 2)) - long(mpz_sizeinbase(b.get_mpz_t(), 2)));
  if (shift > 0) a <<= static_cast<unsigned long>(shift);
  if (shift < 0) b <<= static_cast<unsigned long>(-shift);
  mpz_class q, r;
  mpz_tdiv_qr(q.get_mpz_t(), r.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
  const unsigned long drop = mpz_sizeinbase(q.get_mpz_t(), 2) - 64;
  const bool half = mpz_tstbit(q.get_mpz_t(), drop - 1) != 0;
  const bool below = mpz_scan1(q.get_mpz_t(), 0) < drop - 1 || sgn(r) != 0;
  mpz_class high = q >> drop;
  uint64_t mantissa = mpz_get_ui(high.get_mpz_t());
  long exponent = long(drop) - shift;
  if (half && (below || (mantissa & 1) != 0) && ++mantissa == 0) {
    mantissa = uint64_t{1} << 63;
    ++exponent;
  }
  if (exponent > INT_MAX / 2) exponent = INT_MAX / 2;
  if (exponent < INT_MIN / 2) exponent = INT_MIN / 2;
  const TReal v = std::ldexp(TReal(mantissa), int(exponent));
  return sgn(num) < 0 ? -v : v;
}

// A value: a small rational (64-bit numerator and denominator, not necessarily
// in lowest terms), a big rational in lowest terms, or an inexact long double.
struct TNum {
  enum class TKind : uint8_t { Small, Big, Real };
  TKind Kind = TKind::Small;
  int64_t Num = 0;  // Small: |Num| <= kSmallLimit
  int64_t Den = 1;  // Small: 1 <= Den <= kSmallLimit
  TReal Real = 0;
  std::unique_ptr<mpq_class> Big;

  static TNum Int(int64_t n) {
    TNum v;
    v.Num = n;
    return v;
  }
  static TNum Ratio(int64_t n, int64_t d) {
    TNum v;
    v.Num = n;
    v.Den = d;
    return v;
  }
  static TNum FromReal(TReal r) {
    TNum v;
    v.Kind = TKind::Real;
    v.Real = r;
    return v;
  }

  TNum Copy() const {
    TNum v;
    v.Kind = Kind;
    v.Num = Num;
    v.Den = Den;
    v.Real = Real;
    if (Big) v.Big = std::make_unique<mpq_class>(*Big);
    return v;
  }

  bool Exact() const { return Kind != TKind::Real; }

  int Sign() const {
    switch (Kind) {
      case TKind::Small:
        return Num > 0 ? 1 : Num < 0 ? -1 : 0;
      case TKind::Big:
        return sgn(*Big);
      case TKind::Real:
        break;
    }
    return Real > 0 ? 1 : Real < 0 ? -1 : 0;
  }

  bool IsInteger() const {
    if (Kind == TKind::Small) return Num % Den == 0;
    return Kind == TKind::Big && Big->get_den() == 1;
  }

  bool IsIntegral() const { return Exact() ? IsInteger() : std::trunc(Real) == Real; }

  TReal ToReal() const {
    switch (Kind) {
      case TKind::Small:
        // Both exact in the 64-bit mantissa: one correctly rounded division.
        return TReal(Num) / TReal(Den);
      case TKind::Big:
        return BigToReal(Big->get_num(), Big->get_den());
      case TKind::Real:
        break;
    }
    return Real;
  }

  mpq_class ToBig() const {
    if (Kind == TKind::Big) return *Big;
    mpq_class q{mpz_class(static_cast<long>(Num)), mpz_class(static_cast<long>(Den))};
    q.canonicalize();
    return q;
  }

  void SetReal(TReal r) {
    Kind = TKind::Real;
    Real = r;
    Big.reset();
  }
  void SetSmall(int64_t n, int64_t d) {
    Kind = TKind::Small;
    Num = n;
    Den = d;
    Big.reset();
  }
  void SetBig(mpq_class q) {
    Kind = TKind::Big;
    if (Big) {
      *Big = std::move(q);
    } else {
      Big = std::make_unique<mpq_class>(std::move(q));
    }
  }
};

bool FitsSmall(TWide v) {
  return v >= -TWide(kSmallLimit) && v <= TWide(kSmallLimit);
}

// n / d with d > 0 and both below 2^127 in magnitude.
void SetWide(TNum& v, TWide n, TWide d) {
  if (!FitsSmall(n) || d > kSmallLimit) {
    const TUWide g = WideGcd(n < 0 ? -TUWide(n) : TUWide(n), TUWide(d));
    if (g > 1) {
      n /= TWide(g);
      d /= TWide(g);
    }
    if (!FitsSmall(n) || d > kSmallLimit) {
      v.SetBig(mpq_class(WideToMpz(n), WideToMpz(d)));
      return;
    }
  }
  v.SetSmall(int64_t(n), int64_t(d));
}

TExprError CheckedReal(TNum& v, TReal r) {
  if (!std::isfinite(r)) return TExprError::FloatingPoint;
  v.SetReal(r);
  return TExprError::None;
}

// A big result: back to small when it fits, to long double when it grew past
// the exact budget, and an error when it lies beyond long double.
TExprError SettleBig(TNum& v, mpq_class q) {
  const size_t numBits = mpz_sizeinbase(q.get_num_mpz_t(), 2);
  const size_t denBits = mpz_sizeinbase(q.get_den_mpz_t(), 2);
  if (numBits <= 63 && denBits <= 63) {
    v.SetSmall(q.get_num().get_si(), q.get_den().get_si());
    return TExprError::None;
  }
  if (numBits > kExactBits || denBits > kExactBits) {
    return CheckedReal(v, BigToReal(q.get_num(), q.get_den()));
  }
  // Below 2^(numBits - denBits + 1): only the top range needs the conversion.
  if (long(numBits) - long(denBits) >= kRealExponentLimit - 1 &&
      !std::isfinite(BigToReal(q.get_num(), q.get_den()))) {
    return TExprError::FloatingPoint;
  }
  v.SetBig(std::move(q));
  return TExprError::None;
}

TExprError AddSub(TNum& a, const TNum& b, bool subtract) {
  if (a.Kind == TNum::TKind::Small && b.Kind == TNum::TKind::Small) {
    if (a.Den == b.Den) {
      SetWide(a, subtract ? TWide(a.Num) - b.Num : TWide(a.Num) + b.Num, a.Den);
    } else {
      const TWide x = TWide(a.Num) * b.Den;
      const TWide y = TWide(b.Num) * a.Den;
      SetWide(a, subtract ? x - y : x + y, TWide(a.Den) * b.Den);
    }
    return TExprError::None;
  }
  if (!a.Exact() || !b.Exact()) {
    return CheckedReal(a, subtract ? a.ToReal() - b.ToReal() : a.ToReal() + b.ToReal());
  }
  return SettleBig(a,
                   subtract ? mpq_class(a.ToBig() - b.ToBig()) : mpq_class(a.ToBig() + b.ToBig()));
}

TExprError Multiply(TNum& a, const TNum& b) {
  if (a.Kind == TNum::TKind::Small && b.Kind == TNum::TKind::Small) {
    SetWide(a, TWide(a.Num) * b.Num, TWide(a.Den) * b.Den);
    return TExprError::None;
  }
  if (!a.Exact() || !b.Exact()) return CheckedReal(a, a.ToReal() * b.ToReal());
  return SettleBig(a, a.ToBig() * b.ToBig());
}

TExprError Divide(TNum& a, const TNum& b) {
  if (b.Sign() == 0) return TExprError::DivisionByZero;
  if (a.Kind == TNum::TKind::Small && b.Kind == TNum::TKind::Small) {
    TWide n = TWide(a.Num) * b.Den;
    TWide d = TWide(a.Den) * b.Num;
    if (d < 0) n = -n, d = -d;
    SetWide(a, n, d);
    return TExprError::None;
  }
  if (!a.Exact() || !b.Exact()) return CheckedReal(a, a.ToReal() / b.ToReal());
  return SettleBig(a, a.ToBig() / b.ToBig());
}

size_t BitsOf(const TNum& v) {
  if (v.Kind == TNum::TKind::Small) {
    const uint64_t n = v.Num < 0 ? uint64_t(-v.Num) : uint64_t(v.Num);
    const size_t numBits = n == 0 ? 1 : size_t(64 - __builtin_clzll(n));
    const size_t denBits = size_t(64 - __builtin_clzll(uint64_t(v.Den)));
    return numBits > denBits ? numBits : denBits;
  }
  const size_t numBits = mpz_sizeinbase(v.Big->get_num_mpz_t(), 2);
  const size_t denBits = mpz_sizeinbase(v.Big->get_den_mpz_t(), 2);
  return numBits > denBits ? numBits : denBits;
}

// Exact base, exact integral exponent other than 0.
TExprError ExactPower(TNum& base, const TNum& exponent) {
  const int baseSign = base.Sign();
  const int exponentSign = exponent.Sign();
  if (baseSign == 0) {
    if (exponentSign < 0) return TExprError::FloatingPoint;  // 1/0
    base.SetSmall(0, 1);
    return TExprError::None;
  }
  const bool unit = base.Kind == TNum::TKind::Small
                        ? (base.Num < 0 ? -base.Num : base.Num) == base.Den
                        : mpz_cmpabs(base.Big->get_num_mpz_t(), base.Big->get_den_mpz_t()) == 0;
  const mpq_class e = exponent.ToBig();
  if (unit) {
    const bool odd = mpz_odd_p(e.get_num_mpz_t()) != 0;
    base.SetSmall(baseSign < 0 && odd ? -1 : 1, 1);
    return TExprError::None;
  }
  // |base| is not 1, so a huge exponent means a huge numerator or denominator:
  // that is long double work.
  const size_t bits = BitsOf(base);
  if (mpz_cmpabs_ui(e.get_num_mpz_t(), kExactBits / bits) > 0) {
    const TReal r = std::pow(base.ToReal(), exponent.ToReal());
    return CheckedReal(base, r);
  }
  const long n = e.get_num().get_si();
  const unsigned long k = static_cast<unsigned long>(n < 0 ? -n : n);
  mpq_class q = base.ToBig();
  mpz_class num, den;
  mpz_pow_ui(num.get_mpz_t(), q.get_num_mpz_t(), k);
  mpz_pow_ui(den.get_mpz_t(), q.get_den_mpz_t(), k);
  q = n < 0 ? mpq_class(den, num) : mpq_class(num, den);
  q.canonicalize();
  return SettleBig(base, std::move(q));
}

TExprError Power(TNum& base, const TNum& exponent) {
  if (exponent.Sign() == 0) {
    // 0^0 = 1 as well.
    if (base.Exact() && exponent.Exact()) {
      base.SetSmall(1, 1);
    } else {
      base.SetReal(1);
    }
    return TExprError::None;
  }
  if (base.Exact() && exponent.Exact() && exponent.IsInteger()) {
    if (base.Kind == TNum::TKind::Small && exponent.Kind == TNum::TKind::Small) {
      const int64_t n = exponent.Num / exponent.Den;
      const uint64_t k = n < 0 ? uint64_t(-n) : uint64_t(n);
      // Small enough to multiply out in 64 bits.
      if (base.Num != 0 && k <= 62 && BitsOf(base) * k <= 62) {
        int64_t num = 1, den = 1;
        for (uint64_t i = 0; i < k; ++i) {
          num *= base.Num;
          den *= base.Den;
        }
        if (n < 0) {
          std::swap(num, den);
          if (den < 0) num = -num, den = -den;
        }
        base.SetSmall(num, den);
        return TExprError::None;
      }
    }
    return ExactPower(base, exponent);
  }
  if (base.Sign() < 0 && !exponent.IsIntegral()) return TExprError::FloatingPoint;
  // pow is closed-form in the exponent: huge exponents cost nothing.
  return CheckedReal(base, std::pow(base.ToReal(), exponent.ToReal()));
}

// Toward zero.
void Truncate(TNum& x) {
  if (x.Kind == TNum::TKind::Small) {
    x.SetSmall(x.Num / x.Den, 1);
  } else if (x.Kind == TNum::TKind::Big) {
    mpz_class q;
    mpz_tdiv_q(q.get_mpz_t(), x.Big->get_num_mpz_t(), x.Big->get_den_mpz_t());
    SettleBig(x, mpq_class(q));
  } else {
    x.Real = std::trunc(x.Real);
  }
}

// x - trunc(x): keeps the sign.
void Fraction(TNum& x) {
  if (x.Kind == TNum::TKind::Small) {
    x.SetSmall(x.Num % x.Den, x.Den);
  } else if (x.Kind == TNum::TKind::Big) {
    mpz_class r;
    mpz_tdiv_r(r.get_mpz_t(), x.Big->get_num_mpz_t(), x.Big->get_den_mpz_t());
    mpq_class q(r, x.Big->get_den());
    q.canonicalize();
    SettleBig(x, std::move(q));
  } else {
    x.Real = x.Real - std::trunc(x.Real);
  }
}

// Half to even.
void Round(TNum& x) {
  if (x.Kind == TNum::TKind::Small) {
    int64_t q = x.Num / x.Den;
    const int64_t r = x.Num % x.Den;
    const TWide twice = 2 * TWide(r < 0 ? -r : r);
    const int64_t step = x.Num < 0 ? -1 : 1;
    if (twice > x.Den || (twice == x.Den && q % 2 != 0)) q += step;
    x.SetSmall(q, 1);
  } else if (x.Kind == TNum::TKind::Big) {
    mpz_class q, r;
    mpz_tdiv_qr(q.get_mpz_t(), r.get_mpz_t(), x.Big->get_num_mpz_t(), x.Big->get_den_mpz_t());
    const mpz_class twice = abs(r) * 2;
    const int against = cmp(twice, x.Big->get_den());
    if (against > 0 || (against == 0 && mpz_odd_p(q.get_mpz_t()))) {
      q += sgn(x.Big->get_num());
    }
    SettleBig(x, mpq_class(q));
  } else {
    x.Real = RoundHalfEven(x.Real);
  }
}

TExprError Apply(TFunc f, TNum& x) {
  switch (f) {
    case TFunc::ArcTan:
      return CheckedReal(x, std::atan(x.ToReal()));
    case TFunc::Cos:
      return CheckedReal(x, std::cos(x.ToReal()));
    case TFunc::Sin:
      return CheckedReal(x, std::sin(x.ToReal()));
    case TFunc::Tan:
      return CheckedReal(x, std::tan(x.ToReal()));
    case TFunc::Abs:
      if (x.Kind == TNum::TKind::Small) {
        x.Num = x.Num < 0 ? -x.Num : x.Num;
      } else if (x.Kind == TNum::TKind::Big) {
        mpq_abs(x.Big->get_mpq_t(), x.Big->get_mpq_t());
      } else {
        x.Real = std::fabs(x.Real);
      }
      return TExprError::None;
    case TFunc::Exp:
      return CheckedReal(x, std::exp(x.ToReal()));
    case TFunc::Ln:
    case TFunc::Log:
      if (x.Sign() < 0) return TExprError::LogNegative;
      return CheckedReal(x, f == TFunc::Ln ? std::log(x.ToReal()) : std::log10(x.ToReal()));
    case TFunc::Sqrt:
      if (x.Sign() < 0) return TExprError::RootNegative;
      return CheckedReal(x, std::sqrt(x.ToReal()));
    case TFunc::Sqr: {
      const TNum copy = x.Copy();
      return Multiply(x, copy);
    }
    case TFunc::Int:
    case TFunc::Trunc:
      Truncate(x);
      return TExprError::None;
    case TFunc::Frac:
      Fraction(x);
      return TExprError::None;
    case TFunc::Round:
      Round(x);
      return TExprError::None;
    case TFunc::ArcSin:
      return CheckedReal(x, std::asin(x.ToReal()));
    case TFunc::ArcCos:
      return CheckedReal(x, std::acos(x.ToReal()));
    case TFunc::Sign:
    case TFunc::Not: {
      const int s = x.Sign();
      const int v = f == TFunc::Sign ? s : s == 0 ? 1 : 0;
      if (x.Exact()) {
        x.SetSmall(v, 1);
      } else {
        x.Real = TReal(v);
      }
      return TExprError::None;
    }
  }
  return TExprError::None;
}

enum class TOpCode : uint8_t { Const, Var, Fail, Add, Sub, Mul, Div, Pow, Func };

struct TOp {
  TOpCode Code;
  int32_t Arg;  // constant index, slot, error or function
};

}  // namespace

// Postfix: operands in the order the text gives them, each operation right
// after its operands, so the first failing step is the one the text meets first.
struct TExpression::TProgram {
  TExprError ParseError = TExprError::None;
  std::vector<TOp> Ops;
  std::vector<TNum> Consts;
};

namespace {

// Parses the cleaned text into the program. `slots` marks, per character, the
// variable that stands there (-1: none).
class TCompiler {
 public:
  TCompiler(std::string text, std::vector<int> slots, TExpression::TProgram& program)
      : s_(std::move(text)), slots_(std::move(slots)), p_(program) {}

  TExprError Run() {
    if (!Balanced()) return TExprError::Brackets;
    if (!Sum(0, true) || pos_ != s_.size()) return TExprError::Syntax;
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
  bool AtVariable() const { return pos_ < s_.size() && slots_[pos_] >= 0; }

  void Emit(TOpCode code, int32_t arg = 0) { p_.Ops.push_back({code, arg}); }
  void EmitConst(TNum v) {
    p_.Consts.push_back(std::move(v));
    Emit(TOpCode::Const, int32_t(p_.Consts.size() - 1));
  }
  void EmitFail(TExprError error) { Emit(TOpCode::Fail, int32_t(error)); }

  bool Sum(int depth, bool allowSign) {
    if (depth > kMaxExprNesting) return false;
    if (allowSign && !AtVariable() && (Peek() == '+' || Peek() == '-')) {
      EmitConst(TNum::Int(0));
    } else if (!Product(depth)) {
      return false;
    }
    while (!AtVariable() && (Peek() == '+' || Peek() == '-')) {
      const char op = s_[pos_++];
      if (!Product(depth)) return false;
      Emit(op == '+' ? TOpCode::Add : TOpCode::Sub);
    }
    return true;
  }

  bool Product(int depth) {
    if (!Factor(depth)) return false;
    while (!AtVariable() && (Peek() == '*' || Peek() == '/' || Peek() == '^')) {
      const char op = s_[pos_++];
      if (!Factor(depth)) return false;
      Emit(op == '*' ? TOpCode::Mul : op == '/' ? TOpCode::Div : TOpCode::Pow);
    }
    return true;
  }

  bool Factor(int depth) {
    if (AtVariable()) {
      Emit(TOpCode::Var, slots_[pos_++]);
      return true;
    }
    const char c = Peek();
    if (c == '(') {
      ++pos_;
      if (!Sum(depth + 1, false) || AtVariable() || Peek() != ')') return false;
      ++pos_;
      return true;
    }
    if (IsDigit(c) || c == '.') return Number();
    if (c == '$') return Hex();
    if (!IsLetter(c)) return false;
    const size_t start = pos_;
    while (!AtVariable() && IsLetter(Peek())) ++pos_;
    const std::string_view name(s_.data() + start, pos_ - start);
    if (name == "PI") {
      EmitConst(TNum::FromReal(kPi));
      return true;
    }
    if (name == "E") {
      EmitConst(TNum::FromReal(kE));
      return true;
    }
    for (const TFuncName& f : kFunctions) {
      if (f.Name != name) continue;
      if (AtVariable() || Peek() != '(') return false;
      ++pos_;
      if (!Sum(depth + 1, false) || AtVariable() || Peek() != ')') return false;
      ++pos_;
      Emit(TOpCode::Func, int32_t(f.Func));
      return true;
    }
    return false;
  }

  bool DigitAhead() const { return !AtVariable() && IsDigit(Peek()); }

  // Any run of digits: up to kSignificantDigits significant ones are read
  // exactly, the position of the decimal point and the exponent are counted
  // with saturation.
  bool Number() {
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
    while (DigitAhead()) take(s_[pos_++], true);
    if (!AtVariable() && Peek() == '.') {
      ++pos_;
      while (DigitAhead()) take(s_[pos_++], false);
    }
    if (!anyDigit) return false;
    if (!AtVariable() && Peek() == 'E') {
      size_t p = pos_ + 1;
      bool negative = false;
      if (p < s_.size() && slots_[p] < 0 && (s_[p] == '+' || s_[p] == '-')) {
        negative = s_[p++] == '-';
      }
      if (p < s_.size() && slots_[p] < 0 && IsDigit(s_[p])) {
        int64_t exponent = 0;
        while (p < s_.size() && slots_[p] < 0 && IsDigit(s_[p])) {
          if (exponent < kExponentCap) exponent = exponent * 10 + (s_[p] - '0');
          ++p;
        }
        point += negative ? -exponent : exponent;
        pos_ = p;
      }
    }
    if (digits.empty()) {
      EmitConst(TNum::Int(0));
      return true;
    }
    if (point > kExponentLimit) {
      EmitFail(TExprError::FloatingPoint);
      return true;
    }
    if (point < -kExponentLimit) {
      EmitConst(TNum::FromReal(0));
      return true;
    }
    if (sticky) return Rounded(digits, point);
    const int64_t scale = point - int64_t(digits.size());
    if (digits.size() <= 18 && scale >= -18 && scale <= 18) {
      int64_t mantissa = 0;
      for (char d : digits) mantissa = mantissa * 10 + (d - '0');
      TNum v;
      if (scale < 0) {
        v = TNum::Ratio(mantissa, kPowersOfTen[-scale]);
      } else {
        SetWide(v, TWide(mantissa) * kPowersOfTen[scale], 1);
      }
      EmitConst(std::move(v));
      return true;
    }
    mpz_class value(digits, 10);
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
    mpq_class q = scale < 0 ? mpq_class(value, power) : mpq_class(value * power);
    q.canonicalize();
    TNum v;
    const TExprError error = SettleBig(v, std::move(q));
    if (error != TExprError::None) {
      EmitFail(error);
    } else {
      EmitConst(std::move(v));
    }
    return true;
  }

  // More digits than are read exactly: the correctly rounded conversion.
  bool Rounded(const std::string& digits, int64_t point) {
    std::string text = "0." + digits + "1e" + std::to_string(point);
    TReal parsed = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec == std::errc::result_out_of_range) {
      parsed = point > 0 ? HUGE_VALL : 0.0L;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
      return false;
    }
    if (!std::isfinite(parsed)) {
      EmitFail(TExprError::FloatingPoint);
    } else {
      EmitConst(TNum::FromReal(parsed));
    }
    return true;
  }

  bool Hex() {
    ++pos_;
    if (AtVariable() || HexDigit(Peek()) < 0) return false;
    const size_t start = pos_;
    while (!AtVariable() && HexDigit(Peek()) >= 0) ++pos_;
    std::string digits(s_.data() + start, pos_ - start);
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.empty()) {
      EmitConst(TNum::Int(0));
    } else if (digits.size() > kHexDigitLimit) {
      EmitFail(TExprError::FloatingPoint);
    } else {
      TNum v;
      const TExprError error = SettleBig(v, mpq_class(mpz_class(digits, 16)));
      if (error != TExprError::None) {
        EmitFail(error);
      } else {
        EmitConst(std::move(v));
      }
    }
    return true;
  }

  std::string s_;
  std::vector<int> slots_;
  TExpression::TProgram& p_;
  size_t pos_ = 0;
};

TExprError Binary(TOpCode code, TNum& a, const TNum& b) {
  switch (code) {
    case TOpCode::Add:
      return AddSub(a, b, false);
    case TOpCode::Sub:
      return AddSub(a, b, true);
    case TOpCode::Mul:
      return Multiply(a, b);
    case TOpCode::Div:
      return Divide(a, b);
    default:
      return Power(a, b);
  }
}

TExprError Run(const TExpression::TProgram& p, std::span<const int32_t> slots, TNum& out) {
  if (p.ParseError != TExprError::None) return p.ParseError;
  // Reused between evaluations of this thread: no allocation per evaluation.
  thread_local std::vector<TNum> stack;
  stack.clear();
  for (const TOp& op : p.Ops) {
    switch (op.Code) {
      case TOpCode::Const:
        stack.push_back(p.Consts[size_t(op.Arg)].Copy());
        break;
      case TOpCode::Var:
        stack.push_back(TNum::Int(size_t(op.Arg) < slots.size() ? slots[size_t(op.Arg)] : 0));
        break;
      case TOpCode::Fail:
        return TExprError(op.Arg);
      case TOpCode::Func: {
        const TExprError error = Apply(TFunc(op.Arg), stack.back());
        if (error != TExprError::None) return error;
        break;
      }
      default: {
        const TNum b = std::move(stack.back());
        stack.pop_back();
        const TExprError error = Binary(op.Code, stack.back(), b);
        if (error != TExprError::None) return error;
        break;
      }
    }
  }
  out = std::move(stack.back());
  stack.clear();
  return TExprError::None;
}

}  // namespace

std::string ExprErrorText(TExprError error) {
  switch (error) {
    case TExprError::None:
      return "";
    case TExprError::Brackets:
      return Tr("Не хватает скобочки");
    case TExprError::Syntax:
      return Tr("Синтаксическая ошибка");
    case TExprError::DivisionByZero:
      return Tr("Деление на нуль");
    case TExprError::LogNegative:
      return Tr("Выражение под логарифмом меньне нуля");
    case TExprError::RootNegative:
      return Tr("Выражение под корнем меньне нуля");
    case TExprError::FloatingPoint:
      return Tr("Ошибка в операции с плавающей точкой");
  }
  return "";
}

TExpression::TExpression(std::string_view text, std::span<const TExprVariable> variables)
    : program_(std::make_unique<TProgram>()) {
  std::vector<int> at(text.size() + 1, -1);
  for (const TExprVariable& v : variables) {
    if (v.Offset < text.size() && v.Length > 0) at[v.Offset] = v.Slot;
  }
  std::string cleaned;
  std::vector<int> slots;
  cleaned.reserve(text.size());
  slots.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (at[i] >= 0) {
      // One marker character stands for the whole variable.
      cleaned += '#';
      slots.push_back(at[i]);
      for (const TExprVariable& v : variables) {
        if (v.Offset == i && v.Length > 0) {
          i += v.Length - 1;
          break;
        }
      }
      continue;
    }
    const char c = text[i];
    if (static_cast<unsigned char>(c) < '!') continue;
    cleaned += c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
    slots.push_back(-1);
  }
  program_->ParseError = TCompiler(std::move(cleaned), std::move(slots), *program_).Run();
  if (program_->ParseError != TExprError::None) {
    program_->Ops.clear();
    program_->Consts.clear();
  }
}

TExpression::TExpression(TExpression&&) noexcept = default;
TExpression& TExpression::operator=(TExpression&&) noexcept = default;
TExpression::~TExpression() = default;

TExprError TExpression::ParseError() const {
  return program_->ParseError;
}

TExprError TExpression::Evaluate(std::span<const int32_t> slots, long double& value) const {
  TNum v;
  const TExprError error = Run(*program_, slots, v);
  if (error == TExprError::None) value = v.ToReal();
  return error;
}

TExprError TExpression::FractionDigits(std::span<const int32_t> slots, int digits,
                                       int32_t& value) const {
  TNum v;
  const TExprError error = Run(*program_, slots, v);
  if (error != TExprError::None) return error;
  if (digits < 0) digits = 0;
  if (digits > 9) digits = 9;
  const int64_t scale = kPowersOfTen[digits];
  switch (v.Kind) {
    case TNum::TKind::Small: {
      const uint64_t whole = v.Num < 0 ? uint64_t(-v.Num) : uint64_t(v.Num);
      const uint64_t rest = whole % uint64_t(v.Den);
      value = int32_t(TUWide(rest) * uint64_t(scale) / uint64_t(v.Den));
      break;
    }
    case TNum::TKind::Big: {
      mpz_class rest = abs(v.Big->get_num());
      mpz_tdiv_r(rest.get_mpz_t(), rest.get_mpz_t(), v.Big->get_den_mpz_t());
      rest *= static_cast<long>(scale);
      mpz_tdiv_q(rest.get_mpz_t(), rest.get_mpz_t(), v.Big->get_den_mpz_t());
      value = int32_t(rest.get_si());
      break;
    }
    case TNum::TKind::Real: {
      const TReal whole = std::fabs(v.Real);
      const TReal fraction = whole - std::trunc(whole);
      // 0 <= fraction < 1, so the product stays below 10^digits.
      value = static_cast<int32_t>(std::trunc(fraction * TReal(scale)));
      if (value >= scale) value = int32_t(scale - 1);
      break;
    }
  }
  return TExprError::None;
}

TExprError TryEvaluateExpression(std::string_view text, long double& value) {
  return TExpression(text).Evaluate({}, value);
}

long double EvaluateExpression(std::string_view text) {
  long double value = 0;
  const TExprError error = TryEvaluateExpression(text, value);
  if (error != TExprError::None) throw EVetrilo(ExprErrorText(error));
  return value;
}

}  // namespace vetrilo
