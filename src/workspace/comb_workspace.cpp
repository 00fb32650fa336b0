#include "workspace/comb_workspace.h"

#include <algorithm>
#include <bit>
#include <new>
#include <optional>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"
#include "workspace/comb_file.h"
#include "workspace/comb_generate.h"
#include "workspace/status_scope.h"

namespace vetrilo {

namespace {

// The number mask of a combination whose 4 numbers are distinct and below 64; for two such
// combinations the match count is 4 exactly when the masks are equal.
inline bool DistinctMask(TComb comb, uint64_t& mask) {
  mask = 0;
  for (int i = 0; i < 4; ++i) {
    const unsigned b = (comb >> (8 * i)) & 0xFF;
    if (b >= 64) return false;
    mask |= uint64_t{1} << b;
  }
  return std::popcount(mask) == 4;
}

bool EqualsAnyDraw(TComb comb, std::span<const TComb> draws) {
  for (const TComb d : draws) {
    if (CombMatchCount(d, comb) == 4) return true;
  }
  return false;
}

}  // namespace

TRowRanges NormalizeRanges(TRowRanges ranges, int count) {
  TRowRanges out;
  for (TRowRange& r : ranges) {
    r.First = std::max(r.First, 0);
    r.Last = std::min(r.Last, count - 1);
  }
  std::sort(ranges.begin(), ranges.end(),
            [](const TRowRange& a, const TRowRange& b) { return a.First < b.First; });
  for (const TRowRange& r : ranges) {
    if (r.First > r.Last) continue;
    if (!out.empty() && r.First <= out.back().Last + 1) {
      out.back().Last = std::max(out.back().Last, r.Last);
    } else {
      out.push_back(r);
    }
  }
  return out;
}

int RangesRowCount(const TRowRanges& ranges) {
  int n = 0;
  for (const TRowRange& r : ranges) n += r.Last - r.First + 1;
  return n;
}

void KeepUndrawn(std::span<const TComb> combs, std::span<const TComb> draws, TCombsArray& out) {
  std::vector<uint64_t> masks;
  std::vector<TComb> odd;
  for (const TComb d : draws) {
    uint64_t m;
    if (DistinctMask(d, m)) {
      masks.push_back(m);
    } else {
      odd.push_back(d);
    }
  }
  std::sort(masks.begin(), masks.end());
  for (const TComb c : combs) {
    uint64_t m;
    const bool drawn = DistinctMask(c, m) ? std::binary_search(masks.begin(), masks.end(), m) ||
                                                EqualsAnyDraw(c, odd)
                                          : EqualsAnyDraw(c, draws);
    if (!drawn) out.push_back(c);
  }
}

void KeepUndrawnLiteral(std::span<const TComb> combs, std::span<const TComb> draws,
                        TCombsArray& out) {
  for (const TComb c : combs) {
    bool drawn = false;
    for (const TComb d : draws) drawn = drawn || CombMatchCount(d, c) == 4;
    if (!drawn) out.push_back(c);
  }
}

TCombWorkspace::TCombWorkspace(const TDrawArchive& archive, TUiHooks& hooks)
    : archive_(archive), hooks_(&hooks) {
  combs_.reserve(kAllCombinations);
  undo_.reserve(kAllCombinations);
  buffer_.reserve(kAllCombinations);
}

void TCombWorkspace::Changed() {
  if (listener_) listener_();
}

bool TCombWorkspace::Contains(TComb comb) const {
  return std::find(combs_.begin(), combs_.end(), comb) != combs_.end();
}

void TCombWorkspace::GenerateCombs(int mode, std::string_view parameter, bool withStatus) {
  std::optional<TStatusScope> status;
  if (withStatus) status.emplace(*hooks_, Tr("Генерация возможных комбинаций..."));
  combs_.clear();
  try {
    if (mode == kGenerateFile) {
      ReadCombFile(std::string(parameter), combs_);
      if (const std::string warning = OddCombsWarning(std::string(parameter), combs_);
          !warning.empty()) {
        hooks_->ShowMessage(TMessageKind::Warning, warning);
      }
    } else {
      CheckGenerateNumbers(mode, parameter);
      GenerateFromFullSet(mode, ParseGenerateNumbers(parameter), combs_);
    }
  } catch (const std::exception& e) {
    Changed();
    throw EVetrilo(Format(Tr("Ошибка генерации файла комбинаций!\r\r%s"), {e.what()}));
  }
  if (withStatus) {
    ClearJournal();
    DropUndo();
    InvalidateBuffer();
  }
  Changed();
}

void TCombWorkspace::TakeUndo(bool withStatus) {
  std::optional<TStatusScope> status;
  if (withStatus) status.emplace(*hooks_, Tr("Создание файла отката..."));
  undo_ = combs_;
}

void TCombWorkspace::RestoreUndo(bool withStatus) {
  std::optional<TStatusScope> status;
  if (withStatus) status.emplace(*hooks_, Tr("Отмена изменений..."));
  combs_ = undo_;
  undo_.clear();
  Changed();
}

void TCombWorkspace::DropUndo() {
  undo_.clear();
}

void TCombWorkspace::ExcludeLastDraws(int n, int lastIndex) {
  TStatusScope status(*hooks_,
                      Format(Tr("Удаление из списка комбинаций %d последних тиражей..."), {n}));
  std::vector<TComb> draws;
  if (n > 0 && archive_.Count() > 0) {
    const int last = std::min(lastIndex, archive_.High());
    const int first = std::max(0, last - n + 1);
    for (int i = first; i <= last; ++i) draws.push_back(archive_.Draws[size_t(i)].Comb());
  }
  combs_.clear();
  const size_t total = undo_.size();
  const size_t step = std::max<size_t>(1, total / 100);
  try {
    for (size_t done = 0; done < total; done += step) {
      hooks_->SetStatus(
          Format(Tr("Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )..."),
                 {n, 100.0 * static_cast<double>(done) / static_cast<double>(total)}));
      CheckStop(*hooks_);
      KeepUndrawn(std::span<const TComb>(undo_).subspan(done, std::min(step, total - done)), draws,
                  combs_);
    }
  } catch (const EStopped&) {
    combs_ = undo_;
    Changed();
    throw;
  }
  AddJournalRow(TJournalKind::Exclude, Tr("Последние тиражи"), std::to_string(n));
}

void TCombWorkspace::SaveBuffer(int offset, int n) {
  if (bufferOffset_ == offset && bufferDraws_ == n) return;
  TStatusScope status(*hooks_, Tr("Создание буфера комбинаций..."));
  try {
    buffer_ = combs_;
  } catch (const std::exception& e) {
    throw EVetrilo(Format(Tr("Ошибка создания буфера комбинаций!\r\r%s"), {e.what()}));
  }
  bufferOffset_ = offset;
  bufferDraws_ = n;
}

bool TCombWorkspace::LoadBuffer(int offset, int n) {
  if (bufferOffset_ != offset || bufferDraws_ != n || buffer_.empty()) return false;
  TStatusScope status(*hooks_, Tr("Загрузка буфера комбинаций..."));
  try {
    combs_ = buffer_;
  } catch (const std::exception& e) {
    throw EVetrilo(Format(Tr("Ошибка загрузки буфера комбинаций!\r\r%s"), {e.what()}));
  }
  Changed();
  return true;
}

void TCombWorkspace::InvalidateBuffer() {
  bufferOffset_ = -1;
  bufferDraws_ = -1;
  buffer_.clear();
}

void TCombWorkspace::AddJournalRow(TJournalKind kind, std::string_view caption,
                                   std::string_view values) {
  if (journal_.size() >= kMaxJournalRows) {
    journal_.erase(journal_.begin(), journal_.begin() + std::ptrdiff_t(kJournalDropRows));
  }
  journal_.push_back({std::string(caption), std::string(values), Count(), kind});
  Changed();
}

void TCombWorkspace::AddUndoMarker() {
  AddJournalRow(TJournalKind::Undo, Tr("Отмена последней операции"), "");
}

void TCombWorkspace::ClearJournal() {
  journal_.clear();
  Changed();
}

void TCombWorkspace::OpenFile(const std::string& path) {
  // Read aside first: when reading fails the list is as it was, which is what
  // putting the undo copy back would give.
  TCombsArray read;
  std::string error;
  {
    TStatusScope status(*hooks_, Format(Tr("Загрузка файла \"%s\"..."), {path}));
    try {
      ReadCombFile(path, read);
    } catch (const ENotCombFile& e) {
      // Not a combination list at all: the list, its undo copy and the journal stay.
      throw EVetrilo(Format(Tr("Ошибка чтения файла \"%s\"!\r\r%s"), {path, e.Message()}));
    } catch (const std::exception& e) {
      error = Format(Tr("Ошибка чтения файла \"%s\"!\r\r%s"), {path, e.what()});
    }
  }
  if (error.empty()) combs_ = std::move(read);
  DropUndo();
  ClearJournal();
  if (!error.empty()) throw EVetrilo(error);
  if (const std::string warning = OddCombsWarning(path, combs_); !warning.empty()) {
    hooks_->ShowMessage(TMessageKind::Warning, warning);
  }
}

void TCombWorkspace::SaveFile(const std::string& path) const {
  TStatusScope status(*hooks_, Format(Tr("Сохранение файла \"%s\"..."), {path}));
  try {
    WriteCombFile(path, combs_);
  } catch (const std::exception& e) {
    throw EVetrilo(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, e.what()}));
  }
}

