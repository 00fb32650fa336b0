#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "app/app_session.h"
#include "app/main_options.h"
#include "app/system_settings.h"
#include "core/cp1251.h"
#include "core/demo_archive.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "net/proxy_settings.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {
std::string RandomBytes(size_t n, uint32_t seed) {
  std::string s;
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    s += static_cast<char>(seed >> 24);
  }
  return s;
}
}  // namespace

TEST(MainOptions, DefaultsNonNumbersAndShutdownValues) {
  const TMainOptions d = TMainOptions::Load(TIniData::Parse(""));
  EXPECT_EQ(d.DrawsStatLen, 1000);
  EXPECT_EQ(d.LayoutCompareLen[4], 400);
  EXPECT_EQ(d.RatingsEffMode, 1);
  EXPECT_EQ(d.ScriptLibraryFilter, 2);
  EXPECT_EQ(d.Language, 1033);
  EXPECT_TRUE(d.ShowTotalLine);
  EXPECT_FALSE(d.PrefetchsEnabled);

  TIniData frm = TIniData::Parse(
      "[TFormMain]\r\nDrawsStatLen=abc\r\nWeekLen=99999999999\r\nSortedDraws=1\r\nLayoutLen="
      "250\r\n");
  TMainOptions o = TMainOptions::Load(frm);
  EXPECT_EQ(o.DrawsStatLen, 1000);  // not a number
  EXPECT_EQ(o.WeekLen, 1000);       // does not fit
  EXPECT_TRUE(o.SortedDraws);
  EXPECT_EQ(o.LayoutLen, 250);

  o.DrawsStatLen = 321;
  o.LeftPanelWidth = -1;  // designed: not written
  o.FiltersHeight = 150;
  o.WriteShutdownValues(frm);
  EXPECT_EQ(frm.ReadInteger("TFormMain", "DrawsStatLen", 0), 321);
  EXPECT_EQ(frm.ReadInteger("TFormMain", "FiltersHeight", 0), 150);
  EXPECT_EQ(frm.ReadInteger("TFormMain", "LayoutLen", 0),
            250);  // a view not built yet keeps its value
  EXPECT_FALSE(frm.Value("TFormMain", "LeftPanelWidth"));
  EXPECT_TRUE(frm.ReadBool("TFormMain", "SortedDraws", false));  // toggled options are not touched
}

TEST(ProxySettings, RoundTripAndBadPort) {
  TTempDir dir;
  const TIniFile ini(dir.File("Vetrilo_4d47.ini"));
  EXPECT_EQ(TProxySettings::Load(ini).Port, 80);
  TProxySettings p;
  p.Mode = 2;
  p.Server = "proxy.local";
  p.Port = 3128;
  p.Username = "пользователь";
  p.Password = "x=y";
  p.Save(ini);
  const TProxySettings back = TProxySettings::Load(ini);
  EXPECT_EQ(back.Mode, 2);
  EXPECT_EQ(back.Server, "proxy.local");
  EXPECT_EQ(back.Port, 3128);
  EXPECT_EQ(back.Username, "пользователь");
  EXPECT_EQ(back.Password, "x=y");
  WriteFile(ini.Path(), "[PROXY]\r\nProxyPort=99999\r\n");
  EXPECT_EQ(TProxySettings::Load(ini).Port, 80);
}

TEST(SystemSettings, PrizeRowsAreMatchCounts) {
  // Levels stored out of order: row i must show the level whose Overlap is i.
  TStatList list;
  list.Profits = {{2, 1 * kMoneyScale}, {3, 10 * kMoneyScale}, {4, 1000 * kMoneyScale}};
  list.Cost = 15000;
  const TSystemSettings s = TSystemSettings::FromList(list);
  EXPECT_EQ(s.PrizeRowText(0), "0=0.00");
  EXPECT_EQ(s.PrizeRowText(1), "1=0.00");
  EXPECT_EQ(s.PrizeRowText(2), "2=1.00");
  EXPECT_EQ(s.PrizeRowText(3), "3=10.00");
  EXPECT_EQ(s.PrizeRowText(4), "4=1000.00");
  // Confirming unchanged stores exactly those rows: the outcomes do not move.
  s.ApplyTo(list);
  ASSERT_EQ(list.Profits.size(), 5u);
  for (int m = 0; m <= 4; ++m) EXPECT_EQ(list.Profits[size_t(m)].Overlap, m);
  EXPECT_EQ(list.StakeOutcome(4, 3), 10 * kMoneyScale - 15000);
  EXPECT_EQ(list.StakeOutcome(4, 4), 1000 * kMoneyScale - 15000);
  EXPECT_EQ(list.StakeOutcome(4, 2), 1 * kMoneyScale - 15000);
  EXPECT_EQ(TSystemSettings::ParseAmount("12,5"), 125000);
  EXPECT_EQ(TSystemSettings::ParseAmount("abc"), 0);
}

