#include "acquire/page_parser.h"

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

// Letter case of code page 1251: Latin and Cyrillic.
unsigned char Fold(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0) return static_cast<unsigned char>(c - 32);
  if (c == 0xB8) return 0xA8;  // ё
  if (c == 0xB3) return 0xB2;  // і
  if (c == 0xBF) return 0xAF;  // ї
  if (c == 0xBA) return 0xAA;  // є
  if (c == 0xA2) return 0xA1;  // ў
  if (c == 0xBC) return 0xA3;  // ј
  if (c == 0xBE) return 0xBD;  // ѕ
  if (c == 0x9A) return 0x8A;  // љ
  if (c == 0x9C) return 0x8C;  // њ
  if (c == 0x9D) return 0x8D;  // ќ
  if (c == 0x9E) return 0x8E;  // ћ
  if (c == 0x9F) return 0x8F;  // џ
  if (c == 0x90) return 0x80;  // ђ
  if (c == 0x83) return 0x81;  // ѓ
  return c;
}

size_t FindIgnoringCase(std::string_view text, std::string_view marker, size_t from) {
  if (marker.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (marker.size() > text.size()) return std::string_view::npos;
  const unsigned char first = Fold(static_cast<unsigned char>(marker[0]));
  for (size_t i = from; i + marker.size() <= text.size(); ++i) {
    if (Fold(static_cast<unsigned char>(text[i])) != first) continue;
    size_t k = 1;
    while (k < marker.size() && Fold(static_cast<unsigned char>(text[i + k])) ==
                                    Fold(static_cast<unsigned char>(marker[k]))) {
      ++k;
    }
    if (k == marker.size()) return i;
  }
  return std::string_view::npos;
}

std::string Dequote(std::string piece) {
  if (piece.size() < 2 || piece.front() != '"' || piece.back() != '"') return piece;
  const std::string inner = piece.substr(1, piece.size() - 2);
  std::string out;
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner[i] == '"' && (i == 0 || inner[i - 1] != '"')) continue;
    out += inner[i];
  }
  return out;
}

[[noreturn]] void ThrowMarkerError(std::string_view text, std::string_view start,
                                   std::string_view end) {
  // The page bytes are code page 1251; the message is UTF-8.
  const std::string quoted = Cp1251ToUtf8(text.substr(0, kMarkerErrorQuoteChars));
  throw EVetrilo(
      Format(Tr("Не удалось найти пару идентификаторов \"%1:s\" - \"%2:s\" в тексте\r\r[%0:s]!"),
             {quoted, Cp1251ToUtf8(start), Cp1251ToUtf8(end)}));
}

// Where the piece lies and where the text is consumed to; none when nothing is taken.
struct TSpan {
  size_t Begin = 0, End = 0, ConsumedTo = 0;
  bool Found = false;
};

TSpan Locate(std::string_view text, std::string_view start, std::string_view end, int mode) {
  TSpan s;
  const size_t a = FindIgnoringCase(text, start, 0);
  if (a == std::string_view::npos) return s;
  s.Begin = a + start.size();
  const size_t b = FindIgnoringCase(text, end, s.Begin);
  if (b == std::string_view::npos) {
    if (mode == 0) ThrowMarkerError(text, start, end);
    if (mode != 2) return s;
    s.End = s.ConsumedTo = text.size();
  } else {
    s.End = b;
    s.ConsumedTo = b + end.size();
  }
  s.Found = true;
  return s;
}

}  // namespace

std::string ExtractBetween(std::string_view text, std::string_view startMarker,
                           std::string_view endMarker, int mode) {
  const TSpan s = Locate(text, startMarker, endMarker, mode);
  if (!s.Found) return {};
  return Dequote(Trim(text.substr(s.Begin, s.End - s.Begin)));
}

std::string ExtractNext(std::string& text, std::string_view startMarker, std::string_view endMarker,
                        int mode) {
  const TSpan s = Locate(text, startMarker, endMarker, mode);
  if (!s.Found) return {};
  std::string piece = Dequote(Trim(std::string_view(text).substr(s.Begin, s.End - s.Begin)));
  text.erase(0, s.ConsumedTo);
  return piece;
}

std::string ResultsQuery(TDateKey first, TDateKey last) {
  return Format(
      "/site/winningNumberSearch?searchTypeIn=range&gameNameIn=VETRILO&singleDateIn=&fromDateIn="
      "%1:.2d%%2F%0:.2d%%2F%2:.4d&toDateIn=%4:.2d%%2F%3:.2d%%2F%5:.4d&n1In=&n2In=&n3In=&n4In=&"
      "n5In=&submitForm=Submit",
      {first % 100, first % 10000 / 100, first / 10000, last % 100, last % 10000 / 100,
       last / 10000});
}

std::string ResultsAddress(std::string_view site, TDateKey first, TDateKey last) {
  std::string base = Trim(site);
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + ResultsQuery(first, last);
}

TDrawsArray ParseResultsPage(std::string_view page, const TDrawArchive& archive) {
  const std::string section = ExtractBetween(page, "<section class=\"winningNumbersResults\">",
                                             "<footer id=\"footerMain\">", 0);
  const std::string body = ExtractBetween(section, "</thead><tbody>", "</tbody></table>", 0);
  // Date texts of the newest stored draws, as the page would write them.
  std::vector<std::string> recent;
  for (int i = archive.High(); i >= 0 && i > archive.High() - 4; --i) {
    recent.push_back(Utf8ToCp1251(archive.Draws[static_cast<size_t>(i)].Date));
  }
  const int32_t newest = archive.Count() > 0 ? archive.Draws.back().Number : 0;
  TDrawsArray draws;
  // Rows are taken from a moving position: a large page is read once, not
  // shifted down after every row.
  size_t pos = 0;
  for (;;) {
    const std::string_view rest = std::string_view(body).substr(pos);
    const TSpan span = Locate(rest, "<tr", "</tr>", 0);
    if (!span.Found) break;
    std::string row = Dequote(Trim(rest.substr(span.Begin, span.End - span.Begin)));
    pos += span.ConsumedTo;
    if (row.empty()) break;
    const std::string date = ExtractNext(row, "<div>", "</div>", 0);
    const std::string numbers = ExtractNext(row, "<div>", "</div>", 0);
    bool known = false;
    for (const std::string& r : recent) {
      if (r.size() == date.size() && FindIgnoringCase(r, date, 0) == 0) known = true;
    }
    if (known) continue;
    if (numbers.empty() || numbers == "-") continue;
    const std::vector<std::string> words = SplitWords(numbers, "-");
    if (words.size() != 4) continue;
    const std::vector<std::string> last =
        SplitWords(Trim(words[3]), std::string_view("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b"
                                                    "\x0c\x0d\x0e\x0f\x10\x11\x12\x13\x14\x15\x16"
                                                    "\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f \0",
                                                    33));
    TDrawRec d;
    for (size_t b = 0; b < 3; ++b) {
      d.Balls[b] = static_cast<uint8_t>(StrToIntDef(Trim(words[b]), 0));
    }
    d.Balls[3] = static_cast<uint8_t>(last.empty() ? 0 : StrToIntDef(last[0], 0));
    d.Extra = static_cast<uint8_t>(last.size() >= 3 ? StrToIntDef(last[2], 0) : 0);
    d.Number = static_cast<int32_t>(int64_t{newest} + static_cast<int64_t>(draws.size()) + 1);
    d.Date = Cp1251ToUtf8(std::string_view(date).substr(0, 10));
    draws.push_back(std::move(d));
  }
  return draws;
}

}  // namespace vetrilo
