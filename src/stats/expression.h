#pragma once

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

// Evaluates without throwing (the statistics evaluate it for every combination).
// On success `value` is finite.
TExprError TryEvaluateExpression(std::string_view text, long double& value);

// Throws EVetrilo with the message on failure.
long double EvaluateExpression(std::string_view text);

}  // namespace vetrilo
