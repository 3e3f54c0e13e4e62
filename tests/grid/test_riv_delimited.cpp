// The grid's delimited-text loaders and savers: what lands where, what is written, and that
// everything written reads back cell for cell.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "grid/model/RivErodovOzar.h"

namespace {

using Texts = std::vector<String>;

// Records the savers' notifications.
class TNotifiedGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::TRivErodovOzar;
  void ExportNotification(TGridExportState AState, int ARow) override { Exports.push_back({AState, ARow}); }
  std::vector<std::pair<TGridExportState, int>> Exports;
};

class Delimited : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.reset(New<TNotifiedGrid>(nullptr));
    grid->SetColCount(1);
    path = ::testing::TempDir() + "riv_delimited_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".csv";
  }
  void TearDown() override { std::remove(path.c_str()); }

  void Write(const String& Bytes) { std::ofstream(path, std::ios::binary) << Bytes; }
  String Read() {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Load(const String& Bytes, char Delimiter, int MaxRows = -1) {
    Write(Bytes);
    grid->FDelimiter = Delimiter;
    grid->LoadFromCSV(path, MaxRows);
  }
  Texts Row(int r) {
    Texts texts;
    for (int c = 0; c < grid->ColCount(); ++c) texts.push_back(grid->Cells(c, r));
    return texts;
  }
  void Fill(int Cols, int Rows, const std::vector<Texts>& Cells) {
    grid->Clear();
    grid->SetColCount(Cols);
    grid->SetRowCount(Rows);
    for (size_t r = 0; r < Cells.size(); ++r)
      for (size_t c = 0; c < Cells[r].size(); ++c) grid->SetCells(static_cast<int>(c), static_cast<int>(r), Cells[r][c]);
  }

  std::unique_ptr<TNotifiedGrid> grid;
  String path;
};

TEST_F(Delimited, ReadCases) {
  struct Case {
    const char* what;
    String bytes;
    char delimiter;
    std::vector<Texts> rows;
  };
  const std::vector<Case> cases = {
      {"quotes and doubled quotes", "\"a,b\",\"say \"\"hi\"\"\",x\"y\n", ',', {{"a,b", "say \"hi\"", "xy"}}},
      {"#11 is a line break", "\"one\vtwo\",z\n", ',', {{"one\r\ntwo", "z"}}},
      {"unclosed quote keeps its text", "\"open,next\n", ',', {{"open", "next"}}},
      {"text after a closing quote is kept", "\"a\"b,c\n", ',', {{"ab", "c"}}},
      {"quoted last field without a delimiter after", "x,\"p,q\"tail\n", ',', {{"x", "p,qtail"}}},
      {"spaces: empty middle, trailing, leading", "a  b\nc \n d\n", ' ', {{"a", "", "b"}, {"c", "", ""}, {"", "d", ""}}},
      {"semicolons found in pass 1", "1;2;3\n4;5;6\n", '\0', {{"1", "2", "3"}, {"4", "5", "6"}}},
      {"hyphens found in pass 3", "alpha-beta-gamma\n", '\0', {{"alpha", "beta", "gamma"}}},
      {"no candidate: one field a line", "a b\nc d\n", '\0', {{"a b"}, {"c d"}}},
      {"trailing empty line gives an empty row", "a,b\n\n", ',', {{"a", "b"}, {"", ""}}},
  };
  for (const Case& c : cases) {
    grid->SetColCount(1);
    grid->Clear();
    Load(c.bytes, c.delimiter);
    ASSERT_EQ(grid->RowCount(), static_cast<int>(c.rows.size())) << c.what;
    for (size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(Row(static_cast<int>(r)), c.rows[r]) << c.what;
    EXPECT_EQ(grid->FDelimiter, c.delimiter) << c.what;
  }
}

TEST_F(Delimited, CommaFoundInPass3AndCellsNotReachedKeepTheirText) {
  Fill(3, 2, {{"", "", ""}, {"", "", "old"}});
  Load("a,b,c\nd,e\n", '\0');
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(Row(0), (Texts{"a", "b", "c"}));
  EXPECT_EQ(Row(1), (Texts{"d", "e", "old"}));
  EXPECT_EQ(grid->FDelimiter, '\0');
}

TEST_F(Delimited, JavaStyleFields) {
  grid->JavaCSV = true;
  Load("a~b,^,\"x,y\"\n", ',');
  EXPECT_EQ(Row(0), (Texts{"a\r\nb", "", "x,y"}));

  Fill(3, 1, {{"l1\r\nl2", "", "p,q"}});
  grid->FDelimiter = ',';
  grid->SaveToCSV(path);
  EXPECT_EQ(Read(), "l1~l2,^,\"p,q\"\r\n");
  grid->Clear();
  grid->LoadFromCSV(path, 0);
  EXPECT_EQ(Row(0), (Texts{"l1\r\nl2", "", "p,q"}));
}

TEST_F(Delimited, TitleLineMaxRowsAndStartCell) {
  String text;
  for (int i = 1; i <= 20; ++i) text += "line" + std::to_string(i) + "\n";
  grid->LoadFirstRow = false;
  Load(text, ',', 10);
  EXPECT_EQ(grid->RowCount(), 10);
  EXPECT_EQ(grid->Cells(0, 0), "line2");
  EXPECT_EQ(grid->Cells(0, 9), "line11");

  // Without the fixed cells the file starts at the first normal cell.
  grid->LoadFirstRow = true;
  grid->SaveFixedCells = false;
  Fill(3, 3, {{"corner", "top", ""}, {"left", "", ""}});
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  Load("a,b\nc,d\n", ',');
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(Row(0), (Texts{"corner", "top", ""}));
  EXPECT_EQ(Row(1), (Texts{"left", "a", "b"}));
  EXPECT_EQ(Row(2), (Texts{"", "c", "d"}));
}

TEST_F(Delimited, GrowsInStepsOf1000RowsAndReportsProgressTo100) {
  String text;
  for (int i = 0; i < 2500; ++i) text += std::to_string(i) + "\n";
  std::vector<int> counts;
  grid->OnLoadCell = [&](TObject*, int, int ARow, String&) {
    if (ARow % 500 == 0) counts.push_back(grid->RowCount());
  };
  const int start = grid->RowCount();
  Load(text, ',');
  EXPECT_EQ(counts, (std::vector<int>{start, start + 1000, start + 1000, start + 2000, start + 2000}));
  EXPECT_EQ(grid->RowCount(), 2500);

  std::vector<int> progress;
  grid->OnLoadCell = nullptr;
  grid->OnFileProgress = [&](TObject*, int16_t p) { progress.push_back(p); };
  Load(text, ',');
  ASSERT_EQ(progress.size(), 101u);  // once per percent
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(grid->RowCount(), 2500);

  progress.clear();
  grid->SaveToCSV(path);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
}

TEST_F(Delimited, EmptyFileLeavesTheGridAsItWas) {
  Fill(3, 4, {{"a", "b", "c"}});
  grid->FDelimiter = ';';
  for (const String& bytes : {String(), String("\xEF\xBB\xBF"), String("\xFF\xFE")}) {
    Write(bytes);
    for (bool insert : {false, true}) {
      try {
        if (insert) {
          grid->InsertFromCSV(path, 0);
        } else {
          grid->LoadFromCSV(path, 0);
        }
        FAIL() << "no error";
      } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "File is empty");
      }
      EXPECT_EQ(grid->RowCount(), 4);
      EXPECT_EQ(grid->ColCount(), 3);
      EXPECT_EQ(Row(0), (Texts{"a", "b", "c"}));
      EXPECT_EQ(grid->FDelimiter, ';');
    }
  }
}

