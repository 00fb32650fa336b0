#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace vetrilo {

// Arithmetic expressions of the shredding formulas. Case is ignored and every
// character below "!" is dropped before parsing. Grammar:
//   text    := ["+" | "-"] term {("+" | "-") term}     a leading sign reads as 0 + / 0 -
//   inner   := term {("+" | "-") term}                  inside parentheses: no sign
//   term    := factor {("*" | "/" | "^") factor}        one level, left to right
//   factor  := number | "$" hexdigits | "PI" | "E" | "(" inner ")" | function "(" inner ")"
//   number  := digits ["." digits] ["E" ["+" | "-"] digits]   (a dot may open or close it)
// Functions: ARCTAN COS SIN TAN ABS EXP LN LOG SQRT SQR INT FRAC TRUNC ROUND
// ARCSIN ARCCOS SIGN NOT. Unbalanced parentheses are reported before syntax
// errors, syntax errors before evaluation errors.
//
// Values are exact rationals as long as the operations allow: numbers, + - * /,
// integral powers, ABS, SQR, INT, TRUNC, FRAC, ROUND, SIGN and NOT keep them
// exact, so decimal results keep their decimal digits. PI, E, the other
// functions and non-integral powers give long double, and a value made from an
// inexact one stays inexact. Every value must lie within the range of long double.
enum class TExprError {
  None,
  Brackets,        // "Не хватает скобочки"
  Syntax,          // "Синтаксическая ошибка"
  DivisionByZero,  // "Деление на нуль"
  LogNegative,     // "Выражение под логарифмом меньне нуля"
  RootNegative,    // "Выражение под корнем меньне нуля"
  FloatingPoint,   // "Ошибка в операции с плавающей точкой"
};

// The program's message for an error; empty for None.
std::string ExprErrorText(TExprError error);

// Deeper nesting of parentheses and function calls is a syntax error; it keeps
// the recursion of the parser bounded whatever the text.
constexpr int kMaxExprNesting = 100;

// A stretch of the text that stands for a whole number given at evaluation:
// `Length` characters at `Offset` read as the value of slot `Slot`. The caller
// makes sure a number written there would be read as one number token of its own.
struct TExprVariable {
  size_t Offset = 0;
  size_t Length = 0;
  int Slot = 0;
};

// An expression parsed once and evaluated any number of times. Evaluation never
// throws; instances may be evaluated from several threads at once.
class TExpression {
 public:
  struct TProgram;  // the parsed form, private to the evaluator

  explicit TExpression(std::string_view text, std::span<const TExprVariable> variables = {});
  TExpression(TExpression&&) noexcept;
  TExpression& operator=(TExpression&&) noexcept;
  ~TExpression();

  // Brackets or Syntax when the text itself is wrong (every evaluation gives it).
  TExprError ParseError() const;
  // With `slots` holding the value of every slot the variables name. On success
  // `value` is finite (the exact value correctly rounded).
  TExprError Evaluate(std::span<const int32_t> slots, long double& value) const;
  // The first `digits` (0..9) decimals of the fractional part of the absolute
  // value, read as an integer: exact for exact values.
  TExprError FractionDigits(std::span<const int32_t> slots, int digits, int32_t& value) const;

 private:
  std::unique_ptr<TProgram> program_;
};

// Evaluates without throwing. On success `value` is finite.
TExprError TryEvaluateExpression(std::string_view text, long double& value);

// Throws EVetrilo with the message on failure.
long double EvaluateExpression(std::string_view text);

}  // namespace vetrilo
