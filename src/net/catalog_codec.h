#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vetrilo {

// The catalogue server's conventions, shared by the clients and the server.

// C-style escapes of a form field: bytes 0..6 as "\0".."\6", BEL..CR and ESC as
// "\a" "\b" "\t" "\n" "\v" "\f" "\r" "\e", and \" \' \? \\; the rest unchanged.
std::string EscapeText(std::string_view text);
// The inverse; an unknown or dangling escape keeps its characters as they are.
std::string UnescapeText(std::string_view text);

// Standard alphabet with "=" padding.
std::string Base64Encode(std::string_view bytes);
// Blanks and line breaks are skipped; nullopt for any other foreign character
// or a length that is not whole.
std::optional<std::string> Base64Decode(std::string_view text);

// "a=1&b=2" with every name and value percent-encoded (bytes as they are, so
// UTF-8 text travels as UTF-8); an "&" or "=" in a value cannot add a field.
using TFormFields = std::vector<std::pair<std::string, std::string>>;
std::string EncodeForm(const TFormFields& fields);

// "&", "<" and ">" of a reply's plain text elements, so a value cannot close
// its element or open another; the client reverses it.
std::string XmlEscape(std::string_view text);
std::string XmlUnescape(std::string_view text);

// One "<row>" of a reply: its elements in order, names in lower case.
struct TCatalogRow {
  std::vector<std::pair<std::string, std::string>> Fields;
  bool Has(std::string_view name) const;
  // The raw value of the first element of that name ("" when absent).
  std::string Value(std::string_view name) const;
  // The same with the entity escapes undone.
  std::string Text(std::string_view name) const;
};

// The rows between "<result>" and "</result>". `hasResult` tells whether the
// reply had a "<result>" at all (nullptr: none is an error). Tags match
// ignoring letter case. Throws EVetrilo for a malformed reply (a missing end
// tag) and for a row with an "<error>" element (its text is the message).
std::vector<TCatalogRow> ParseCatalogReply(std::string_view reply, bool* hasResult = nullptr);

}  // namespace vetrilo