std::string TCombWorkspace::CopyText(const TRowRanges& selection) const {
  std::string text;
  for (const TRowRange& r : NormalizeRanges(selection, Count())) {
    for (int row = r.First; row <= r.Last; ++row) {
      text += CombCopyText(Comb(row));
      text += '\n';
    }
  }
  return text;
}

void TCombWorkspace::Paste(std::string_view text) {
  TStatusScope status(*hooks_, Tr("Подождите пожалуйста..."));
  const std::vector<std::string> lines = SplitLines(text);
  if (lines.empty()) return;
  TakeUndo(false);
  combs_.clear();
  combs_.reserve(lines.size());
  try {
    for (const std::string& line : lines) combs_.push_back(ParseComb(line));
  } catch (const EVetrilo&) {
    combs_ = undo_;
    DropUndo();
    Changed();
    throw;
  }
  ClearJournal();
  DropUndo();
  Changed();
}

void TCombWorkspace::DeleteRows(const TRowRanges& selection) {
  const TRowRanges ranges = NormalizeRanges(selection, Count());
  if (ranges.empty()) return;
  TakeUndo(true);
  TStatusScope status(*hooks_, Tr("Удаление выделенных комбинаций..."));
  combs_.clear();
  int from = 0;
  for (const TRowRange& r : ranges) {
    combs_.insert(combs_.end(), undo_.begin() + from, undo_.begin() + r.First);
    from = r.Last + 1;
  }
  combs_.insert(combs_.end(), undo_.begin() + from, undo_.end());
  AddJournalRow(TJournalKind::Exclude, Tr("Выделенные комбинации"),
                std::to_string(RangesRowCount(ranges)));
}

