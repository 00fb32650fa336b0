#include "services/text_catalog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "core/errors.h"
#include "core/file_io.h"

namespace vetrilo {

namespace {

bool HasCyrillic(std::string_view s) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if ((b == 0xD0 || b == 0xD1) && (static_cast<unsigned char>(s[i + 1]) & 0xC0) == 0x80) {
      return true;
    }
  }
  return false;
}

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

bool IsIdent(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

class TLexer {
 public:
  explicit TLexer(std::string_view s) : s_(s) {}

  std::vector<std::string> Literals() {
    std::vector<std::string> out;
    std::string joined;
    bool inJoin = false;
    while (i_ < s_.size()) {
      if (SkipComment()) continue;
      const char c = s_[i_];
      if (c == '"') {
        joined += IsRawStart() ? RawString() : String();
        inJoin = true;
        continue;
      }
      if (inJoin && !IsSpace(c) && !IsPrefixOfString()) {
        out.push_back(std::move(joined));
        joined.clear();
        inJoin = false;
      }
      if (c == '\'' && !(i_ > 0 && s_[i_ - 1] >= '0' && s_[i_ - 1] <= '9')) {
        CharLiteral();
        continue;
      }
      ++i_;
    }
    if (inJoin) out.push_back(std::move(joined));
    return out;
  }

 private:
  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

  // u8"..", u"..", L".." between joined literals.
  bool IsPrefixOfString() const {
    size_t j = i_;
    while (j < s_.size() && IsIdent(s_[j])) ++j;
    if (j >= s_.size() || s_[j] != '"') return false;
    const std::string_view p = s_.substr(i_, j - i_);
    return p == "u8" || p == "u" || p == "U" || p == "L" || p == "R" || p == "u8R" || p == "LR";
  }

  bool IsRawStart() const {
    return i_ > 0 && s_[i_ - 1] == 'R' &&
           (i_ < 2 || !IsIdent(s_[i_ - 2]) || s_[i_ - 2] == '8' || s_[i_ - 2] == 'L' ||
            s_[i_ - 2] == 'u');
  }

  bool SkipComment() {
    if (s_.compare(i_, 2, "//") == 0) {
      while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      return true;
    }
    if (s_.compare(i_, 2, "/*") == 0) {
      const size_t end = s_.find("*/", i_ + 2);
      i_ = end == std::string_view::npos ? s_.size() : end + 2;
      return true;
    }
    return false;
  }

  void CharLiteral() {
    ++i_;
    while (i_ < s_.size() && s_[i_] != '\'' && s_[i_] != '\n') i_ += s_[i_] == '\\' ? 2 : 1;
    ++i_;
  }

  std::string RawString() {
    const size_t open = s_.find('(', i_);
    if (open == std::string_view::npos) {
      i_ = s_.size();
      return {};
    }
    const std::string close = ")" + std::string(s_.substr(i_ + 1, open - i_ - 1)) + "\"";
    const size_t end = s_.find(close, open);
    const size_t stop = end == std::string_view::npos ? s_.size() : end;
    std::string text(s_.substr(open + 1, stop - open - 1));
    i_ = end == std::string_view::npos ? s_.size() : end + close.size();
    return text;
  }

  std::string String() {
    std::string text;
    ++i_;
    while (i_ < s_.size() && s_[i_] != '"' && s_[i_] != '\n') {
      const char c = s_[i_++];
      if (c != '\\' || i_ >= s_.size()) {
        text += c;
        continue;
      }
      const char e = s_[i_++];
      switch (e) {
        case 'n':
          text += '\n';
          break;
        case 'r':
          text += '\r';
          break;
        case 't':
          text += '\t';
          break;
        case 'a':
          text += '\a';
          break;
        case 'b':
          text += '\b';
          break;
        case 'f':
          text += '\f';
          break;
        case 'v':
          text += '\v';
          break;
        case 'x': {
          uint32_t v = 0;
          while (i_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[i_]))) {
            v = v * 16 + uint32_t(std::stoi(std::string(1, s_[i_++]), nullptr, 16));
          }
          text += char(v);
          break;
        }
        case 'u':
        case 'U': {
          const size_t n = e == 'u' ? 4 : 8;
          uint32_t v = uint32_t(std::stoul(std::string(s_.substr(i_, n)), nullptr, 16));
          i_ += n;
          AppendUtf8(text, v);
          break;
        }
        default:
          if (e >= '0' && e <= '7') {
            uint32_t v = uint32_t(e - '0');
            for (int k = 0; k < 2 && i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '7'; ++k) {
              v = v * 8 + uint32_t(s_[i_++] - '0');
            }
            text += char(v);
          } else {
            text += e;  // \\ \" \' \?
          }
      }
    }
    ++i_;
    return text;
  }

  std::string_view s_;
  size_t i_ = 0;
};

