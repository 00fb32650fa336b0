#include "stakes/stake_book.h"

#include <algorithm>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "workspace/status_scope.h"

namespace vetrilo {

namespace {

// One warning per rating, however many of its stakes went beyond the limit.
struct TRatingWarnings {
  std::vector<std::string> Texts;
  void Add(TRatings& ratings, const TStakeRec& r) {
    std::string warning;
    ratings.AddToRatings(r, &warning);
    if (!warning.empty() && std::find(Texts.begin(), Texts.end(), warning) == Texts.end()) {
      Texts.push_back(std::move(warning));
    }
  }
  void Show(TUiHooks& hooks) const {
    for (const std::string& text : Texts) hooks.ShowMessage(TMessageKind::Warning, text);
  }
};

}  // namespace

int64_t TStakeBook::Check(const TDrawArchive& archive, TUiHooks& hooks) {
  int64_t checked = 0;
  TRatingWarnings warnings;
  {
    const TStatusScope status(hooks, Tr("Проверка результатов ставок..."));
    checked = CheckStakes(File, archive, Prices, hooks, [&](const TStakeRec& r) {
      warnings.Add(Ratings, r);
      if (LogEnabled) Log.Write(r, Now(), hooks);
    });
  }
  warnings.Show(hooks);
  if (checked > 0) SortAndSaveRatings(hooks);
  return checked;
}

bool TStakeBook::SortAndSaveRatings(TUiHooks& hooks) {
  {
    const TStatusScope status(hooks, Tr("Сортировка рейтинга..."));
    Ratings.Sort(SortColumn, SortDescending);
  }
  const TStatusScope status(hooks, Tr("Сохранение файла рейтинга..."));
  try {
    Ratings.Save(RatingsPath);
    return true;
  } catch (const EVetrilo& e) {
    hooks.ShowMessage(TMessageKind::Error,
                      Format(Tr("Ошибка записи в файл рейтинга!\r\r%s"), {e.Message()}));
    return false;
  }
}

bool TStakeBook::LoadRatings(TUiHooks& hooks) {
  if (!PathExists(RatingsPath)) return true;
  std::string warning;
  {
    const TStatusScope status(hooks, Tr("Загрузка файла рейтинга..."));
    try {
      warning = Ratings.Load(RatingsPath);
    } catch (const EVetrilo& e) {
      hooks.ShowMessage(TMessageKind::Error,
                        Format(Tr("Ошибка чтения файла рейтинга!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  if (!warning.empty()) hooks.ShowMessage(TMessageKind::Warning, warning);
  return SortAndSaveRatings(hooks);
}

bool TStakeBook::RebuildRatings(TUiHooks& hooks) {
  {
    const TStatusScope status(hooks, Tr("Обновление рейтинга..."));
    try {
      if (!File.IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
      TRatings rebuilt;
      TRatingWarnings warnings;
      for (int64_t i = 0; i < File.Count(); ++i) {
        const TStakeRec r = TStakeRec::FromBytes(File.RecordBytes(i));
        if (r.DrawNumber >= 0 && r.IsChecked()) warnings.Add(rebuilt, r);
      }
      Ratings = std::move(rebuilt);
      warnings.Show(hooks);
    } catch (const EVetrilo& e) {
      hooks.ShowMessage(TMessageKind::Error,
                        Format(Tr("Ошибка обновления рейтинга!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  return SortAndSaveRatings(hooks);
}

}  // namespace vetrilo
