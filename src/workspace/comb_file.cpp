#include "workspace/comb_file.h"

#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

void ParseCombFileText(std::string_view text, TCombsArray& out) {
  // The shortest line that holds a combination ("1;2;3;4") and its line end take 8 bytes.
  out.reserve(out.size() + text.size() / 8 + 1);
  size_t i = 0;
  while (i < text.size()) {
    size_t j = i;
    while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
    const std::string_view line = text.substr(i, j - i);
    if (j < text.size() && text[j] == '\r' && j + 1 < text.size() && text[j + 1] == '\n') ++j;
    i = j + 1;
    if (line.empty()) continue;
    const auto words = SplitWords(line, ",;");
    if (words.size() != 4) continue;
    TComb comb = 0;
    for (int k = 0; k < 4; ++k) {
      comb = SetCombByte(comb, k + 1, static_cast<uint8_t>(StrToIntDef(words[size_t(k)], 0)));
    }
    out.push_back(comb);
  }
}

std::string CombFileText(std::span<const TComb> combs) {
  std::string text;
  text.reserve(combs.size() * 13);
  for (const TComb comb : combs) {
    text += CombListText(comb);
    text += "\r\n";
  }
  return text;
}

int CountOddCombs(std::span<const TComb> combs) {
  int odd = 0;
  for (const TComb c : combs) {
    const uint8_t b[4] = {CombByte(c, 1), CombByte(c, 2), CombByte(c, 3), CombByte(c, 4)};
    bool bad = false;
    for (int i = 0; i < 4 && !bad; ++i) {
      bad = b[i] < 1 || b[i] > kMaxNumber;
      for (int j = 0; j < i && !bad; ++j) bad = b[i] == b[j];
    }
    odd += bad ? 1 : 0;
  }
  return odd;
}

std::string OddCombsWarning(const std::string& path, std::span<const TComb> combs) {
  const int odd = CountOddCombs(combs);
  if (odd == 0) return "";
  return Format(Tr("В файле \"%s\" комбинаций с недопустимыми числами (вне 1..%d или "
                   "повторы): %d. Они загружены как есть."),
                {path, kMaxNumber, odd});
}

void ReadCombFile(const std::string& path, TCombsArray& out) {
  const size_t before = out.size();
  ParseCombFileText(ReadFileBytes(path, kCombFileReadLimit), out);
  if (out.size() == before) {
    throw ENotCombFile("\"" + path + Tr("\": в файле нет ни одной комбинации"));
  }
}

void WriteCombFile(const std::string& path, std::span<const TComb> combs) {
  SaveFileAtomic(path, CombFileText(combs));
}

}  // namespace vetrilo
