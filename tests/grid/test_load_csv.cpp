// The grid's delimited-text reader: how lines and fields of a file land in the cells.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "grid/model/RivErodovOzar.h"
#include "grid/exchange/GridCSV.h"

namespace {

class LoadCSV : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.reset(New<TRivErodovOzar>(nullptr));
    grid->SetColCount(1);  // the loader only widens
    path = ::testing::TempDir() + "grid_load_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";
  }
  void TearDown() override { std::remove(path.c_str()); }

  void Load(const String& Bytes, char Delimiter = ',', int MaxRows = -1) {
    std::ofstream(path, std::ios::binary) << Bytes;
    grid->FDelimiter = Delimiter;
    grid->LoadFromCSV(path, MaxRows);
  }
  std::vector<String> Row(int r) {
    std::vector<String> texts;
    for (int c = 0; c < grid->ColCount(); ++c) texts.push_back(grid->Cells(c, r));
    return texts;
  }

  std::unique_ptr<TRivErodovOzar> grid;
  String path;
};

using Texts = std::vector<String>;

TEST_F(LoadCSV, FieldsQuotesAndEmptyFields) {
  Load("a,\"b,c\",d\n"
       "\"say \"\"hi\"\"\",,x\n"
       "\"line\vbreak\",\"\",end\n"
       "one,two,\n");
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(Row(0), (Texts{"a", "b,c", "d"}));
  EXPECT_EQ(Row(1), (Texts{"say \"hi\"", "", "x"}));
  EXPECT_EQ(Row(2), (Texts{"line\r\nbreak", "", "end"}));
  // A trailing delimiter adds no field.
  EXPECT_EQ(Row(3), (Texts{"one", "two", ""}));
}

TEST_F(LoadCSV, LineEndsOfEveryKindAndEmptyLines) {
  Load("a,b\r\n\rc,d\ne,f\r\n");
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(Row(0), (Texts{"a", "b"}));
  EXPECT_EQ(Row(1), (Texts{"", ""}));
  EXPECT_EQ(Row(2), (Texts{"c", "d"}));
  EXPECT_EQ(Row(3), (Texts{"e", "f"}));
}

TEST_F(LoadCSV, RowCountIsTheLineCountAndColumnsNeverShrink) {
  grid->SetColCount(6);
  grid->SetRowCount(50);
  grid->SetFixedRows(1);
  Load("x y\n1 2 3\n", ' ');
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->ColCount(), 6);
  EXPECT_EQ(Row(1)[2], "3");

  Load("only\n");  // one line: the fixed row must give way
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(grid->FixedRows(), 0);

  grid->SetColCount(2);
  Load(String(2500, '\n') + "p,q,r,s,t,u,v,w", ',');
  EXPECT_EQ(grid->RowCount(), 2501);
  EXPECT_EQ(grid->ColCount(), 8);
  EXPECT_EQ(grid->Cells(7, 2500), "w");
}

TEST_F(LoadCSV, OneLongLineAmongManyShortOnes) {
  String text = "t";
  for (int c = 1; c < 100000; ++c) text += "," + std::to_string(c);
  text += "\n";
  for (int r = 1; r <= 10000; ++r) text += "r" + std::to_string(r) + ",x\r\n";
  Load(text);
  EXPECT_EQ(grid->RowCount(), 10001);
  EXPECT_EQ(grid->ColCount(), 100000);
  EXPECT_EQ(grid->Cells(99999, 0), "99999");
  EXPECT_EQ(grid->Cells(1, 10000), "x");
  EXPECT_EQ(grid->Cells(2, 10000), "");
  EXPECT_EQ(grid->Cells(0, 5000), "r5000");
}

TEST_F(LoadCSV, MaxRowsLimitsTheLinesRead) {
  Load("1\n2\n3\n4\n", ',', 2);
  EXPECT_EQ(grid->RowCount(), 2);
  Load("1\n2\n3\n4\n", ',', 0);
  EXPECT_EQ(grid->RowCount(), 4);
}

TEST_F(LoadCSV, ByteOrderMarksSelectTheEncoding) {
  Load("\xEF\xBB\xBF\xC3\xA9t\xC3\xA9,b\n");
  EXPECT_EQ(grid->Cells(0, 0), "\xC3\xA9t\xC3\xA9");
  // "é,x" CR LF "y" in UTF-16 little and big endian.
  Load(String("\xFF\xFE\xE9\x00,\x00x\x00\r\x00\n\x00y\x00", 14));
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Cells(0, 0), "\xC3\xA9");
  EXPECT_EQ(grid->Cells(1, 0), "x");
  Load(String("\xFE\xFF\x00\xE9\x00,\x00x", 8));
  EXPECT_EQ(grid->Cells(0, 0), "\xC3\xA9");
  // Without a mark the bytes stay as they are.
  Load("caf\xE9,1\n");
  EXPECT_EQ(grid->Cells(0, 0), "caf\xE9");
}

