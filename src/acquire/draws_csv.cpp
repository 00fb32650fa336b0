#include "acquire/draws_csv.h"

#include <unordered_set>

#include "core/cp1251.h"
#include "core/text.h"

namespace vetrilo {
namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string CsvDate(std::string_view date) {
  std::string out = "\"";
  for (char c : date) {
    if (c == '\r' || c == '\n') {
      out += ' ';
    } else {
      if (c == '"') out += '"';
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::string DrawsCsvText(const TDrawsArray& draws) {
  std::string out;
  out.reserve(draws.size() * 40);
  for (const TDrawRec& d : draws) {
    out += std::to_string(d.Number);
    out += ';';
    out += CsvDate(Utf8ToCp1251(d.Date));
    for (uint8_t b : d.Balls) out += ';' + std::to_string(b);
    out += ';' + std::to_string(d.Extra);
    out += "\r\n";
  }
  return out;
}

std::vector<std::string> SplitDrawCsvLine(std::string_view line) {
  std::vector<std::string> fields;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n && IsBlank(line[i])) ++i;
  while (i < n) {
    std::string field;
    if (line[i] == '"') {
      ++i;
      while (i < n) {
        if (line[i] == '"') {
          if (i + 1 < n && line[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
    } else {
      const size_t start = i;
      while (i < n && !IsBlank(line[i]) && line[i] != ';') ++i;
      field.assign(line.substr(start, i - start));
    }
    fields.push_back(std::move(field));
    while (i < n && IsBlank(line[i])) ++i;
    if (i < n && line[i] == ';') {
      if (i + 1 == n) fields.emplace_back();
      ++i;
      while (i < n && IsBlank(line[i])) ++i;
    }
  }
  return fields;
}

int ImportDrawsCsv(std::string_view bytes, TDrawArchive& archive) {
  bool utf8 = false;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
    utf8 = true;
  }
  std::unordered_set<int32_t> stored;
  for (const TDrawRec& d : archive.Draws) stored.insert(d.Number);
  int added = 0;
  for (const std::string& line : SplitLines(bytes)) {
    if (Trim(line).empty()) continue;
    const std::vector<std::string> f = SplitDrawCsvLine(line);
    if (f.size() != 6 && f.size() != 7) continue;
    const size_t first = f.size() - 6;  // index of the date
    TDrawRec d;
    // Past the largest number the next one wraps below 1 and is skipped.
    d.Number = f.size() == 7 ? StrToIntDef(f[0], 0)
               : archive.Draws.empty()
                   ? 1
                   : static_cast<int32_t>(int64_t{archive.Draws.back().Number} + 1);
    if (d.Number <= 0 || stored.count(d.Number)) continue;
    const std::string& date = f[first];
    d.Date = utf8 ? date.substr(0, Utf8PrefixBytes(date, 10))
                  : Cp1251ToUtf8(std::string_view(date).substr(0, 10));
    for (size_t b = 0; b < 4; ++b) {
      d.Balls[b] = static_cast<uint8_t>(StrToIntDef(f[first + 1 + b], 0));
    }
    d.Extra = static_cast<uint8_t>(StrToIntDef(f[first + 5], 0));
    stored.insert(d.Number);
    archive.Draws.push_back(std::move(d));
    ++added;
  }
  return added;
}

}  // namespace vetrilo
