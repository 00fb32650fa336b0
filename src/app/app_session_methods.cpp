// Favourite methods and their captions.
#include "app/app_session.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

std::string LoadFailure(const std::string& error) {
  return Format(Tr("Ошибка загрузки списка фильтров!\r\r%s"), {error});
}
std::string SaveFailure(const std::string& error) {
  return Format(Tr("Ошибка сохранения списка фильтров!\r\r%s"), {error});
}

}  // namespace

void TAppSession::ApplyFavorites(const TFavoritesTree& tree) {
  {
    TBusyGuard busy(*this, Tr("Подождите пожалуйста..."));
    tree.ApplyTo(statList_);
    std::string error;
    if (!statList_.SaveMethodSettings(paths_.FltFile(), true, false, &error)) {
      ShowError(SaveFailure(error));
    }
    ChooseDrawStatsMethod("");
    drawStats_.Table.Clear();
    Notify(kChangeMethods | kChangeOptions | kChangeDrawStats);
  }
  RecalcViews(false);
}

bool TAppSession::ResetFavorites() {
  if (!hooks_->ConfirmDestructive(
          kQuestionTitle, Tr("Вы действительно хотите сбросить список избранных фильтров?")))
    return false;
  const std::string chosen = drawStats_.Method >= 0 && drawStats_.Method < statList_.Count()
                                 ? statList_.Item(drawStats_.Method).Code()
                                 : std::string();
  {
    TBusyGuard busy(*this, Tr("Подождите пожалуйста..."));
    statList_.SelectAllFavorites();
    std::string error;
    if (!statList_.SaveMethodSettings(paths_.FltFile(), true, false, &error)) {
      ShowError(SaveFailure(error));
    }
    ChooseDrawStatsMethod(chosen);
    Notify(kChangeMethods | kChangeOptions);
  }
  RecalcViews(false);
  return true;
}

bool TAppSession::ImportMethodCaptions(const std::string& path) {
  TBusyGuard busy(*this, "");
  std::string error;
  // Read into a copy first: a file that cannot be read changes nothing.
  TStatList imported = statList_;
  if (!imported.LoadMethodSettings(path, false, &error)) {
    ShowError(LoadFailure(error));
    return false;
  }
  for (int i = 0; i < statList_.Count(); ++i) {
    statList_.Methods[size_t(i)].UserCaption = imported.Item(i).UserCaption;
  }
  Notify(kChangeMethods);
  return true;
}

bool TAppSession::ExportMethodCaptions(const TFavoritesTree& tree, const std::string& path) {
  TBusyGuard busy(*this, "");
  tree.ApplyCaptions(statList_);
  std::string error;
  const bool saved = statList_.SaveMethodSettings(path, false, true, &error);
  if (!saved) ShowError(SaveFailure(error));
  // The registry holds the captions of its own file again.
  if (!statList_.LoadMethodSettings(paths_.FltFile(), false, &error)) {
    ShowError(LoadFailure(error));
  }
  Notify(kChangeMethods);
  return saved;
}

std::string TAppSession::MethodHelpLink(int method) const {
  if (method < 0 || method >= statList_.Count()) return "";
  const TStatMethod& m = statList_.Item(method);
  return m.Stat->GetHelpLink(m.Param, statList_.HelpFile);
}

void TAppSession::UpdateWindowSettings(const std::function<void(TIniData&)>& write) {
  try {
    FrmFile().Update([&](TIniData& d) {
      write(d);
      frmAtStart_ = d;
    });
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
  }
}

}  // namespace vetrilo
