#pragma once

#include <string>
#include <string_view>

namespace vetrilo {

// Texts the user reads are keyed by their Russian original. The desktop installs
// the lookup of the active language module; without one (the command-line tool,
// the base language) the original is the text.
using TTranslator = std::string (*)(std::string_view russian);
void SetTranslator(TTranslator translator);
std::string Tr(std::string_view russian);

}  // namespace vetrilo
