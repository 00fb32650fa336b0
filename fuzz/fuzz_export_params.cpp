// Stored export parameters (".exp" files and the ".ini" sections).
#include "core/cp1251.h"
#include "core/ini_file.h"
#include "fuzz_support.h"
#include "harnesses.h"
#include "services/export_params.h"

namespace vetrilo::fuzz {

namespace {

TExportSource ThreeColumns() {
  TExportSource s;
  s.Name = "lvDraws";
  s.Columns = {{"№", kAlignRight, 40}, {"Дата", kAlignLeft, 80}, {"Числа", kAlignLeft, 120}};
  s.RowCount = 2;
  s.Cell = [](int row, int column) { return std::to_string(row * 10 + column); };
  return s;
}

}  // namespace

int FuzzExportParams(const uint8_t* data, size_t size) {
  const TExportSource source = ThreeColumns();
  const std::string section = ExportSectionName(source.OwnerName, source.Name);
  TIniData ini = TIniData::Parse(Cp1251ToUtf8(Bytes(data, size)));
  TExportParams loaded = NewExportParams(source, "", "");
  (void)LoadExportParams(ini, section, false, loaded);
  Check(loaded.Fields.size() == source.Columns.size(), "one field per column");
  // What is saved loads back the same.
  TIniData saved;
  SaveExportParams(saved, section, false, loaded);
  TIniData reread = TIniData::Parse(saved.Text());
  TExportParams again = NewExportParams(source, "", "");
  (void)LoadExportParams(reread, section, false, again);
  Check(again.Fields == loaded.Fields, "fields round trip");
  Check(again.Title == loaded.Title && again.Notes == loaded.Notes &&
            again.SheetName == loaded.SheetName &&
            again.PageOrientation == loaded.PageOrientation &&
            again.BaseFontSize == loaded.BaseFontSize,
        "report parameters round trip");
  return 0;
}

}  // namespace vetrilo::fuzz
