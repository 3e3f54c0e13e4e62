// Sorting rows: the comparison styles and blank placement, ties broken on the next column,
// indexed sorts, fixed and footer rows kept in place, the way back to the unsorted order, and
// the short text form of a sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "ToolsFixture.h"
#include "classlib/Messages.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

using namespace gridtools;

namespace {

String DateText(int Day, int Month, int Year) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%d", Day, Month, Year);
  return buf;
}

void UseStyle(TRivErodovOzar& Grid, TSortStyle Style) {
  Grid.OnGetFormat = [Style](TObject*, int, TSortStyle& AStyle, String&, String&) { AStyle = Style; };
}

std::unique_ptr<TGrid> OneColumn(const std::vector<String>& Texts) {
  std::vector<std::vector<String>> rows;
  for (size_t i = 0; i < Texts.size(); ++i) rows.push_back({Texts[i], IntToStr(static_cast<int>(i))});
  return GridOf(rows);
}

TEST(GridSortCompare, NumbersReadTheirLongestNumericPrefixAndTextsGoAfterThem) {
  struct Case {
    const char* Name;
    std::vector<String> In;
    TSortDirection Direction;
    std::vector<String> Out;
  };
  const Case cases[] = {
      {"units and signs", {"12 kg", "13", "-3x", "11", "1.5x", "2"}, sdAscending, {"-3x", "1.5x", "2", "11", "12 kg", "13"}},
      {"texts after numbers", {"b", "10", "a", "9"}, sdAscending, {"9", "10", "a", "b"}},
      {"descending", {"b", "10", "a", "9"}, sdDescending, {"b", "a", "10", "9"}},
      {"blank counts as 0", {"5", "", "-1"}, sdAscending, {"-1", "", "5"}},
      {"exponent", {"1e3", "999", "2E-1"}, sdAscending, {"2E-1", "999", "1e3"}},
  };
  for (const Case& c : cases) {
    auto grid = OneColumn(c.In);
    UseStyle(*grid, ssNumeric);
    grid->SortSettings()->Full = false;
    grid->Sort(0, c.Direction);
    EXPECT_EQ(Column(*grid, 0), c.Out) << c.Name;
  }
}

// With texts the numbers cannot order, every pivot gives the same order.
TEST(GridSortCompare, AMixedNumericColumnSortsTheSameFromAnyStartingOrder) {
  std::vector<String> texts = {"x", "12 kg", "", "3", "-3x", "abc", "1.5x", "7", "b", "0.5", "13"};
  std::vector<String> expected;
  std::mt19937 rng(7);
  for (int round = 0; round < 20; ++round) {
    std::shuffle(texts.begin(), texts.end(), rng);
    auto grid = OneColumn(texts);
    UseStyle(*grid, ssNumeric);
    grid->SortSettings()->Full = false;
    grid->Sort(0, sdAscending);
    std::vector<String> got = Column(*grid, 0);
    if (expected.empty()) expected = got;
    EXPECT_EQ(got, expected) << "round " << round;
  }
  EXPECT_EQ(expected, (std::vector<String>{"-3x", "", "0.5", "1.5x", "3", "7", "12 kg", "13", "abc", "b", "x"}));
}

TEST(GridSortCompare, BlanksGoFirstOrLastInEitherDirection) {
  for (TSortBlankPosition pos : {blFirst, blLast}) {
    for (TSortDirection dir : {sdAscending, sdDescending}) {
      auto grid = OneColumn({"3", "", "1", "", "2"});
      UseStyle(*grid, ssNumeric);
      grid->SortSettings()->IgnoreBlanks = true;
      grid->SortSettings()->BlankPos = pos;
      grid->SortSettings()->Full = false;
      grid->Sort(0, dir);
      std::vector<String> numbers = dir == sdAscending ? std::vector<String>{"1", "2", "3"} : std::vector<String>{"3", "2", "1"};
      std::vector<String> expected = numbers;
      if (pos == blFirst)
        expected.insert(expected.begin(), {"", ""});
      else
        expected.insert(expected.end(), {"", ""});
      EXPECT_EQ(Column(*grid, 0), expected) << pos << " " << dir;
    }
  }
}

TEST(GridSortCompare, CaseStylesAndDetectedStyles) {
  auto grid = OneColumn({"b", "ABC", "abc", "B"});
  grid->SortSettings()->AutoFormat = false;
  grid->SortSettings()->IgnoreCase = true;
  grid->SortSettings()->Full = false;
  grid->Sort(0, sdAscending);
  // Equal when upper-cased; the texts themselves then put capitals first.
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"ABC", "abc", "B", "b"}));

  grid->SortSettings()->IgnoreCase = false;
  grid->Sort(0, sdAscending);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"ABC", "B", "abc", "b"}));

  // Detected: "10" is a number, so the column compares as numbers, not as text.
  auto numbers = OneColumn({"10", "9", "100"});
  numbers->Sort(0, sdAscending);
  EXPECT_EQ(Column(*numbers, 0), (std::vector<String>{"9", "10", "100"}));
}

