#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vetrilo::test {

TTempDir::TTempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "vetrilo-test-XXXXXX").string();
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back('\0');
  if (!::mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
  path_ = buf.data();
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

TDrawsArray MakeDraws(const std::vector<TDrawSpec>& specs) {
  TDrawsArray draws;
  for (const TDrawSpec& s : specs) {
    TDrawRec d;
    d.Number = s.Number;
    d.Balls = {uint8_t(s.B1), uint8_t(s.B2), uint8_t(s.B3), uint8_t(s.B4)};
    d.Extra = uint8_t(s.Extra);
    d.Date = s.Date;
    draws.push_back(d);
  }
  return draws;
}

TDrawArchive MakeArchive(const std::vector<TDrawSpec>& specs) {
  TDrawArchive archive;
  archive.Draws = MakeDraws(specs);
  return archive;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TRunResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  // stdout and stderr go to temporary files so a large output cannot block the child.
  TTempDir tmp;
  const std::string outPath = tmp.File("out"), errPath = tmp.File("err");
  const pid_t pid = ::fork();
  if (pid == 0) {
    FILE* o = std::freopen(outPath.c_str(), "w", stdout);
    FILE* e = std::freopen(errPath.c_str(), "w", stderr);
    (void)o;
    (void)e;
    for (const std::string& kv : env) ::putenv(const_cast<char*>(kv.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    std::_Exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  TRunResult r;
  r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.Out = ReadFile(outPath);
  r.Err = ReadFile(errPath);
  return r;
}

int StartProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    FILE* o = std::freopen("/dev/null", "w", stdout);
    FILE* e = std::freopen("/dev/null", "w", stderr);
    (void)o;
    (void)e;
    for (const std::string& kv : env) ::putenv(const_cast<char*>(kv.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    std::_Exit(127);
  }
  return pid;
}

}  // namespace vetrilo::test
