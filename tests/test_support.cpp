#include "test_support.h"

#include <fcntl.h>
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

namespace {

// Starts argv with the environment plus `env` ("NAME=value" entries replace
// their names), its output to these files. Everything the child needs is made
// before the fork: tests start programs from several threads at once, and a
// child that allocated could wait for an allocator lock another thread held.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env,
            const std::string& outPath, const std::string& errPath) {
  std::vector<std::string> vars;
  for (char** e = environ; *e; ++e) {
    const std::string var = *e;
    const std::string name = var.substr(0, var.find('='));
    bool replaced = false;
    for (const std::string& kv : env) replaced = replaced || kv.substr(0, kv.find('=')) == name;
    if (!replaced) vars.push_back(var);
  }
  vars.insert(vars.end(), env.begin(), env.end());
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const std::string& v : vars) envp.push_back(const_cast<char*>(v.c_str()));
  envp.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(127);
    ::execve(args[0], args.data(), envp.data());
    ::_exit(127);
  }
  return pid;
}

}  // namespace

TRunResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  // stdout and stderr go to temporary files so a large output cannot block the child.
  TTempDir tmp;
  const std::string outPath = tmp.File("out"), errPath = tmp.File("err");
  const pid_t pid = Spawn(argv, env, outPath, errPath);
  int status = 0;
  ::waitpid(pid, &status, 0);
  TRunResult r;
  r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  r.Out = ReadFile(outPath);
  r.Err = ReadFile(errPath);
  return r;
}

int StartProgram(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
  return Spawn(argv, env, "/dev/null", "/dev/null");
}

}  // namespace vetrilo::test
