#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <map>

extern char** environ;

namespace ChildProcess {

namespace {

constexpr const char* kEntryOption = "--child-entry=";

std::map<std::string, Entry>& Entries() {
  static std::map<std::string, Entry> entries;
  return entries;
}

std::string SelfPath() {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

// This process's environment with Overrides ("NAME=value") put over it.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& Overrides) {
  std::vector<std::string> merged;
  auto nameOf = [](const std::string& pair) { return pair.substr(0, pair.find('=')); };
  for (char** e = environ; *e != nullptr; ++e) {
    std::string pair = *e;
    bool replaced = false;
    for (const std::string& o : Overrides) replaced = replaced || nameOf(o) == nameOf(pair);
    if (!replaced) merged.push_back(pair);
  }
  merged.insert(merged.end(), Overrides.begin(), Overrides.end());
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& Strings) {
  std::vector<char*> pointers;
  for (std::string& s : Strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

bool Register(const char* Name, Entry Run) {
  Entries()[Name] = Run;
  return true;
}

bool RunEntryIfChild(int argc, char** argv, int& ExitCode) {
  if (argc < 2 || std::strncmp(argv[1], kEntryOption, std::strlen(kEntryOption)) != 0) return false;
  auto it = Entries().find(argv[1] + std::strlen(kEntryOption));
  if (it == Entries().end()) {
    ExitCode = 125;
    return true;
  }
  char* programOnly[] = {argv[0], nullptr};
  ExitCode = it->second(1, programOnly);
  return true;
}

Outcome Run(const std::string& Name, const std::vector<std::string>& Environment, int Millis) {
  Outcome result;
  // Everything the child needs is made before the fork: after it only exec follows.
  std::vector<std::string> args = {SelfPath(), kEntryOption + Name};
  std::vector<std::string> env = MergedEnvironment(Environment);
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    result.Output = "pipe failed";
    return result;
  }
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    dup2(out[1], STDERR_FILENO);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(out[1]);
  if (pid < 0) {
    close(out[0]);
    result.Output = "fork failed";
    return result;
  }
  // Read until the child closes its end (it ends), or kill it when it takes too long.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Millis);
  char buffer[4096];
  while (true) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      result.TimedOut = true;
      kill(pid, SIGKILL);
      break;
    }
    pollfd p{out[0], POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    result.Output.append(buffer, static_cast<size_t>(n));
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) {
    result.Exited = true;
    result.ExitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.Signal = WTERMSIG(status);
  }
  return result;
}

std::string Describe(const Outcome& Result) {
  std::string how = Result.TimedOut ? "killed after its time ran out"
                    : Result.Exited ? "exited with status " + std::to_string(Result.ExitStatus)
                                    : "ended by signal " + std::to_string(Result.Signal);
  return "the child " + how + "; its output:\n" + Result.Output;
}

}  // namespace ChildProcess
