#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/ini_file.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

TEST(IniFile, SectionsAndKeysIgnoreCaseAndValuesAreTrimmed) {
  const TIniData d = TIniData::Parse("[Global]\r\nChannelSize = 10 \r\n[cdl]\nLevel=1.5\n");
  EXPECT_EQ(d.ReadInteger("GLOBAL", "channelsize", 8), 10);
  EXPECT_EQ(d.ReadFloat("CDL", "LEVEL", 0), 1.5L);
  EXPECT_EQ(d.ReadString("CDL", "Missing", "def"), "def");
  EXPECT_EQ(d.ReadInteger("NOPE", "ChannelSize", 8), 8);
}

TEST(IniFile, NonNumbersGiveTheDefault) {
  const TIniData d = TIniData::Parse("[A]\nI=abc\nH=$10\nF=1,25\nB=yes\nE=\n");
  EXPECT_EQ(d.ReadInteger("A", "I", 5), 5);
  EXPECT_EQ(d.ReadInteger("A", "H", 5), 16);
  EXPECT_EQ(d.ReadFloat("A", "F", 0), 1.25L);
  EXPECT_TRUE(d.ReadBool("A", "B", true));
  EXPECT_FALSE(d.ReadBool("A", "B", false));
  EXPECT_EQ(d.ReadInteger("A", "E", 3), 3);
}

TEST(IniFile, WritesKeepOtherLinesAndEraseSection) {
  TIniData d = TIniData::Parse("; comment\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  d.WriteString("a", "X", "3");
  d.WriteInteger("A", "z", 4);
  d.EraseSection("b");
  d.WriteBool("C", "On", true);
  EXPECT_EQ(d.Text(), "; comment\r\n[A]\r\nx=3\r\nz=4\r\n\r\n[C]\r\nOn=1\r\n");
  EXPECT_EQ(d.ReadSection("A"), (std::vector<std::string>{"x", "z"}));
}

TEST(IniFile, FileIsCp1251OnDiskAndEveryWriteReachesIt) {
  TTempDir dir;
  const TIniFile ini(dir.File("s.ini"));
  ini.WriteString("STRINGS_RUS", "NUMS", "Числа");
  EXPECT_EQ(ReadFile(ini.Path()), "[STRINGS_RUS]\r\nNUMS=\xD7\xE8\xF1\xEB\xE0\r\n");
  EXPECT_EQ(TIniFile(ini.Path()).ReadString("strings_rus", "nums", ""), "Числа");
}

TEST(IniFile, MissingDamagedOrUnusableFilesReadAsEmpty) {
  TTempDir dir;
  EXPECT_EQ(TIniFile(dir.File("none.ini")).ReadInteger("A", "B", 7), 7);
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  WriteFile(dir.File("junk.ini"), junk);
  EXPECT_EQ(TIniFile(dir.File("junk.ini")).ReadInteger("GLOBAL", "MatrixCols", 8), 8);
  // A folder where the file should be: reads as empty, writing fails cleanly.
  std::filesystem::create_directory(dir.File("dir.ini"));
  const TIniFile folder(dir.File("dir.ini"));
  EXPECT_EQ(folder.ReadInteger("A", "B", 1), 1);
  EXPECT_THROW(folder.WriteInteger("A", "B", 2), EVetrilo);
}

TEST(IniFile, FloatTextsAreShortestAndLocaleFree) {
  EXPECT_EQ(FloatToIniText(-1.0L), "-1");
  EXPECT_EQ(FloatToIniText(0.1L), "0.1");
  EXPECT_EQ(ParseIniFloat("1e3"), 1000.0L);
  EXPECT_FALSE(ParseIniFloat("nan"));
  EXPECT_FALSE(ParseIniFloat("1.2.3"));
}

}  // namespace vetrilo
