#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vetrilo {

// One argument of Format: an integer, a real or a text.
class TFmtArg {
 public:
  enum class TKind { Int, Real, Text };

  TFmtArg(int v) : kind_(TKind::Int), int_(v) {}
  TFmtArg(long v) : kind_(TKind::Int), int_(v) {}
  TFmtArg(long long v) : kind_(TKind::Int), int_(v) {}
  TFmtArg(unsigned v) : kind_(TKind::Int), int_(v) {}
  TFmtArg(unsigned long v) : kind_(TKind::Int), int_(static_cast<int64_t>(v)) {}
  TFmtArg(unsigned long long v) : kind_(TKind::Int), int_(static_cast<int64_t>(v)) {}
  TFmtArg(double v) : kind_(TKind::Real), real_(v) {}
  TFmtArg(long double v) : kind_(TKind::Real), real_(v) {}
  TFmtArg(const char* v) : kind_(TKind::Text), text_(v) {}
  TFmtArg(std::string_view v) : kind_(TKind::Text), text_(v) {}
  TFmtArg(const std::string& v) : kind_(TKind::Text), text_(v) {}

  TKind Kind() const { return kind_; }
  int64_t Int() const { return int_; }
  long double Real() const { return real_; }
  std::string_view Text() const { return text_; }

 private:
  TKind kind_;
  int64_t int_ = 0;
  long double real_ = 0;
  std::string_view text_;
};

// Delphi-compatible Format: "%" [index ":"] ["-"] [width] ["." precision] type,
// types d u e f g n m p s x (any case), "*" for index, width or precision, "%%".
// Reals print with "." as in C's printf. A bad specifier or an argument of the
// wrong kind throws EVetrilo.
std::string Format(std::string_view format, std::initializer_list<TFmtArg> args);

}  // namespace vetrilo
