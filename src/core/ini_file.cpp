#include "core/ini_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/text.h"

namespace vetrilo {

std::optional<int64_t> ParseIniInteger(std::string_view text) {
  const std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  size_t i = 0;
  bool negative = false;
  if (t[i] == '+' || t[i] == '-') {
    negative = t[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return std::nullopt;
  uint64_t value = 0;
  for (; i < t.size(); ++i) {
    int digit;
    const char c = t[i];
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * base + digit;
    if (value > (uint64_t{1} << 62)) return std::nullopt;
  }
  const int64_t v = static_cast<int64_t>(value);
  return negative ? -v : v;
}

std::optional<long double> ParseIniFloat(std::string_view text) {
  std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  for (char& c : t) {
    if (c == ',') c = '.';
  }
  // Only plain decimal numbers with an optional exponent; no hex, inf or nan.
  for (char c : t) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E')) {
      return std::nullopt;
    }
  }
  errno = 0;
  char* end = nullptr;
  const long double v = std::strtold(t.c_str(), &end);
  if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::string FloatToIniText(long double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15Lg", value);
  return buf;
}

TIniData TIniData::Parse(std::string_view text) {
  TIniData data;
  data.sections_.push_back({});
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed[0] == '[') {
      const size_t close = trimmed.find(']');
      TSection section;
      section.Name =
          Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      section.HasHeader = true;
      data.sections_.push_back(std::move(section));
      continue;
    }
    TLine entry;
    const size_t eq = line.find('=');
    if (!trimmed.empty() && trimmed[0] != ';' && eq != std::string_view::npos &&
        !Trim(line.substr(0, eq)).empty()) {
      entry.Key = Trim(line.substr(0, eq));
      entry.Value = Trim(line.substr(eq + 1));
      // A value written in double quotes reads without them, as Windows does.
      if (entry.Value.size() >= 2 && entry.Value.front() == '"' && entry.Value.back() == '"') {
        entry.Value = entry.Value.substr(1, entry.Value.size() - 2);
      }
    } else {
      entry.Raw = std::string(line);
    }
    data.sections_.back().Lines.push_back(std::move(entry));
  }
  return data;
}

std::string TIniData::Text() const {
  std::string out;
  for (const TSection& section : sections_) {
    if (section.HasHeader) out += "[" + section.Name + "]\r\n";
    for (const TLine& line : section.Lines) {
      out += line.Key.empty() ? line.Raw : line.Key + "=" + line.Value;
      out += "\r\n";
    }
  }
  return out;
}

TIniData::TSection* TIniData::FindSection(std::string_view name) {
  for (TSection& s : sections_) {
    if (s.HasHeader && SameTextIgnoringCase(s.Name, name)) return &s;
  }
  return nullptr;
}

const TIniData::TSection* TIniData::FindSection(std::string_view name) const {
  return const_cast<TIniData*>(this)->FindSection(name);
}

std::optional<std::string> TIniData::Value(std::string_view section, std::string_view key) const {
  const TSection* s = FindSection(section);
  if (!s) return std::nullopt;
  for (const TLine& line : s->Lines) {
    if (!line.Key.empty() && SameTextIgnoringCase(line.Key, key)) return line.Value;
  }
  return std::nullopt;
}

std::string TIniData::ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const {
  auto v = Value(section, key);
  return v ? *v : std::string(def);
}

int64_t TIniData::ReadInteger(std::string_view section, std::string_view key, int64_t def) const {
  auto v = Value(section, key);
  if (!v) return def;
  auto n = ParseIniInteger(*v);
  return n ? *n : def;
}

bool TIniData::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

long double TIniData::ReadFloat(std::string_view section, std::string_view key,
                                long double def) const {
  auto v = Value(section, key);
  if (!v) return def;
  auto f = ParseIniFloat(*v);
  return f ? *f : def;
}

bool TIniData::SectionExists(std::string_view section) const {
  return FindSection(section) != nullptr;
}

std::vector<std::string> TIniData::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  if (const TSection* s = FindSection(section)) {
    for (const TLine& line : s->Lines) {
      if (!line.Key.empty()) keys.push_back(line.Key);
    }
  }
  return keys;
}

void TIniData::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  TSection* s = FindSection(section);
  if (!s) {
    TSection fresh;
    fresh.Name = std::string(section);
    fresh.HasHeader = true;
    sections_.push_back(std::move(fresh));
    s = &sections_.back();
  }
  // Line breaks would split the entry; a settings value is one line.
  std::string clean(value);
  for (char& c : clean) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  for (TLine& line : s->Lines) {
    if (!line.Key.empty() && SameTextIgnoringCase(line.Key, key)) {
      line.Value = clean;
      return;
    }
  }
  // New keys go after the last key, before trailing blank lines.
  size_t at = s->Lines.size();
  while (at > 0 && s->Lines[at - 1].Key.empty() && Trim(s->Lines[at - 1].Raw).empty()) --at;
  s->Lines.insert(s->Lines.begin() + static_cast<ptrdiff_t>(at),
                  TLine{std::string(key), clean, {}});
}

void TIniData::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniData::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniData::WriteFloat(std::string_view section, std::string_view key, long double value) {
  WriteString(section, key, FloatToIniText(value));
}

void TIniData::DeleteKey(std::string_view section, std::string_view key) {
  if (TSection* s = FindSection(section)) {
    std::erase_if(s->Lines, [&](const TLine& l) {
      return !l.Key.empty() && SameTextIgnoringCase(l.Key, key);
    });
  }
}

void TIniData::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const TSection& s) {
    return s.HasHeader && SameTextIgnoringCase(s.Name, section);
  });
}

TIniData TIniFile::Load() const {
  if (unreadable_) return TIniData::Parse("");
  struct stat st;
  if (::stat(path_.c_str(), &st) != 0 && errno == ENOENT) return TIniData::Parse("");
  return TIniData::Parse(Cp1251ToUtf8(ReadFileBytes(path_, kSettingsReadLimit)));
}

void TIniFile::Save(const TIniData& data) const {
  if (unreadable_) return;
  // The proxy password and the catalogue key (the user's credential there).
  const bool secret = !data.ReadString("PROXY", "ProxyPassword", "").empty() ||
                      !data.ReadString("CATALOG", "Key", "").empty();
  SaveFileAtomic(path_, Utf8ToCp1251(data.Text()), secret ? kPrivateFileMode : kNewFileMode);
}

void TIniFile::Update(const std::function<void(TIniData&)>& edit) const {
  if (unreadable_) return;
  TIniData data = Load();
  edit(data);
  Save(data);
}

void TIniFile::WriteString(std::string_view section, std::string_view key,
                           std::string_view value) const {
  Update([&](TIniData& d) { d.WriteString(section, key, value); });
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int64_t value) const {
  Update([&](TIniData& d) { d.WriteInteger(section, key, value); });
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) const {
  Update([&](TIniData& d) { d.WriteBool(section, key, value); });
}

void TIniFile::EraseSection(std::string_view section) const {
  Update([&](TIniData& d) { d.EraseSection(section); });
}

}  // namespace vetrilo
