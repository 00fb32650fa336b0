#include "stakes/stake_book.h"

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "workspace/status_scope.h"
#include "core/translate.h"

namespace vetrilo {

int64_t TStakeBook::Check(const TDrawArchive& archive, TUiHooks& hooks) {
  int64_t checked = 0;
  {
    const TStatusScope status(hooks, Tr("Проверка результатов ставок..."));
    checked = CheckStakes(File, archive, Prices, hooks, [&](const TStakeRec& r) {
      Ratings.AddToRatings(r);
      if (LogEnabled) Log.Write(r, Now(), hooks);
    });
  }
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
  {
    const TStatusScope status(hooks, Tr("Загрузка файла рейтинга..."));
    try {
      Ratings.Load(RatingsPath);
    } catch (const EVetrilo& e) {
      hooks.ShowMessage(TMessageKind::Error,
                        Format(Tr("Ошибка чтения файла рейтинга!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  return SortAndSaveRatings(hooks);
}

bool TStakeBook::RebuildRatings(TUiHooks& hooks) {
  {
    const TStatusScope status(hooks, Tr("Обновление рейтинга..."));
    try {
      if (!File.IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
      TRatings rebuilt;
      for (int64_t i = 0; i < File.Count(); ++i) {
        const TStakeRec r = TStakeRec::FromBytes(File.RecordBytes(i));
        if (r.DrawNumber >= 0 && r.IsChecked()) rebuilt.AddToRatings(r);
      }
      Ratings = std::move(rebuilt);
    } catch (const EVetrilo& e) {
      hooks.ShowMessage(TMessageKind::Error,
                        Format(Tr("Ошибка обновления рейтинга!\r\r%s"), {e.Message()}));
      return false;
    }
  }
  return SortAndSaveRatings(hooks);
}

}  // namespace vetrilo
