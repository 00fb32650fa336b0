#include "net/catalog_codec.h"

#include <cctype>
#include <cstdint>

#include "core/errors.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

char Lower(char c) {
  return char(std::tolower(static_cast<unsigned char>(c)));
}

// Position of `what` in `text` from `from`, ignoring ASCII letter case.
size_t FindNoCase(std::string_view text, std::string_view what, size_t from) {
  if (what.empty() || text.size() < what.size()) return std::string_view::npos;
  for (size_t i = from; i + what.size() <= text.size(); ++i) {
    size_t k = 0;
    while (k < what.size() && Lower(text[i + k]) == Lower(what[k])) ++k;
    if (k == what.size()) return i;
  }
  return std::string_view::npos;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

[[noreturn]] void Malformed() {
  throw EVetrilo(Tr("Неверный формат ответа сервера"));
}

TCatalogRow ParseRow(std::string_view body) {
  TCatalogRow row;
  size_t i = 0;
  for (;;) {
    while (i < body.size() && body[i] != '<') ++i;
    if (i >= body.size()) break;
    const size_t close = body.find('>', i);
    if (close == std::string_view::npos) Malformed();
    std::string name;
    for (size_t k = i + 1; k < close; ++k) name += Lower(body[k]);
    if (name.empty() || name[0] == '/') Malformed();
    const std::string endTag = "</" + name + ">";
    const size_t end = FindNoCase(body, endTag, close + 1);
    if (end == std::string_view::npos) Malformed();
    row.Fields.emplace_back(name, std::string(body.substr(close + 1, end - close - 1)));
    i = end + endTag.size();
  }
  return row;
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 6) {
      out += '\\';
      out += char('0' + b);
      continue;
    }
    switch (b) {
      case 7:
        out += "\\a";
        break;
      case 8:
        out += "\\b";
        break;
      case 9:
        out += "\\t";
        break;
      case 10:
        out += "\\n";
        break;
      case 11:
        out += "\\v";
        break;
      case 12:
        out += "\\f";
        break;
      case 13:
        out += "\\r";
        break;
      case 27:
        out += "\\e";
        break;
      case '"':
      case '\'':
      case '?':
      case '\\':
        out += '\\';
        out += c;
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string UnescapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char e = text[i + 1];
    char c = 0;
    if (e >= '0' && e <= '6') {
      c = char(e - '0');
    } else {
      switch (e) {
        case 'a':
          c = 7;
          break;
        case 'b':
          c = 8;
          break;
        case 't':
          c = 9;
          break;
        case 'n':
          c = 10;
          break;
        case 'v':
          c = 11;
          break;
        case 'f':
          c = 12;
          break;
        case 'r':
          c = 13;
          break;
        case 'e':
          c = 27;
          break;
        case '"':
        case '\'':
        case '?':
        case '\\':
          c = e;
          break;
        default:
          out += text[i];
          continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}

std::string Base64Encode(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t v = uint32_t(uint8_t(bytes[i])) << 16 | uint32_t(uint8_t(bytes[i + 1])) << 8 |
                       uint8_t(bytes[i + 2]);
    out += kBase64[v >> 18];
    out += kBase64[(v >> 12) & 63];
    out += kBase64[(v >> 6) & 63];
    out += kBase64[v & 63];
  }
  if (i < bytes.size()) {
    uint32_t v = uint32_t(uint8_t(bytes[i])) << 16;
    if (i + 1 < bytes.size()) v |= uint32_t(uint8_t(bytes[i + 1])) << 8;
    out += kBase64[v >> 18];
    out += kBase64[(v >> 12) & 63];
    out += i + 1 < bytes.size() ? kBase64[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::optional<std::string> Base64Decode(std::string_view text) {
  std::string out;
  uint32_t acc = 0;
  int bits = 0;
  int pad = 0;
  size_t symbols = 0;
  for (const char c : text) {
    if (IsBlank(c)) continue;
    if (c == '=') {
      ++pad;
      ++symbols;
      continue;
    }
    const size_t v = kBase64.find(c);
    if (v == std::string_view::npos || pad > 0) return std::nullopt;
    ++symbols;
    acc = (acc << 6) | uint32_t(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out += char((acc >> bits) & 0xFF);
    }
  }
  if (symbols % 4 != 0 || pad > 2) return std::nullopt;
  return out;
}

std::string EncodeForm(const TFormFields& fields) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  auto encode = [](std::string& out, std::string_view s) {
    for (const char c : s) {
      const auto b = static_cast<unsigned char>(c);
      if (std::isalnum(b) || c == '-' || c == '_' || c == '.' || c == '~') {
        out += c;
      } else {
        out += '%';
        out += kHex[b >> 4];
        out += kHex[b & 15];
      }
    }
  };
  std::string out;
  for (const auto& [name, value] : fields) {
    if (!out.empty()) out += '&';
    encode(out, name);
    out += '=';
    encode(out, value);
  }
  return out;
}

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string XmlUnescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      const std::string_view rest = text.substr(i);
      if (rest.starts_with("&amp;")) {
        out += '&';
        i += 4;
        continue;
      }
      if (rest.starts_with("&lt;")) {
        out += '<';
        i += 3;
        continue;
      }
      if (rest.starts_with("&gt;")) {
        out += '>';
        i += 3;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

bool TCatalogRow::Has(std::string_view name) const {
  for (const auto& f : Fields) {
    if (f.first == name) return true;
  }
  return false;
}

std::string TCatalogRow::Value(std::string_view name) const {
  for (const auto& f : Fields) {
    if (f.first == name) return f.second;
  }
  return {};
}

std::string TCatalogRow::Text(std::string_view name) const {
  return XmlUnescape(Value(name));
}

std::vector<TCatalogRow> ParseCatalogReply(std::string_view reply, bool* hasResult) {
  const size_t open = FindNoCase(reply, "<result>", 0);
  if (open == std::string_view::npos) {
    if (!hasResult) Malformed();
    *hasResult = false;
    return {};
  }
  if (hasResult) *hasResult = true;
  const size_t from = open + 8;
  const size_t close = FindNoCase(reply, "</result>", from);
  if (close == std::string_view::npos) Malformed();
  const std::string_view body = reply.substr(from, close - from);
  std::vector<TCatalogRow> rows;
  size_t i = 0;
  for (;;) {
    const size_t rowOpen = FindNoCase(body, "<row>", i);
    if (rowOpen == std::string_view::npos) break;
    const size_t rowClose = FindNoCase(body, "</row>", rowOpen + 5);
    if (rowClose == std::string_view::npos) Malformed();
    TCatalogRow row = ParseRow(body.substr(rowOpen + 5, rowClose - rowOpen - 5));
    if (row.Has("error")) {
      const std::string text = row.Text("error");
      throw EVetrilo(text.empty() ? Tr("Сервер отказал в выполнении запроса") : text);
    }
    rows.push_back(std::move(row));
    i = rowClose + 6;
  }
  return rows;
}

}  // namespace vetrilo
