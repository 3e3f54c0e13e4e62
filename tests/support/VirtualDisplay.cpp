#include "support/VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

constexpr int kDisplayComeUpMillis = 10000;

std::string FindOnPath(const std::string& Program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    std::string candidate = (folder.empty() ? "." : folder) + "/" + Program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

}  // namespace

bool VirtualDisplay::Installed() { return !FindOnPath("Xvfb").empty(); }

VirtualDisplay::VirtualDisplay() {
  const std::string xvfb = FindOnPath("Xvfb");
  if (xvfb.empty()) return;
  // The server picks a free display itself and writes its number to the pipe.
  int number[2];
  if (pipe(number) != 0) return;
  fcntl(number[0], F_SETFD, FD_CLOEXEC);
  std::vector<std::string> args = {xvfb, "-displayfd", std::to_string(number[1]), "-screen", "0", "1280x1024x24",
                                   "-nolisten", "tcp"};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ == 0) {
    int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(number[1]);
  std::string digits;
  char c = 0;
  pollfd p{number[0], POLLIN, 0};
  while (poll(&p, 1, kDisplayComeUpMillis) > 0 && read(number[0], &c, 1) == 1 && c != '\n') digits += c;
  close(number[0]);
  if (!digits.empty()) name_ = ":" + digits;
}

VirtualDisplay::~VirtualDisplay() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}
