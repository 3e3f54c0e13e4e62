// An X server of the test's own (Xvfb) for the length of the object, when the machine has one:
// child processes reach it through DISPLAY=Name().
#pragma once

#include <sys/types.h>

#include <string>

class VirtualDisplay {
 public:
  VirtualDisplay();
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  // Whether an Xvfb program is on the PATH at all.
  static bool Installed();
  // Whether the server came up; Name() is then its display, ":N".
  bool Running() const { return !name_.empty(); }
  const std::string& Name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};
