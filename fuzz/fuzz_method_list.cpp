// The method list (".flt"): favourites and user captions of the methods.
#include "core/cp1251.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "fuzz_support.h"
#include "harnesses.h"
#include "stats/stat_list.h"

namespace vetrilo::fuzz {

namespace {

const TStatList& Pristine() {
  static const TStatList list = [] {
    TStatList l;
    l.BuildMethods();
    return l;
  }();
  return list;
}

}  // namespace

int FuzzMethodList(const uint8_t* data, size_t size) {
  const TIniData ini = TIniData::Parse(Cp1251ToUtf8(Bytes(data, size)));
  TStatList list = Pristine();
  const std::string section = list.CaptionsSection();
  for (TStatMethod& m : list.Methods) m.UserCaption = Trim(ini.ReadString(section, m.Code(), ""));
  list.ApplyFavoritesText(ini.ReadString("FILTERS", "Favorites", list.FavoritesText()));
  Check(list.Methods.size() == Pristine().Methods.size(), "no method added or lost");
  // The favourites as saved apply back to the same favourites.
  const std::string saved = list.FavoritesText();
  TStatList again = Pristine();
  again.ApplyFavoritesText(saved);
  Check(again.FavoritesText() == saved, "favourites round trip");
  for (int i = 0; i < list.Count(); ++i) (void)list.MethodCaption(i, true);
  return 0;
}

}  // namespace vetrilo::fuzz
