// Shared helpers of the data-exchange tests: grids, temporary files and reading them back.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "grid/model/RivErodovOzar.h"

namespace exchange {

inline std::unique_ptr<TRivErodovOzar> MakeGrid(int Cols, int Rows) {
  std::unique_ptr<TRivErodovOzar> grid(New<TRivErodovOzar>(nullptr));
  grid->SetColCount(Cols);
  grid->SetRowCount(Rows);
  return grid;
}

// A file name under the test's temporary folder, named after the running test.
inline String TempPath(const String& Suffix) {
  return ::testing::TempDir() + "exchange_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
         Suffix;
}

inline String ReadBytes(const String& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const String& Path, const String& Bytes) { std::ofstream(Path, std::ios::binary) << Bytes; }

// External readers the tests consult: a shell command's output, and python3 scripts run
// on a file.
// Runs a shell command; its standard output, and whether it exited with 0.
inline bool RunCommand(const String& Command, String& Output) {
  FILE* pipe = popen((Command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return false;
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) Output.append(buffer, n);
  return pclose(pipe) == 0;
}

inline bool HaveTool(const char* Path) { return access(Path, X_OK) == 0; }

inline String Python(const String& Script, const String& Path) {
  const String script = TempPath(".py");
  WriteBytes(script, Script);
  String out;
  EXPECT_TRUE(RunCommand("/usr/bin/python3 " + script + " " + Path, out)) << out;
  std::remove(script.c_str());
  return out;
}

}  // namespace exchange
