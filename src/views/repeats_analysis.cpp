#include "views/repeats_analysis.h"

#include <algorithm>

#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

const std::array<std::string, 4>& RepeatsCaptions() {
  static const std::array<std::string, 4> kCaptions{Tr("Тираж"), Tr("Совпадений"),
                                                    Tr("Кол-во повторов"), Tr("Список тиражей")};
  return kCaptions;
}

TRepeatsAnalysis AnalyzeRepeats(const TDrawArchive& archive, int length, int deep,
                                TUiHooks* hooks) {
  TRepeatsAnalysis result;
  if (archive.Count() == 0 || length < 1) return result;
  const int a = archive.High();
  const int b = std::max(0, a - (length - 1));
  const int steps = a - b + 1;
  for (int p = a; p >= b; --p) {
    if (hooks) {
      CheckStop(*hooks);
      hooks->SetProgress((a - p) * 100 / steps);
    }
    const size_t firstRow = result.Rows.size();
    const TDrawRec& drawP = archive.Draws[size_t(p)];
    for (int k = p - 1; k >= std::max(0, p - deep); --k) {
      const TDrawRec& drawK = archive.Draws[size_t(k)];
      const int m = DrawMatchCount(drawP, drawK);
      if (m <= 0) continue;
      auto it = std::find_if(result.Rows.begin() + long(firstRow), result.Rows.end(),
                             [&](const TRepeatsRow& row) { return row.Matches == m; });
      if (it != result.Rows.end()) {
        ++it->Repeats;
        it->Draws += " " + IntegerText(drawK.Number);
      } else {
        result.Rows.push_back({drawP.Number, m, 1, IntegerText(drawK.Number)});
      }
      result.MaxMatches = std::max(result.MaxMatches, m);
    }
  }
  if (hooks) hooks->SetProgress(-1);
  return result;
}

std::vector<TRepeatsSeries> TRepeatsAnalysis::Series() const {
  std::vector<TRepeatsSeries> series;
  for (int m = 1; m <= MaxMatches; ++m) series.push_back({Format(Tr("Совпадений: %d"), {m}), {}});
  for (auto it = Rows.rbegin(); it != Rows.rend(); ++it) {
    series[size_t(it->Matches - 1)].Points.push_back(
        {double(it->Draw), double(it->Repeats), IntegerText(it->Draw)});
  }
  return series;
}

}  // namespace vetrilo