void TCombWorkspace::ExcludeDraws(int n, int lastIndex) {
  TCombsArray previousUndo = undo_;
  TakeUndo(true);
  try {
    ExcludeLastDraws(n, lastIndex);
  } catch (const EStopped&) {
    undo_ = std::move(previousUndo);
    throw;
  }
}

void TCombWorkspace::Undo() {
  if (!HasUndo()) return;
  TStatusScope status(*hooks_, Tr("Отмена изменений..."));
  combs_ = undo_;
  undo_.clear();
  if (!journal_.empty()) journal_.pop_back();
  Changed();
}

void TCombWorkspace::ShowDistinctNumbers() {
  hooks_->ShowMessage(TMessageKind::Information,
                      Format(Tr("В текущем списке комбинаций содержится %d уникальных номеров"),
                             {DistinctNumbers()}));
}

std::vector<int> TCombWorkspace::FindInArchive(TComb comb) const {
  std::vector<int> found;
  for (int i = archive_.High(); i >= 0 && int(found.size()) < kFindLimit; --i) {
    if (CombMatchCount(archive_.Draws[size_t(i)].Comb(), comb) == 4) found.push_back(i);
  }
  return found;
}

void TCombWorkspace::ShowFindInArchive(TComb comb) {
  const std::vector<int> found = FindInArchive(comb);
  if (found.empty()) {
    hooks_->ShowMessage(TMessageKind::Information,
                        Tr("Выделенная комбинация не найдена архиве тиражей!"));
    return;
  }
  std::string text = Tr("Выделенная комбинация найдена в следующих тиражах:\r");
  for (int i : found) text += "\r" + DrawText(archive_.Draws[size_t(i)]);
  hooks_->ShowMessage(TMessageKind::Information, text);
}

}  // namespace vetrilo