std::string XmlEscape(std::string_view s) {
  std::string out;
  for (char c : s) {
    const auto b = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        out += "&quot;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        if (b < 0x20 && c != '\n' && c != '\t') {
          static const char* kHex = "0123456789abcdef";
          out += "&#x";
          if (b >= 16) out += kHex[b >> 4];
          out += kHex[b & 15];
          out += ';';
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string XmlUnescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      out += s[i];
      continue;
    }
    const size_t semi = s.find(';', i);
    if (semi == std::string_view::npos) throw EVetrilo("bad entity in the catalogue");
    const std::string_view name = s.substr(i + 1, semi - i - 1);
    if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "amp")
      out += '&';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else if (!name.empty() && name[0] == '#') {
      const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
      AppendUtf8(
          out, uint32_t(std::stoul(std::string(name.substr(hex ? 2 : 1)), nullptr, hex ? 16 : 10)));
    } else {
      throw EVetrilo("bad entity in the catalogue: " + std::string(name));
    }
    i = semi;
  }
  return out;
}

// The text between <tag ...> and </tag> starting at pos; pos moves past it.
bool Element(std::string_view xml, std::string_view tag, size_t& pos, size_t limit,
             std::string& attrs, std::string& body) {
  const std::string open = "<" + std::string(tag);
  size_t start = xml.find(open, pos);
  while (start != std::string_view::npos && start < limit) {
    const char next = xml[start + open.size()];
    if (next == '>' || next == ' ' || next == '/') break;
    start = xml.find(open, start + 1);
  }
  if (start == std::string_view::npos || start >= limit) return false;
  const size_t headEnd = xml.find('>', start);
  if (headEnd == std::string_view::npos) throw EVetrilo("broken catalogue");
  attrs.assign(xml.substr(start + open.size(), headEnd - start - open.size()));
  if (!attrs.empty() && attrs.back() == '/') {
    body.clear();
    pos = headEnd + 1;
    return true;
  }
  const std::string close = "</" + std::string(tag) + ">";
  const size_t end = xml.find(close, headEnd);
  if (end == std::string_view::npos) throw EVetrilo("broken catalogue");
  body.assign(xml.substr(headEnd + 1, end - headEnd - 1));
  pos = end + close.size();
  return true;
}

}  // namespace

std::vector<std::string> ExtractInterfaceTexts(std::string_view source) {
  std::vector<std::string> texts;
  for (std::string& s : TLexer(source).Literals()) {
    if (HasCyrillic(s)) texts.push_back(std::move(s));
  }
  return texts;
}

std::vector<std::string> ReadDataFileList(const std::string& path) {
  std::vector<std::string> files;
  if (!FileExists(path)) return files;
  const std::string text = ReadFileBytes(path);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty() && line[0] != '#') files.push_back(line);
    pos = end + 1;
  }
  return files;
}

std::vector<std::string> ScanInterfaceTexts(const std::string& root,
                                            const std::vector<std::string>& dataFiles) {
  namespace fs = std::filesystem;
  std::vector<std::string> paths;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (!e.is_regular_file()) continue;
    const std::string ext = e.path().extension().string();
    if (ext != ".cpp" && ext != ".h") continue;
    const std::string rel = fs::relative(e.path(), root).generic_string();
    if (rel.rfind("cli/", 0) == 0) continue;
    if (std::find(dataFiles.begin(), dataFiles.end(), rel) != dataFiles.end()) continue;
    paths.push_back(e.path().string());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<std::string> texts;
  std::set<std::string> seen;
  for (const std::string& p : paths) {
    for (std::string& t : ExtractInterfaceTexts(ReadFileBytes(p))) {
      if (std::find(dataFiles.begin(), dataFiles.end(), "text:" + t) != dataFiles.end()) continue;
      if (seen.insert(t).second) texts.push_back(std::move(t));
    }
  }
  return texts;
}

