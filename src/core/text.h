#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// Blanks and control characters (below "!") are trimmed, as Delphi's Trim does.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Delphi's StrToInt: optional sign, decimal digits or $hex; the whole text must match.
std::optional<int32_t> StrToIntStrict(std::string_view text);
// StrToIntDef of the trimmed text.
int32_t StrToIntDef(std::string_view text, int32_t def);

// Words separated by any of the separator characters; a run of separators
// counts as one and leading separators are skipped.
std::vector<std::string> SplitWords(std::string_view text, std::string_view separators);
// Plain split at every separator (empty pieces kept).
std::vector<std::string> SplitAll(std::string_view text, char separator);
// Lines of a text broken at CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
std::string AsciiUpper(std::string_view text);

// Message texts keep "\r" as their line break; screens and terminals want "\n".
std::string CrToLf(std::string_view text);

}  // namespace vetrilo
