#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/draw_archive.h"

namespace vetrilo {

// CSV draw files: one draw a line, fields joined by ";", code page 1251.

// Every draw in archive order: number;"date";b1;b2;b3;b4;extra with CR LF.
// A line break inside a date is written as a blank, so the line stays whole.
std::string DrawsCsvText(const TDrawsArray& draws);

// Fields of one line: split at ";" and at blanks outside double quotes; a
// quoted field runs to its closing quote ("" is one quote); a ";" at the very
// end adds an empty last field.
std::vector<std::string> SplitDrawCsvLine(std::string_view line);

// Appends the draws of a CSV file (its bytes) to the archive; returns how many.
// Lines of 6 fields number their draw after the newest stored one, lines of 7
// carry the number; other lines, numbers up to 0 and numbers already stored
// are skipped. A UTF-8 byte-order mark makes the file UTF-8.
int ImportDrawsCsv(std::string_view bytes, TDrawArchive& archive);

}  // namespace vetrilo