TEST_F(LoadCSV, GuessedDelimiterServesOneLoadOnly) {
  Load("a;b;c\n1;2;3\n", '\0');
  EXPECT_EQ(Row(1), (Texts{"1", "2", "3"}));
  EXPECT_EQ(grid->FDelimiter, '\0');
  // No candidate at all: each line is one field.
  Load("a b\nc d\n", '\0');
  EXPECT_EQ(grid->Cells(0, 0), "a b");
}

TEST_F(LoadCSV, EmptyOrMissingFileFailsAndLeavesTheGrid) {
  grid->SetCells(1, 1, "kept");
  const int rows = grid->RowCount();
  for (const String& bytes : {String(), String("\xEF\xBB\xBF")}) {
    try {
      Load(bytes);
      FAIL() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "File is empty");
    }
  }
  EXPECT_EQ(grid->RowCount(), rows);
  EXPECT_EQ(grid->Cells(1, 1), "kept");
  String missing = ::testing::TempDir() + "no_such_grid_file.csv";
  try {
    grid->LoadFromCSV(missing, -1);
    FAIL() << "no error";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message, "Cannot open file \"" + missing + "\"");
  }
}

TEST(DelimitedLoad, DetectionAndSplittingRules) {
  // Doubled characters are escaped ones; counts must agree between the two lines.
  EXPECT_EQ(GridCSV::DetectDelimiter("a,,b;c", "d,,e;f"), ';');
  EXPECT_EQ(GridCSV::DetectDelimiter("a|b|c", "x"), '|');
  EXPECT_EQ(GridCSV::DetectDelimiter("a,b;c", "d,e;f"), ',');
  EXPECT_EQ(GridCSV::DetectDelimiter("plain", ""), '\0');
  struct Case { String line; std::vector<String> fields; };
  for (const Case& c : std::vector<Case>{
           {"", {}},
           {",,", {"", ""}},
           {"\"a\"b,c", {"ab", "c"}},       // text after the closing quote stays with the field
           {"\"open,c", {"open", "c"}},      // no closing quote: the text up to the delimiter
           {"x,\"q\"\"\"", {"x", "q\""}},   // last field unquoted once
           {"\"\"\"a\"\"\",b", {"\"a\"", "b"}},
           // After a quote without a closing one, the next quoted field still finds its own.
           {"\"a,\"\",b", {"a", "", "b"}},
           {"\"a,\"\"x,\"y\",z", {"a,\"x,y", "z"}}}) {
    EXPECT_EQ(GridCSV::SplitFields(c.line, ','), c.fields) << c.line;
  }
}

TEST(DelimitedLoad, ReadCellsAllocatesEachRowOnceAndStopsAtTheLimit) {
  GridCSV::TCellTexts cells;
  ASSERT_TRUE(GridCSV::ReadCells("t,a,b\r\nx,1,2\ny,3,\r\"q,r\",4\r\n", ',', -1, 0, cells));
  ASSERT_EQ(cells.Rows.size(), 4u);
  EXPECT_EQ(cells.Widest, 3u);
  const std::vector<size_t> sizes = {3, 3, 2, 2};
  for (size_t r = 0; r < sizes.size(); ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(cells.Rows[r].Texts.size(), sizes[r]);
    // A quoted delimiter costs a slot; no row grows by doubling.
    EXPECT_LE(cells.Rows[r].Texts.capacity(), sizes[r] + (r == 3 ? 1 : 0));
  }
  EXPECT_EQ(cells.Rows[3].Texts[0].Str(), "q,r");

  // Lines without a single field still count against the limit; the store is never reserved
  // for more rows than the limit lets through.
  const String breaks(100000, '\n');
  EXPECT_FALSE(GridCSV::ReadCells(breaks, ',', -1, 10, cells));
  EXPECT_TRUE(cells.TooLarge);
  EXPECT_LE(cells.Rows.capacity(), 12u);
  EXPECT_TRUE(GridCSV::ReadCells(String(11, '\n'), ',', -1, 10, cells));
  EXPECT_EQ(cells.Rows.size(), 11u);
}

}  // namespace
