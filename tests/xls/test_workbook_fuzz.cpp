// Damaged whole workbooks: mutated copies of the fixtures' record streams go through the
// workbook's load, a save of what loaded, a second load and the sheet operations. Each either
// works or fails with the engine's own error; a crash, a hang, a sanitizer report or another
// exception fails the test.
#include <gtest/gtest.h>

#include <random>

#include "WorkbookTestHelpers.h"

using namespace xlstest;

namespace {

void Mutate(std::vector<Byte>& bytes, std::mt19937& rng) {
  const int changes = 1 + static_cast<int>(rng() % 6);
  for (int k = 0; k < changes && bytes.size() > 8; ++k) {
    const size_t pos = rng() % (bytes.size() - 4);
    switch (rng() % 4) {
      case 0: bytes[pos] = static_cast<Byte>(rng()); break;
      case 1:  // a record size or id
        bytes[pos] = static_cast<Byte>(rng() % 3 == 0 ? 0xFF : rng());
        bytes[pos + 1] = static_cast<Byte>(rng() % 2 ? 0 : rng());
        break;
      case 2: {
        const size_t end = std::min(bytes.size(), pos + 1 + rng() % 16);
        bytes.erase(bytes.begin() + static_cast<long>(pos), bytes.begin() + static_cast<long>(end));
        break;
      }
      default: bytes.resize(pos + 4); break;
    }
  }
}

enum class Outcome { Worked, Refused };

Outcome Exercise(const std::string& compound) {
  try {
    auto wb = LoadWorkbook(compound);
    const std::string saved = SaveWorkbook(*wb, compound);
    auto again = LoadWorkbook(saved);
    if (again->Sheets().Count() > 0) {
      again->InsertSheets(0, again->Sheets().Count(), 1);
      again->InsertAndCopyRowsAndCols(0, 0, 1, 3, 1, 0, 0, 0, 0, false);
      again->DeleteRowsAndCols(0, 0, 1, 0, 1);
      again->DeleteSheets(0, 1);
      SaveWorkbook(*again, compound);
    }
    return Outcome::Worked;
  } catch (const Exception&) {
    return Outcome::Refused;
  }
}

}  // namespace

TEST(WorkbookFuzz, MutatedWorkbooksLoadOrFailCleanly) {
  std::mt19937 rng(4711);
  int refused = 0, worked = 0;
  for (const char* name : {"small_grid.xls", "rich_text.xls", "cells.xls", "booleans_errors.xls", "workbook_features.xls"}) {
    const std::string original = Fixture(name);
    const std::vector<Byte> stream = StreamOf(original, u"Workbook");
    for (int i = 0; i < 250; ++i) {
      std::vector<Byte> copy = stream;
      Mutate(copy, rng);
      if (copy.size() < 4096) copy.resize(4096 + rng() % 3, 0);
      (Exercise(RewriteStream(original, u"Workbook", copy)) == Outcome::Worked ? worked : refused)++;
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(worked, 0);
}