TEST(SystemSettings, SegmentGridCellsAndValues) {
  TSystemSettings s;
  s.MatrixCols = 10;
  EXPECT_EQ(s.MatrixRows(), 5);
  EXPECT_EQ(s.CellNumber(0, 0), 1);
  EXPECT_EQ(s.CellNumber(4, 6), 47);
  EXPECT_EQ(s.CellNumber(4, 7), 0);  // beyond 47
  EXPECT_EQ(s.CellNumber(0, 10), 0);
  EXPECT_FALSE(TSystemSettings::SegmentCellError(""));
  EXPECT_FALSE(TSystemSettings::SegmentCellError("9"));
  EXPECT_EQ(*TSystemSettings::SegmentCellError("0"),
            "Некорректное значение: 0!\r\rУкажите любое число от 1 до 9");
  EXPECT_TRUE(TSystemSettings::SegmentCellError("12"));
  EXPECT_EQ(TSystemSettings::SegmentOfCellText(""), 1);
  EXPECT_EQ(TSystemSettings::SegmentOfCellText("7"), 7);
  EXPECT_EQ(TSystemSettings::SegmentOfCellText("x"), 1);
}

TEST(AppSessionSettings, ApplyingSettingsSavesRebuildsAndDropsStaleCaches) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  SaveFileAtomic(session.Paths().ArchiveFile(), SerializeDrawRecords(MakeDemoDraws(30, 2)));
  session.LoadOptions();
  session.LoadArchive();
  ASSERT_GE(session.StatList().FindByCode("CHN6"), 0);
  EXPECT_EQ(session.StatList().FindByCode("CHN7"), -1);
  // A cache of the channel group made for the old size, with the comparison off.
  ForceDirectory(session.Paths().PrefetchDir());
  const std::string chan = session.Paths().PrefetchDir() + "/Vetrilo_4d47_CHAN.dfc";
  const std::string nums = session.Paths().PrefetchDir() + "/Vetrilo_4d47_NUMS.dfc";
  WriteFile(chan, std::string(24, '\x01'));
  WriteFile(nums, std::string(24, '\x01'));

  TSystemSettings s = TSystemSettings::FromList(session.StatList());
  s.ChannelSize = 5;
  s.Prizes[3] = 20 * kMoneyScale;
  session.ApplySystemSettings(s);
  EXPECT_GE(session.StatList().FindByCode("CHN10"), 0);
  EXPECT_FALSE(FileExists(chan));  // the channel group's cache is gone
  EXPECT_TRUE(FileExists(nums));
  const TIniFile ini = session.IniFile();
  EXPECT_EQ(ini.ReadInteger("GLOBAL", "ChannelSize", 0), 5);
  EXPECT_EQ(ini.ReadInteger("STAKES", "Profits", 0), 5);
  EXPECT_EQ(ini.ReadInteger("STAKES", "Profit_3_Overlap", 0), 3);
  EXPECT_EQ(ini.ReadString("STAKES", "Profit_3_Profit", ""), "20");
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_FALSE(session.Busy());

  // A failed save leaves the settings as they were.
  TTempDir other;
  std::filesystem::create_directory(other.File("Vetrilo_4d47.ini"));
  TAppSession broken(TAppPaths::ForFolder(other.Path()), hooks);
  broken.LoadOptions();
  TSystemSettings t = TSystemSettings::FromList(broken.StatList());
  t.MatrixCols = 5;
  EXPECT_THROW(broken.ApplySystemSettings(t), EVetrilo);
  EXPECT_EQ(broken.StatList().MatrixCols, 8);
  EXPECT_FALSE(broken.Busy());
}

TEST(AppSessionSettings, RandomBytesInEverySettingsFileStartWithDefaults) {
  TTempDir dir;
  for (const char* ext : {".ini", ".frm", ".flt"}) {
    WriteFile(dir.File(std::string("Vetrilo_4d47") + ext), RandomBytes(5000, ext[1]));
  }
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  session.LoadOptions();
  EXPECT_EQ(session.StatList().ChannelSize, 8);
  EXPECT_EQ(session.StatList().MatrixCols, 8);
  EXPECT_EQ(session.Options().DrawsStatLen, 1000);
  EXPECT_FALSE(session.SortedDraws());
  EXPECT_GT(session.StatList().Count(), 180);
  EXPECT_EQ(session.Initialize(TCommandLine()), -1);
}

