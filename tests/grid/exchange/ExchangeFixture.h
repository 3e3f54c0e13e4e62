// Shared helpers of the data-exchange tests: grids, temporary files and reading them back.
#pragma once

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

}  // namespace exchange
