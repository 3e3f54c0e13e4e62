// A test program started again as a child process that runs one registered entry in place of
// the tests: the program's own start-up, message loop and exit, in a process of its own, whose
// exit status and output the test then reads.
#pragma once

#include <string>
#include <vector>

namespace ChildProcess {

// What the child does in place of the tests; its result is what main returns.
using Entry = int (*)(int argc, char** argv);

// Registers Run under Name, from a namespace-scope initialiser of a test file; returns true.
bool Register(const char* Name, Entry Run);

// For the shared main, before anything else: when this process was started as a child, runs
// its entry (with the program name as the only argument) and gives its result in ExitCode.
bool RunEntryIfChild(int argc, char** argv, int& ExitCode);

struct Outcome {
  bool Exited = false;    // ended by returning from main or calling exit
  int ExitStatus = -1;    // when Exited
  int Signal = 0;         // the signal that ended it, when it did not exit
  bool TimedOut = false;  // killed after Millis
  std::string Output;     // standard output and standard error, interleaved
};

// Starts this test program again as a child running the entry Name, with this process's
// environment and the "NAME=value" pairs of Environment over it, and waits for its end; after
// Millis it is killed.
Outcome Run(const std::string& Name, const std::vector<std::string>& Environment, int Millis);

// Says how it ended, for a failure message.
std::string Describe(const Outcome& Result);

}  // namespace ChildProcess