TEST(AppSessionSettings, UnreadableSettingsFilesAreReportedAndNeverWrittenOver) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  const std::string frm = session.Paths().FrmFile();
  const std::string ini = session.Paths().IniFile();
  std::filesystem::create_directory(frm);
  std::filesystem::create_directory(ini);
  session.LoadOptions();
  const std::string isDir = std::strerror(EISDIR);
  ASSERT_EQ(hooks.Messages.size(), 2u);
  EXPECT_EQ(hooks.Messages[0].Kind, TMessageKind::Error);
  EXPECT_EQ(hooks.Messages[0].Text,
            "Ошибка загрузки параметров программы!\r\r\"" + frm + "\": " + isDir);
  EXPECT_EQ(hooks.Messages[1].Kind, TMessageKind::Error);
  EXPECT_EQ(hooks.Messages[1].Text,
            "Ошибка чтения файла конфигурации!\r\r\"" + ini + "\": " + isDir);
  EXPECT_EQ(session.Options().DrawsStatLen, 1000);
  EXPECT_EQ(session.StatList().MatrixCols, 8);
  EXPECT_FALSE(session.Busy());

  // The files can be read again later: what the user has in them is still not
  // replaced by the defaults of this run.
  std::filesystem::remove(frm);
  std::filesystem::remove(ini);
  const std::string frmText = "[TFormMain]\r\nDrawsStatLen=77\r\nSortedDraws=0\r\n";
  const std::string iniText = "[GLOBAL]\r\nMatrixCols=5\r\n[PROXY]\r\nProxyPassword=pw\r\n";
  WriteFile(frm, frmText);
  WriteFile(ini, iniText);
  session.SetSortedDraws(true);
  session.SetColorDraws(false);
  session.SetColorCombs(false);
  session.FrmFile().WriteInteger(kMainSection, "DrawsStatLen", 1000);
  session.IniFile().WriteInteger("GLOBAL", "MatrixCols", 8);
  session.StatList().SaveShredding(session.IniFile());
  EXPECT_EQ(ReadFile(frm), frmText);
  EXPECT_EQ(ReadFile(ini), iniText);
  EXPECT_EQ(hooks.Messages.size(), 2u);

  // An explicit save may write the file, and keeps what it does not set.
  TSystemSettings s = TSystemSettings::FromList(session.StatList());
  s.ChannelSize = 5;
  session.ApplySystemSettings(s);
  const TIniFile saved(ini);
  EXPECT_EQ(saved.ReadInteger("GLOBAL", "ChannelSize", 0), 5);
  EXPECT_EQ(saved.ReadString("PROXY", "ProxyPassword", ""), "pw");
  EXPECT_EQ(ReadFile(frm), frmText);
}

TEST(AppSessionStartup, ExclusiveUseOfTheFolderAndTheJobs) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession first(TAppPaths::ForFolder(dir.Path()), hooks);
  first.LoadOptions();
  EXPECT_EQ(first.Initialize(TCommandLine()), -1);
  EXPECT_TRUE(FileExists(dir.File("Vetrilo_4d47.lsk")));

  TAppSession second(TAppPaths::ForFolder(dir.Path()), hooks);
  second.LoadOptions();
  EXPECT_EQ(second.Initialize(TCommandLine()), 1);
  ASSERT_FALSE(hooks.Messages.empty());
  const std::string& refusal = hooks.Messages.back().Text;
  EXPECT_EQ(refusal.rfind("Невозможно получить монопольный доступ к файлам данных!", 0), 0u);
  // The reasons speak of this folder and this system, not of another's paths.
  EXPECT_NE(refusal.find("(" + dir.Path() + ")"), std::string::npos) << refusal;
  EXPECT_EQ(refusal.find("Windows"), std::string::npos);
  EXPECT_EQ(refusal.find("c:\\"), std::string::npos);
  EXPECT_FALSE(second.Busy());

  // Another folder: the jobs run and report their outcome.
  TTempDir other;
  SaveFileAtomic(other.File("Vetrilo_4d47.ldr"), SerializeDrawRecords(MakeDemoDraws(20, 4)));
  TAppSession third(TAppPaths::ForFolder(other.Path()), hooks);
  third.LoadOptions();
  EXPECT_EQ(third.Initialize(TCommandLine::Parse({"/FULLREFRESH"})), 0);
  EXPECT_TRUE(FileExists(other.File("Prefetchs/Vetrilo_4d47_NUMS.dfc")));
  EXPECT_TRUE(FileExists(other.File("Prefetchs/Vetrilo_4d47_SHR3.dfc")));
}

TEST(AppSessionStartup, FullRecreateFailureIsReported) {
  TTempDir dir;
  WriteFile(dir.File("Prefetchs"), "a file where the folder should be");
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  session.LoadOptions();
  EXPECT_EQ(session.Initialize(TCommandLine::Parse({"fullrecreate"})), 1);
  EXPECT_EQ(session.ErrorsShown(), 1);
}