TTextCatalog TTextCatalog::Parse(std::string_view xml) {
  TTextCatalog c;
  std::string attrs, body;
  size_t pos = 0;
  const auto attr = [](const std::string& a, std::string_view name) -> std::string {
    const std::string key = std::string(name) + "=\"";
    const size_t at = a.find(key);
    if (at == std::string::npos) return "";
    const size_t end = a.find('"', at + key.size());
    return a.substr(at + key.size(), end - at - key.size());
  };
  if (Element(xml, "TS", pos, xml.size(), attrs, body)) {
    if (const std::string l = attr(attrs, "language"); !l.empty()) c.Language = l;
  }
  pos = 0;
  std::string contextBody;
  if (!Element(xml, "context", pos, xml.size(), attrs, contextBody)) return c;
  size_t at = 0;
  std::string name;
  if (Element(contextBody, "name", at, contextBody.size(), attrs, name))
    c.Context = XmlUnescape(name);
  at = 0;
  std::string message;
  while (Element(contextBody, "message", at, contextBody.size(), attrs, message)) {
    TCatalogEntry e;
    size_t m = 0;
    std::string text;
    if (!Element(message, "source", m, message.size(), attrs, text)) continue;
    e.Source = XmlUnescape(text);
    m = 0;
    if (Element(message, "translation", m, message.size(), attrs, text)) {
      e.Translation = XmlUnescape(text);
      const std::string type = attr(attrs, "type");
      e.Finished = type.empty() && !e.Translation.empty();
    }
    c.Entries.push_back(std::move(e));
  }
  c.Reindex();
  return c;
}

TTextCatalog TTextCatalog::Load(const std::string& path) {
  return Parse(FileExists(path) ? ReadFileBytes(path) : std::string());
}

std::string TTextCatalog::ToXml() const {
  std::string x = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n";
  x += "<TS version=\"2.1\" language=\"" + Language + "\" sourcelanguage=\"ru_RU\">\n";
  x += "<context>\n    <name>" + XmlEscape(Context) + "</name>\n";
  for (const TCatalogEntry& e : Entries) {
    x += "    <message>\n        <source>" + XmlEscape(e.Source) + "</source>\n";
    x += e.Finished ? "        <translation>" : "        <translation type=\"unfinished\">";
    x += XmlEscape(e.Translation) + "</translation>\n    </message>\n";
  }
  x += "</context>\n</TS>\n";
  return x;
}

void TTextCatalog::Save(const std::string& path) const {
  SaveFileAtomic(path, ToXml());
}

const TCatalogEntry* TTextCatalog::Find(std::string_view source) const {
  auto it = index_.find(source);
  return it == index_.end() ? nullptr : &Entries[it->second];
}

int TTextCatalog::Add(const std::vector<std::string>& texts) {
  int added = 0;
  for (const std::string& t : texts) {
    if (Find(t)) continue;
    Entries.push_back({t, "", false});
    index_.emplace(t, Entries.size() - 1);
    ++added;
  }
  return added;
}

void TTextCatalog::Reindex() {
  index_.clear();
  for (size_t i = 0; i < Entries.size(); ++i) index_.emplace(Entries[i].Source, i);
}

std::vector<std::string> FormatSpecifiers(std::string_view text) {
  constexpr std::string_view kTypes = "dsfxegnmpu%";
  std::vector<std::string> specs;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    size_t j = i + 1;
    const auto digits = [&] {
      while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
    };
    digits();
    const size_t afterIndex = j;
    if (j < text.size() && text[j] == ':') ++j;
    if (j < text.size() && text[j] == '-') ++j;
    digits();
    if (j < text.size() && text[j] == '.') {
      ++j;
      digits();
    }
    if (j < text.size() && kTypes.find(text[j]) != std::string_view::npos) {
      ++j;  // a Delphi placeholder
    } else {
      j = afterIndex;  // Qt's %1, or a lone "%"
    }
    specs.emplace_back(text.substr(i, j - i));
    i = j - 1;
  }
  return specs;
}

std::vector<std::string> MissingTexts(const std::vector<std::string>& texts,
                                      const TTextCatalog& catalog) {
  std::vector<std::string> missing;
  for (const std::string& t : texts) {
    const TCatalogEntry* e = catalog.Find(t);
    if (!e || !e->Finished) missing.push_back(t);
  }
  return missing;
}

}  // namespace vetrilo
