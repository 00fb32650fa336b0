#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// One CSV field, quoted only when it holds a comma, a quote or a line break (RFC 4180).
std::string CsvField(std::string_view text);
// Fields joined by "," with a "\n" line end.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace vetrilo
