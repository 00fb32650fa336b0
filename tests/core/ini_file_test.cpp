#include "core/ini_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "core/errors.h"
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

TEST(IniFile, MissingOrDamagedFilesReadAsEmpty) {
  TTempDir dir;
  EXPECT_EQ(TIniFile(dir.File("none.ini")).ReadInteger("A", "B", 7), 7);
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  WriteFile(dir.File("junk.ini"), junk);
  EXPECT_EQ(TIniFile(dir.File("junk.ini")).ReadInteger("GLOBAL", "MatrixCols", 8), 8);
}

TEST(IniFile, UnreadableFileFailsAndIsNeverWrittenOver) {
  TTempDir dir;
  // A folder where the file should be, and a socket: neither can be read, but a
  // socket could be replaced by a rename, so only refusing the write keeps it.
  std::filesystem::create_directory(dir.File("dir.ini"));
  const std::string socketPath = dir.File("sock.ini");
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.size(), sizeof addr.sun_path);
  std::memcpy(addr.sun_path, socketPath.c_str(), socketPath.size() + 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
  for (const std::string& path : {dir.File("dir.ini"), socketPath}) {
    SCOPED_TRACE(path);
    const TIniFile ini(path);
    try {
      ini.Load();
      ADD_FAILURE() << "read an unreadable file";
    } catch (const EVetrilo& e) {
      EXPECT_EQ(e.Message().rfind("\"" + path + "\": ", 0), 0u) << e.Message();
    }
    bool edited = false;
    EXPECT_THROW(ini.Update([&](TIniData&) { edited = true; }), EVetrilo);
    EXPECT_FALSE(edited);
    EXPECT_THROW(ini.WriteInteger("A", "B", 2), EVetrilo);
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("dir.ini")));
  EXPECT_TRUE(std::filesystem::is_socket(socketPath));
  ::close(fd);
}

TEST(IniFile, FileMarkedUnreadableReadsEmptyAndIsLeftAlone) {
  TTempDir dir;
  WriteFile(dir.File("a.ini"), "[GLOBAL]\r\nMatrixCols=5\r\n");
  const TIniFile ini(dir.File("a.ini"), true);
  EXPECT_EQ(ini.ReadInteger("GLOBAL", "MatrixCols", 8), 8);
  ini.WriteInteger("GLOBAL", "MatrixCols", 6);
  ini.Save(TIniData::Parse("[X]\r\n"));
  ini.EraseSection("GLOBAL");
  EXPECT_EQ(ReadFile(dir.File("a.ini")), "[GLOBAL]\r\nMatrixCols=5\r\n");
}

TEST(IniFile, NewFileWithASecretIsPrivate) {
  TTempDir dir;
  const auto mode = [](const std::string& path) {
    struct stat st;
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 0777;
  };
  TIniFile(dir.File("plain.ini")).WriteString("PROXY", "ProxyServer", "host");
  EXPECT_EQ(mode(dir.File("plain.ini")), 0644u);
  TIniFile(dir.File("secret.ini")).WriteString("PROXY", "ProxyPassword", "pw");
  EXPECT_EQ(mode(dir.File("secret.ini")), 0600u);
  TIniFile(dir.File("key.ini")).WriteString("CATALOG", "Key", "0123abcd");
  EXPECT_EQ(mode(dir.File("key.ini")), 0600u);
  // A file the user made private stays so, whatever is written to it.
  ASSERT_EQ(::chmod(dir.File("plain.ini").c_str(), 0600), 0);
  TIniFile(dir.File("plain.ini")).WriteString("GLOBAL", "MatrixCols", "8");
  EXPECT_EQ(mode(dir.File("plain.ini")), 0600u);
}

TEST(IniFile, FloatTextsAreShortestAndLocaleFree) {
  EXPECT_EQ(FloatToIniText(-1.0L), "-1");
  EXPECT_EQ(FloatToIniText(0.1L), "0.1");
  EXPECT_EQ(ParseIniFloat("1e3"), 1000.0L);
  EXPECT_FALSE(ParseIniFloat("nan"));
  EXPECT_FALSE(ParseIniFloat("1.2.3"));
}

}  // namespace vetrilo
