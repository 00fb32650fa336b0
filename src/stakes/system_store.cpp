#include "stakes/system_store.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "core/cp1251.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

constexpr std::string_view kLineSeparators = " *+,-./:;=\\_|~";

std::string NotFoundText(int count) {
  return Format(Tr("Система для %d чисел не найдена или не загружена на компьютер!"), {count});
}

// Format("%d-%.2d-*_*.dat", [4, n]) as the folder search matches it: the
// extension in any letter case, as files copied from elsewhere may have it.
bool MatchesSystemMask(std::string_view name, int n) {
  const std::string prefix = Format("%d-%.2d-", {4, n});
  if (name.size() < prefix.size() + 5 || name.substr(0, prefix.size()) != prefix) return false;
  if (!SameTextIgnoringCase(name.substr(name.size() - 4), ".dat")) return false;
  const std::string_view middle = name.substr(prefix.size(), name.size() - prefix.size() - 4);
  return middle.find('_') != std::string_view::npos;
}

}  // namespace

std::string SystemFileName(int nums, int olap, int id) {
  return Format("%d-%.2d-%d_%.4d.dat", {4, nums, olap, id});
}

std::vector<std::string> StoredSystemFiles(const std::string& systemsDir, int n) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(systemsDir, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (MatchesSystemMask(name, n)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsBuiltSystemFile(std::string_view name) {
  constexpr std::string_view kBuiltId = "_0000";
  return name.size() > kBuiltId.size() + 4 &&
         name.substr(name.size() - 4 - kBuiltId.size(), kBuiltId.size()) == kBuiltId &&
         SameTextIgnoringCase(name.substr(name.size() - 4), ".dat");
}

std::vector<uint8_t> CollectNumbers(std::span<const TComb> combs) {
  std::vector<uint8_t> numbers;
  std::array<bool, 256> seen{};
  for (const TComb comb : combs) {
    const TComb sorted = SortComb(comb);
    for (int i = 1; i <= 4; ++i) {
      const uint8_t n = CombByte(sorted, i);
      if (seen[n]) continue;
      seen[n] = true;
      numbers.push_back(n);
      if (numbers.size() >= size_t(kMaxNumber)) return numbers;
    }
  }
  return numbers;
}

ESystemNotFound::ESystemNotFound(int count) : EVetrilo(NotFoundText(count)) {}

std::string ESystemNotFound::ShownText() const {
  return Message() +
         Tr("\r\rПеред системной игрой необходимо предварительно загрузить системы на Ваш "
            "компьютер через меню \"Системы\" - \"Загрузить\".");
}

int ParseSystemLine(std::string_view line, int n, std::array<int, 4>& positions) {
  const std::vector<std::string> words = SplitWords(Trim(line), kLineSeparators);
  if (words.empty()) return 0;
  if (words.size() != 4) {
    throw EVetrilo(Format(Tr("в строке \"%s\" %d чисел вместо 4"),
                          {Cp1251ToUtf8(std::string(line)), int(words.size())}));
  }
  for (size_t i = 0; i < 4; ++i) {
    const auto value = StrToIntStrict(words[i]);
    if (!value || *value < 1 || *value > n) {
      throw EVetrilo(Format(Tr("в строке \"%s\" позиция \"%s\" вне диапазона 1..%d"),
                            {Cp1251ToUtf8(std::string(line)), Cp1251ToUtf8(words[i]), n}));
    }
    positions[i] = *value;
    if (std::find(positions.begin(), positions.begin() + i, *value) != positions.begin() + i) {
      throw EVetrilo(Format(Tr("в строке \"%s\" позиция %d повторяется"),
                            {Cp1251ToUtf8(std::string(line)), *value}));
    }
  }
  return 4;
}

TFoundSystem FindSystem(const std::string& systemsDir, std::span<const uint8_t> numbers) {
  const int n = int(numbers.size());
  const std::vector<std::string> names = StoredSystemFiles(systemsDir, n);
  if (names.empty()) throw ESystemNotFound(n);
  const std::string& name = names.front();
  TFoundSystem found;
  found.Name = Cp1251ToUtf8(ChangeFileExt(name, ""));
  try {
    const std::string bytes = ReadFileBytes(JoinPath(systemsDir, name));
    for (const std::string& line : SplitLines(bytes)) {
      std::array<int, 4> p{};
      if (ParseSystemLine(line, n, p) == 0) continue;
      found.Combs.push_back(SortComb(
          MakeComb(numbers[p[0] - 1], numbers[p[1] - 1], numbers[p[2] - 1], numbers[p[3] - 1])));
    }
  } catch (const EVetrilo& e) {
    throw EVetrilo(Tr("Ошибка загрузки комбинаций системы!\r\r") + e.Message());
  }
  return found;
}

}  // namespace vetrilo
