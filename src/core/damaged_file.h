#pragma once

#include <string>
#include <string_view>

namespace vetrilo {

// "<path>.bad": where a damaged data file is kept before it is rewritten.
std::string DamagedCopyPath(const std::string& path);

// Keeps what a damaged data file held as "<path>.bad" (replacing an older copy
// of that name) and returns that path. Throws EVetrilo with the system's text
// when the copy cannot be written; the file must then be left as it is.
std::string KeepDamagedCopy(const std::string& path, std::string_view bytes);

}  // namespace vetrilo