TEST(GridSortCompare, DatesAndTimesAreDetectedAndCompareAsMoments) {
  FormatSettings.DateSeparator = '/';
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  auto dates = OneColumn({"05/03/2024", "28/02/2024", "01/12/2023"});
  dates->Sort(0, sdAscending);
  EXPECT_EQ(Column(*dates, 0), (std::vector<String>{"01/12/2023", "28/02/2024", "05/03/2024"}));
  auto times = OneColumn({"10:05", "9:30", "23:00:01"});
  times->Sort(0, sdDescending);
  EXPECT_EQ(Column(*times, 0), (std::vector<String>{"23:00:01", "10:05", "9:30"}));
  ResetFormatSettings();
}

TEST(GridSortCompare, CustomAndRawStylesAskTheirEvents) {
  auto grid = OneColumn({"aaa", "b", "cc"});
  UseStyle(*grid, ssCustom);
  grid->SortSettings()->Full = false;
  grid->OnCustomCompare = [](TObject*, const String& A, const String& B, int& Res) {
    Res = A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
  };
  grid->Sort(0, sdAscending);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"b", "cc", "aaa"}));
  UseStyle(*grid, ssRaw);
  grid->OnRawCompare = [&](TObject*, int ACol, int R1, int R2, int& Res) {
    Res = -grid->GetRawCellText(ACol, R1).compare(grid->GetRawCellText(ACol, R2));
    Res = Res > 0 ? 1 : (Res < 0 ? -1 : 0);
  };
  grid->Sort(0, sdAscending);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"cc", "b", "aaa"}));
}

TEST(GridSort, TiesAreBrokenByTheNextColumnsAndFixedRowsAndFootersStay) {
  auto grid = GridOf({{"2", "b"}, {"1", "z"}, {"2", "a"}, {"1", "y"}, {"sum", "footer"}});
  grid->SetFixedFooters(1);
  grid->Sort(0, sdAscending);
  EXPECT_EQ(Column(*grid, 0, 0), (std::vector<String>{"c0", "1", "1", "2", "2", "sum"}));
  EXPECT_EQ(Column(*grid, 1, 0), (std::vector<String>{"c1", "y", "z", "a", "b", "footer"}));
  EXPECT_EQ(grid->RowCount(), 6);
}

TEST(GridSort, ASingleColumnSortMovesOnlyThatColumn) {
  auto grid = GridOf({{"c", "1"}, {"a", "2"}, {"b", "3"}});
  grid->SortSettings()->SingleColumn = true;
  grid->SortSettings()->Full = false;
  grid->Sort(0, sdAscending);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"a", "b", "c"}));
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"1", "2", "3"}));
}

TEST(GridSort, ANegativeColumnDoesNothingAndAnEmptyIndexListRaisesFirst) {
  auto grid = GridOf({{"b"}, {"a"}});
  grid->SortSettings()->Column = -1;
  grid->QSort();
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"b", "a"}));
  try {
    grid->QSortIndexed();
    FAIL() << "no error";
  } catch (const ERivGridError& e) {
    EXPECT_STREQ(e.what(), "No indexes specified for indexed sort");
  }
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"b", "a"}));
  EXPECT_EQ(grid->SortRowXRef()->Count(), 0) << "the grid was not touched";
}

TEST(GridSort, AnIndexedSortTakesEachColumnInItsOwnDirection) {
  auto grid = GridOf({{"x", "1", "p"}, {"y", "2", "q"}, {"x", "3", "r"}, {"y", "1", "s"}});
  grid->SortIndexes()->AddIndex(0, false);
  grid->SortIndexes()->AddIndex(1, true);
  grid->QSortIndexed();
  EXPECT_EQ(Column(*grid, 2), (std::vector<String>{"s", "q", "p", "r"}));
  grid->SortSettings()->IndexShow = true;
  EXPECT_EQ(grid->SortSettings()->SaveToString(), "i;d0;u1");
}

