// INI settings (".ini", ".frm", ".flt"): CP1251 text of sections and keys.
#include "core/cp1251.h"
#include "core/ini_file.h"
#include "fuzz_support.h"
#include "harnesses.h"

namespace vetrilo::fuzz {

int FuzzIni(const uint8_t* data, size_t size) {
  const std::string text = Cp1251ToUtf8(Bytes(data, size));
  TIniData ini = TIniData::Parse(text);
  // Once written, a document reads back to the same text.
  const std::string written = ini.Text();
  Check(TIniData::Parse(written).Text() == written, "written text stable");
  // What is written is what reads back, and other keys keep their values.
  const auto before = ini.Value("GLOBAL", "LotterySite");
  ini.WriteString("FUZZ", "Key", "value=1");
  ini.WriteInteger("FUZZ", "Number", -42);
  const TIniData again = TIniData::Parse(ini.Text());
  Check(again.ReadString("FUZZ", "Key", "") == "value=1", "string written");
  Check(again.ReadInteger("FUZZ", "Number", 0) == -42, "integer written");
  Check(again.Value("GLOBAL", "LotterySite") == before, "other keys kept");
  (void)ParseIniInteger(text);
  (void)ParseIniFloat(text);
  return 0;
}

}  // namespace vetrilo::fuzz