TEST(AppSessionStartup, NoLanguagePicksRussianCaptions) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.flt"), Utf8ToCp1251("[STRINGS_RUS]\r\nNUMS=Мои числа\r\n"));
  TRecordingHooks hooks;
  TAppSession plain(TAppPaths::ForFolder(dir.Path()), hooks);
  plain.LoadOptions();
  // Without the English module the default language falls back to Russian.
  EXPECT_EQ(plain.StatList().Item(plain.StatList().FindByCode("NUMS")).UserCaption, "Мои числа");
  TAppSession russian(TAppPaths::ForFolder(dir.Path()), hooks);
  russian.ForceRussian();
  russian.LoadOptions();
  EXPECT_EQ(russian.StatList().Item(russian.StatList().FindByCode("NUMS")).UserCaption,
            "Мои числа");
}

TEST(SystemSettings, LotterySiteAddresses) {
  const struct {
    const char* Address;
    bool Valid;
  } cases[] = {
      {"", true},
      {"  ", true},
      {"https://lottery.example/results", true},
      {"HTTP://lottery.example", true},
      {"lottery.example", false},
      {"https://", false},
      {"ftp://lottery.example", false},
      {"https://lottery.example/a b", false},
      {"javascript:alert(1)", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Address);
    EXPECT_EQ(!TSystemSettings::LotterySiteError(c.Address).has_value(), c.Valid);
  }
}

TEST(AppSessionSettings, TheSiteAddressIsASetting) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  session.LoadOptions();
  EXPECT_EQ(session.SystemSettings().LotterySite, "");

  TSystemSettings s = session.SystemSettings();
  s.LotterySite = "ftp://x";
  EXPECT_THROW(session.ApplySystemSettings(s), EVetrilo);
  EXPECT_EQ(session.LotterySite(), "");
  EXPECT_FALSE(FileExists(session.Paths().IniFile()));  // refused before any save

  s.LotterySite = " https://lottery.example/results ";
  session.ApplySystemSettings(s);
  EXPECT_EQ(session.LotterySite(), "https://lottery.example/results");
  EXPECT_EQ(session.IniFile().ReadString("GLOBAL", "LotterySite", ""),
            "https://lottery.example/results");

  TAppSession again(TAppPaths::ForFolder(dir.Path()), hooks);
  again.LoadOptions();
  EXPECT_EQ(again.SystemSettings().LotterySite, "https://lottery.example/results");
  EXPECT_TRUE(hooks.Messages.empty());
}

// Indexes of the method list move when settings rebuild it; the table's
// method is the same method afterwards, and after a restart.
TEST(AppSessionSettings, TheChosenMethodIsKeptByItsCode) {
  TTempDir dir;
  TRecordingHooks hooks;
  std::string code;
  {
    TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
    SaveFileAtomic(session.Paths().ArchiveFile(), SerializeDrawRecords(MakeDemoDraws(40, 3)));
    session.LoadOptions();
    session.LoadArchive();
    const std::vector<TMethodItem> items = DrawStatsMethodItems(session.StatList());
    ASSERT_GT(items.size(), 10u);
    const int chosen = items.back().Method;  // after the channel group
    code = session.StatList().Item(chosen).Code();
    session.SelectDrawStatsMethod(chosen);
    EXPECT_EQ(session.DrawStats().Key.Method, chosen);

    TSystemSettings s = session.SystemSettings();
    s.ChannelSize = 4;
    session.ApplySystemSettings(s);
    EXPECT_NE(session.DrawStatsMethod(), chosen);
    EXPECT_EQ(session.StatList().Item(session.DrawStatsMethod()).Code(), code);
    EXPECT_EQ(session.DrawStats().Key.Method, session.DrawStatsMethod());
    session.SaveWindowSettings({});
  }
  TAppSession restarted(TAppPaths::ForFolder(dir.Path()), hooks);
  restarted.LoadOptions();
  ASSERT_GE(restarted.DrawStatsMethod(), 0);
  EXPECT_EQ(restarted.StatList().Item(restarted.DrawStatsMethod()).Code(), code);

  // A code no longer listed falls back to the first listed method.
  TIniFile(restarted.Paths().FrmFile()).WriteString("TFormMain", "DrawsStatType", "NOSUCH");
  TAppSession fallback(TAppPaths::ForFolder(dir.Path()), hooks);
  fallback.LoadOptions();
  EXPECT_EQ(fallback.DrawStatsMethod(), DrawStatsMethodItems(fallback.StatList()).front().Method);
  EXPECT_TRUE(hooks.Messages.empty());
}

}  // namespace vetrilo