// A large random table: each column in each direction comes out ordered, and the way back
// restores every row whole.
TEST(GridSort, LargeTablesSortByNumberTextAndDateAndUnsortBack) {
  FormatSettings.DateSeparator = '/';
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  std::mt19937 rng(44);
  const int n = 3000;
  std::vector<std::vector<String>> rows;
  for (int i = 0; i < n; ++i) {
    const int day = 1 + static_cast<int>(rng() % 28), month = 1 + static_cast<int>(rng() % 12);
    const int year = 1990 + static_cast<int>(rng() % 30);
    rows.push_back({FloatToStr((static_cast<int>(rng() % 20000) - 10000) / 10.0), "sp" + IntToStr(static_cast<int>(rng() % 5000)),
                    DateText(day, month, year), IntToStr(i)});
  }
  auto grid = GridOf(rows);
  const std::vector<String> original = Column(*grid, 3);
  auto numberOf = [](const String& S) { return StrToFloat(S); };
  auto dateOf = [](const String& S) { return StrToInt(S.substr(6)) * 10000 + StrToInt(S.substr(3, 2)) * 100 + StrToInt(S.substr(0, 2)); };
  for (TSortDirection dir : {sdAscending, sdDescending}) {
    grid->Sort(0, dir);
    std::vector<String> c = Column(*grid, 0);
    for (size_t i = 1; i < c.size(); ++i)
      ASSERT_TRUE(dir == sdAscending ? numberOf(c[i - 1]) <= numberOf(c[i]) : numberOf(c[i - 1]) >= numberOf(c[i])) << i;
    grid->Sort(1, dir);
    c = Column(*grid, 1);
    for (size_t i = 1; i < c.size(); ++i) ASSERT_TRUE(dir == sdAscending ? c[i - 1] <= c[i] : c[i - 1] >= c[i]) << i;
    grid->Sort(2, dir);
    c = Column(*grid, 2);
    for (size_t i = 1; i < c.size(); ++i)
      ASSERT_TRUE(dir == sdAscending ? dateOf(c[i - 1]) <= dateOf(c[i]) : dateOf(c[i - 1]) >= dateOf(c[i])) << i;
  }
  grid->QUnSort();
  EXPECT_EQ(Column(*grid, 3), original);
  for (int r = 1; r <= n; ++r) ASSERT_EQ(grid->Cells(1, r), rows[static_cast<size_t>(r - 1)][1]) << r;
  ResetFormatSettings();
}

TEST(GridSort, CellPropertiesTravelWithTheirRowsAndAreNotFreed) {
  auto grid = GridOf({{"3"}, {"1"}, {"2"}});
  grid->SetCellBackColor(0, 1, 0x0000FF);
  rivgrid::TCountedGraphic::Freed = 0;
  auto* g = rivgrid::AttachCounted(*grid, 0, 2);
  grid->Sort(0, sdAscending);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"1", "2", "3"}));
  EXPECT_EQ(grid->GetCellBackColor(0, 3), 0x0000FF);
  EXPECT_EQ(grid->GetCellGraphic(0, 1), g);
  EXPECT_EQ(rivgrid::TCountedGraphic::Freed, 0);
  grid.reset();
  EXPECT_EQ(rivgrid::TCountedGraphic::Freed, 1) << "freed once, by its own cell only";
}

TEST(GridSort, TheCurrentRowFollowsItsDataOnlyWithMoveRowOnSort) {
  for (bool move : {false, true}) {
    auto grid = GridOf({{"c"}, {"a"}, {"b"}});
    grid->Navigation()->MoveRowOnSort = move;
    grid->SetRow(1);  // "c"
    grid->Sort(0, sdAscending);
    EXPECT_EQ(grid->Row(), move ? 3 : 1) << move;
  }
}

TEST(GridSortSettings, TextFormRoundTripsAndBadValuesRaise) {
  auto grid = GridOf({{"1"}, {"3"}, {"2"}});
  grid->Sort(0, sdAscending);
  EXPECT_EQ(grid->SortSettings()->SaveToString(), "u0");
  grid->SortSettings()->LoadFromString("d0");
  EXPECT_TRUE(grid->SortSettings()->Show());
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"3", "2", "1"}));
  grid->SortSettings()->LoadFromString("dx");  // not a column: nothing more happens
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"3", "2", "1"}));
  EXPECT_THROW(grid->SortSettings()->LoadFromString("u"), Exception);
  EXPECT_THROW(grid->SortSettings()->SetRow(1), Exception);
  grid->SortSettings()->SetRow(0);
  grid->SortSettings()->Remove();
  EXPECT_EQ(grid->SortSettings()->Column, -1);
}