TEST_F(Delimited, WriteCases) {
  struct Case {
    const char* what;
    String text;
    String written;
  };
  const std::vector<Case> cases = {
      {"plain", "abc", "abc"},
      {"delimiter", "a,b", "\"a,b\""},
      {"quote without delimiter", "say \"x\"", "\"say \"\"x\"\"\""},
      {"quote and delimiter", "a,\"b\"", "\"a,\"\"b\"\"\""},
      {"CR LF", "l1\r\nl2", "\"l1\vl2\""},
      {"lone LF and CR", "l1\nl2\rl3", "\"l1\vl2\vl3\""},
      {"line break beside a quote", "\"q\"\r\nx", "\"\"\"q\"\"\vx\""},
      {"empty", "", "\"\""},
  };
  for (const Case& c : cases) {
    Fill(2, 1, {{c.text, "end"}});
    grid->FDelimiter = '\0';  // a comma when saving
    grid->SaveToCSV(path);
    EXPECT_EQ(Read(), c.written + ",end\r\n") << c.what;
  }
  GridCSV::TWriteRules rules;
  rules.AlwaysQuotes = true;
  EXPECT_EQ(GridCSV::EncodeField("a", ',', rules), "\"a\"");
  EXPECT_EQ(GridCSV::EncodeField("a\r\nb", ',', rules), "\"a\vb\"");
  rules.AlwaysQuotes = false;
  rules.QuoteEmptyCells = false;
  EXPECT_EQ(GridCSV::EncodeField("", ',', rules), "");
}

TEST_F(Delimited, EverySavedFileReadsBackCellForCell) {
  const std::vector<Texts> cells = {
      {"corner", "a b", "c,d", "e;f"},
      {"\"lead", "trail\"", "mid\"dle", ""},
      {"l1\r\nl2", "x\r\n\r\ny", "\"q\"\r\n\"r\"", "tab\there"},
      {" spaced ", "", "\xC3\xA9t\xC3\xA9", "last"},
  };
  for (char delimiter : {',', ' ', ';', '\t'}) {
    for (bool unicode : {false, true}) {
      for (bool alwaysQuotes : {false, true}) {
        Fill(4, 4, cells);
        grid->AlwaysQuotes = alwaysQuotes;
        grid->FDelimiter = delimiter;
        grid->SaveToCSV(path, unicode);
        if (unicode) {
          EXPECT_EQ(Read().substr(0, 2), "\xFF\xFE");
        }
        grid->Clear();
        grid->SetRowCount(1);
        grid->LoadFromCSV(path, 0);
        ASSERT_EQ(grid->RowCount(), 4);
        for (int r = 0; r < 4; ++r)
          EXPECT_EQ(Row(r), cells[static_cast<size_t>(r)]) << "delimiter " << int(delimiter) << " unicode " << unicode;
      }
    }
  }
}

