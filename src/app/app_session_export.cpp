// Spreadsheet export of the tables and its stored parameters.
#include <ctime>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"
#include "services/xlsx_report.h"

namespace vetrilo {

namespace {

std::string LoadFailure(const std::string& path) {
  return Format(Tr("Ошибка загрузки параметров экспорта из файла \"%s\"!"), {path});
}
std::string SaveFailure(const std::string& path) {
  return Format(Tr("Ошибка сохранения параметров экспорта в файле \"%s\"!"), {path});
}

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

TExportParams TAppSession::PrepareExport(const TExportSource& source, std::string_view title,
                                         std::string_view sheetName) {
  TExportParams params = NewExportParams(source, title, sheetName);
  const std::string section = ExportSectionName(source.OwnerName, source.Name);
  const TIniFile ini = IniFile();
  try {
    TIniData data = ini.Load();
    if (LoadExportParams(data, section, true, params)) ini.Save(data);
  } catch (const EVetrilo&) {
    ShowError(LoadFailure(ini.Path()));
  }
  return params;
}

bool TAppSession::LoadExportParamsFile(const std::string& path, const TExportSource& source,
                                       TExportParams& params) {
  const std::string section = ExportSectionName(source.OwnerName, source.Name);
  const TIniFile file(path);
  try {
    TIniData data = file.Load();
    TExportParams loaded = params;
    if (LoadExportParams(data, section, false, loaded)) file.Save(data);
    params = std::move(loaded);
  } catch (const EVetrilo&) {
    ShowError(LoadFailure(path));
    return false;
  }
  return true;
}

bool TAppSession::SaveExportParamsFile(const std::string& path, const TExportSource& source,
                                       const TExportParams& params) {
  const std::string section = ExportSectionName(source.OwnerName, source.Name);
  try {
    TIniFile(path, false).Update([&](TIniData& data) {
      SaveExportParams(data, section, false, params);
    });
  } catch (const EVetrilo&) {
    ShowError(SaveFailure(path));
    return false;
  }
  return true;
}

void TAppSession::RememberExportParams(const TExportSource& source, const TExportParams& params) {
  const std::string section = ExportSectionName(source.OwnerName, source.Name);
  const TIniFile ini = IniFile();
  try {
    ini.Update([&](TIniData& data) { SaveExportParams(data, section, true, params); });
  } catch (const EVetrilo&) {
    ShowError(SaveFailure(ini.Path()));
  }
}

bool TAppSession::ExportTable(const TExportSource& source, const TExportParams& params,
                              const std::string& path) {
  RememberExportParams(source, params);
  TBusyGuard busy(*this, Tr("Экспорт в Microsoft Excel..."));
  try {
    const std::tm createdAt = exportClock_ ? exportClock_() : LocalNow();
    WriteXlsxReport(path, source, params, ExportRows(source, params.SendMode), createdAt, "",
                    Hooks());
  } catch (const EStopped&) {
    return false;
  } catch (const EVetrilo& e) {
    ShowError(e.Message());
    return false;
  }
  return true;
}

}  // namespace vetrilo