TEST(GridSortSettings, AssignCopiesEverySetting) {
  auto a = GridOf({{"1"}});
  auto b = GridOf({{"1"}});
  TSortSettings& s = *a->SortSettings();
  s.Column = 3, s.Direction = sdDescending, s.Full = false, s.SingleColumn = true, s.IgnoreBlanks = true;
  s.BlankPos = blLast, s.AutoFormat = false, s.NormalCellsOnly = true, s.AutoColumnMerge = true;
  s.InitSortDirection = sdDescending, s.UndoSort = true, s.AutoSortForGrouping = false, s.SortOnVirtualCells = false;
  s.IgnoreCase = true, s.IndexSortKey = ikCtrl, s.IndexShow = true, s.FixedCols = true, s.IndexColor = 0x123456;
  s.SetShow(true);
  s.SetHeaderColor(0x010203);
  b->SortSettings()->Assign(&s);
  const TSortSettings& t = *b->SortSettings();
  EXPECT_EQ(t.Column, 3);
  EXPECT_EQ(t.Direction, sdDescending);
  EXPECT_FALSE(t.Full);
  EXPECT_TRUE(t.SingleColumn && t.IgnoreBlanks && t.NormalCellsOnly && t.AutoColumnMerge && t.UndoSort && t.IndexShow);
  EXPECT_EQ(t.BlankPos, blLast);
  EXPECT_FALSE(t.AutoFormat || t.AutoSortForGrouping || t.SortOnVirtualCells);
  EXPECT_TRUE(t.IgnoreCase && t.FixedCols && t.Show());
  EXPECT_EQ(t.InitSortDirection, sdDescending);
  EXPECT_EQ(t.IndexSortKey, ikCtrl);
  EXPECT_EQ(t.IndexColor, 0x123456);
  EXPECT_EQ(t.HeaderColor(), 0x010203);
}

}  // namespace

namespace {

void ClickHeader(TRivErodovOzar& Grid, int ACol) {
  const TRect r = Grid.CellRect(ACol, 0);
  const LPARAM at = MakeLParam((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  Grid.Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
  Grid.Perform(WM_LBUTTONUP, 0, at);
}

TEST(GridSortClick, HeaderClicksSortFlipAndUndoTheSort) {
  auto grid = GridOf({{"b", "2"}, {"c", "1"}, {"a", "3"}});
  grid->SetBounds(0, 0, 400, 250);
  ClickHeader(*grid, 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"b", "c", "a"})) << "no sorting while the glyph is off";
  grid->SortSettings()->SetShow(true);
  grid->SortSettings()->UndoSort = true;
  std::vector<int> clicked;
  grid->OnClickSort = [&](TObject*, int ACol) { clicked.push_back(ACol); };
  ClickHeader(*grid, 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"a", "b", "c"}));
  ClickHeader(*grid, 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"c", "b", "a"}));
  ClickHeader(*grid, 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"b", "c", "a"})) << "the third click restores the order";
  EXPECT_EQ(grid->SortSettings()->Column, -1);
  EXPECT_EQ(clicked, (std::vector<int>{0, 0, -1}));

  grid->OnCanSort = [](TObject*, int ACol, bool& DoSort) { DoSort = ACol != 1; };
  ClickHeader(*grid, 1);
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"2", "1", "3"})) << "refused";
}

TEST(GridSortClick, WithIndexesShiftAddsAColumnAndAPlainClickStartsOver) {
  auto grid = GridOf({{"x", "2"}, {"y", "1"}, {"x", "1"}});
  grid->SetBounds(0, 0, 400, 250);
  grid->SortSettings()->SetShow(true);
  grid->SortSettings()->IndexShow = true;
  ClickHeader(*grid, 0);
  SetKeyDown(VK_SHIFT, true);
  ClickHeader(*grid, 1);
  SetKeyDown(VK_SHIFT, false);
  EXPECT_EQ(grid->SortIndexes()->SaveToString(), "u0;u1");
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"1", "2", "1"}));
  ClickHeader(*grid, 1);
  EXPECT_EQ(grid->SortIndexes()->SaveToString(), "u1");
  EXPECT_EQ(grid->SortSettings()->Column, 1);
}

}  // namespace

namespace {

TEST(GridSortGroups, ChildRowsAreSortedInsideTheirNodesOnly) {
  auto grid = GridOf({{"g1", ""}, {"", "3"}, {"", "1"}, {"", "2"}, {"g2", ""}, {"", "9"}, {"", "8"}});
  grid->AddNode(1, 4);
  grid->AddNode(5, 3);
  grid->SortSettings()->Column = 1;
  grid->SortSettings()->Full = false;
  grid->QSortGroup();
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"", "1", "2", "3", "", "8", "9"}));
  EXPECT_TRUE(grid->IsNode(1) && grid->IsNode(5));
  grid->SortIndexes()->AddIndex(1, false);
  grid->QSortGroupIndexed();
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"", "3", "2", "1", "", "9", "8"}));
}

}  // namespace