TEST_F(Delimited, SaveRangeNotificationsAndCellHooks) {
  Fill(4, 4, {{"c", "h1", "h2", "fr"}, {"r1", "1", "2", "x"}, {"r2", "3", "4", "y"}, {"f", "s1", "s2", "z"}});
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  grid->SetFixedFooters(1);
  grid->SetFixedRightCols(1);
  grid->SaveFixedCells = false;
  grid->OnSaveCell = [](TObject*, int ACol, int ARow, String& Value) {
    if (ACol == 2 && ARow == 2) Value = "<" + Value + ">";
  };
  grid->SaveToCSV(path);
  EXPECT_EQ(Read(), "1,2\r\n3,<4>\r\n");
  using E = std::pair<TGridExportState, int>;
  EXPECT_EQ(grid->Exports, (std::vector<E>{{esExportStart, 1}, {esExportNextRow, 1}, {esExportNextRow, 2}, {esExportDone, -1}}));

  // HTML mark-up goes unless asked to stay.
  grid->SaveFixedCells = true;
  grid->SetFixedFooters(0);
  grid->SetFixedRightCols(0);
  grid->OnSaveCell = nullptr;
  Fill(1, 1, {{"<b>bold</b><br>next"}});
  grid->SaveWithHTML = false;
  grid->SaveToCSV(path);
  EXPECT_EQ(Read(), "\"bold\vnext\"\r\n");

  // An empty checkbox cell saves its state.
  Fill(2, 1, {{"", ""}});
  for (int c = 0; c < 2; ++c) {
    TCellGraphic* box = grid->CreateCellGraphic(c, 0);
    box->CellType = ctCheckBox;
    box->CellBoolean = c == 0;
  }
  grid->SaveToCSV(path);
  EXPECT_EQ(Read(), "Y,N\r\n");

  grid->OnLoadCell = [](TObject*, int, int, String& Value) { Value += "!"; };
  Load("a,b\n", ',');
  EXPECT_EQ(Row(0), (Texts{"a!", "b!"}));
}

TEST_F(Delimited, InsertAndAppend) {
  Fill(2, 2, {{"h1", "h2"}, {"a", "b"}});
  Write("c,d,e\r\n");
  grid->FDelimiter = ',';
  grid->InsertFromCSV(path, 0);
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(Row(2), (Texts{"c", "d", "e"}));

  // A floating footer row stays the last row.
  grid->FloatingFooterVisible = true;
  Fill(2, 3, {{"h1", "h2"}, {"a", "b"}, {"sum", "9"}});
  Write("p,q\nr,s\n");
  grid->InsertFromCSV(path, 0);
  EXPECT_EQ(grid->RowCount(), 5);
  EXPECT_EQ(Row(2), (Texts{"p", "q"}));
  EXPECT_EQ(Row(3), (Texts{"r", "s"}));
  EXPECT_EQ(Row(4), (Texts{"sum", "9"}));
  // Loading keeps a row for the footer, so the last line read stays.
  Load("1,x\n2,y\n", ',');
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(Row(1), (Texts{"2", "y"}));
  EXPECT_EQ(Row(2), (Texts{"", ""}));
  grid->FloatingFooterVisible = false;

  Fill(2, 1, {{"x", "y"}});
  Write("old line\nsecond");
  grid->AppendToCSV(path);
  EXPECT_EQ(Read(), "old line\r\nsecond\r\nx,y\r\n");
  std::remove(path.c_str());
  EXPECT_THROW(grid->AppendToCSV(path), EFOpenError);
}

TEST_F(Delimited, HiddenColumnsAreWrittenOnlyWhenAsked) {
  Fill(3, 1, {{"a", "b", "c"}});
  grid->HideColumn(1);
  grid->SaveToCSV(path);
  EXPECT_EQ(Read(), "a,c\r\n");
  grid->SaveHiddenCells = true;
  grid->SaveToCSV(path);
  EXPECT_EQ(Read(), "a,b,c\r\n");
  // Loading back counts the hidden column: the grid keeps its two visible columns.
  grid->LoadFromCSV(path, 0);
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->AllColCount(), 3);
}

TEST_F(Delimited, OemLines) {
  grid->OemConvert = true;
  Fill(1, 1, {{"\xC3\xA9"}});  // é is 0x82 in the OEM code page
  grid->SaveToCSV(path);
  EXPECT_EQ(Read(), "\x82\r\n");
  grid->Clear();
  grid->LoadFromCSV(path, 0);
  EXPECT_EQ(grid->Cells(0, 0), "\xC3\xA9");
}

}  // namespace
