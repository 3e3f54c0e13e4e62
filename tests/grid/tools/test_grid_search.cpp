// Searching and replacing cells with the find options, the type-ahead lookup, and the
// highlighting and marking of texts inside cells.
#include <gtest/gtest.h>

#include "ToolsFixture.h"

using namespace gridtools;

namespace {

// Columns 0..2 below a title row:   r1: "xABy" "ab"  ""
//                                   r2: "AB"   "cab" "<b>ab</b>"
//                                   r3: "zz"   "Ab"  "ab"
std::unique_ptr<TGrid> Table() {
  return GridOf({{"xABy", "ab", ""}, {"AB", "cab", "<b>ab</b>"}, {"zz", "Ab", "ab"}});
}

TPoint P(int X, int Y) { return TPoint{X, Y}; }

TEST(GridSearchFind, TheOptionsSelectTheCellsTheyDescribe) {
  struct Case {
    const char* Name;
    String Text;
    TFindParams Params;
    TPoint Found;
  };
  const Case cases[] = {
      {"contains, any case, column order", "ab", {}, P(0, 1)},
      {"match case", "ab", {fnMatchCase}, P(1, 1)},
      {"match start", "ab", {fnMatchStart}, P(0, 2)},
      {"match full", "ab", {fnMatchFull, fnDirectionLeftRight}, P(1, 1)},
      {"row order", "cab", {fnDirectionLeftRight}, P(1, 2)},
      {"backward from the last cell", "ab", {fnBackward}, P(2, 3)},
      {"empty cell", "\"\"", {}, P(2, 1)},
      {"empty text finds nothing", "", {}, P(-1, -1)},
      {"tags stripped", "<B>", {fnIgnoreHTMLTags}, P(-1, -1)},
      {"tags kept", "<B>", {}, P(2, 2)},
      {"expression", "a*|z*", {fnMatchRegular, fnDirectionLeftRight}, P(1, 1)},
      {"fixed cells", "c1", {fnIncludeFixed}, P(1, 0)},
      {"not in fixed cells", "c1", {}, P(-1, -1)},
  };
  for (const Case& c : cases) {
    auto grid = Table();
    const TPoint found = grid->Find(P(-1, -1), c.Text, c.Params);
    EXPECT_EQ(found, c.Found) << c.Name;
  }
}

TEST(GridSearchFind, RestrictionsToARowAColumnAndTheSelection) {
  auto grid = Table();
  grid->SetRow(3);
  grid->SetCol(1);
  EXPECT_EQ(grid->Find(P(-1, -1), "ab", {fnFindInCurrentRow, fnDirectionLeftRight}), P(1, 3));
  EXPECT_EQ(grid->Find(P(1, 3), "ab", {fnFindInCurrentRow, fnDirectionLeftRight}), P(2, 3));
  EXPECT_EQ(grid->Find(P(2, 3), "ab", {fnFindInCurrentRow, fnDirectionLeftRight}), P(-1, -1)) << "stops at the row's end";
  EXPECT_EQ(grid->Find(P(-1, -1), "ab", {fnFindInCurrentCol}), P(1, 1));
  grid->FindCol = 2;
  EXPECT_EQ(grid->Find(P(-1, -1), "ab", {fnFindInPresetCol}), P(2, 2));
  grid->FindRow = 2;
  EXPECT_EQ(grid->Find(P(-1, -1), "ab", {fnFindInPresetRow, fnDirectionLeftRight}), P(0, 2));
  grid->SetSelection(TGridRect{1, 2, 2, 3});
  EXPECT_EQ(grid->Find(P(-1, -1), "ab", {fnSelectedCells}), P(1, 2));
}

TEST(GridSearchFind, IgnoredColumnsAreSkippedOnlyInRowOrder) {
  auto grid = Table();
  grid->IgnoreColumns()->Add(0);
  EXPECT_EQ(grid->Find(P(-1, -1), "ab", {fnDirectionLeftRight}), P(1, 1));
  EXPECT_EQ(grid->Find(P(-1, -1), "ab", {}), P(0, 1));
}

TEST(GridSearchFind, FindNextRunsOutAndThenStartsOver) {
  auto grid = Table();
  EXPECT_EQ(grid->FindFirst("zz", {fnAutoGoto}), P(0, 3));
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Col(), 0);
  EXPECT_EQ(grid->FindNext(), P(-1, -1));
  EXPECT_EQ(grid->SearchCell, P(-1, -1));
  EXPECT_EQ(grid->FindNext(), P(0, 3));
  // A direct Find without result leaves the last found cell.
  grid->Find(P(-1, -1), "none", {});
  EXPECT_EQ(grid->SearchCell, P(0, 3));
}

TEST(GridSearchFind, WideTextsAreFoundInAnyCase) {
  auto grid = Table();
  grid->SetCells(1, 3, "Ärger");
  EXPECT_EQ(grid->FindWide(P(-1, -1), u"äRG", {}), P(1, 3));
  EXPECT_EQ(grid->FindWide(P(-1, -1), u"äRG", {fnMatchCase}), P(-1, -1));
}

TEST(GridSearchReplace, CaseAndHiddenRowsAreHonoured) {
  struct Case {
    const char* Name;
    TFindParams Params;
    int Count;
    std::vector<String> Col0;
  };
  for (const Case& c : {Case{"any case", {}, 2, {"xxy", "x", "zz"}},
                        Case{"match case", {fnMatchCase}, 0, {"xABy", "AB", "zz"}}}) {
    auto grid = Table();
    grid->IgnoreColumns()->Add(1);
    grid->IgnoreColumns()->Add(2);
    EXPECT_EQ(grid->Replace("ab", "x", c.Params + fnDirectionLeftRight), c.Count) << c.Name;
    EXPECT_EQ(Column(*grid, 0), c.Col0) << c.Name;
  }
  // The matching cell under match case only changes its matching part.
  auto mixed = GridOf({{"ab AB"}});
  EXPECT_EQ(mixed->Replace("ab", "x", {fnMatchCase}), 1);
  EXPECT_EQ(mixed->Cells(0, 1), "x AB");

  // A hidden row is read and written as the real row it is.
  auto grid = GridOf({{"keep ab"}, {"hide ab"}, {"keep ab"}});
  TFilterData* f = grid->Filter()->Add();
  f->Condition = "keep*";
  grid->ApplyFilter();
  ASSERT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(grid->Replace("ab", "cd", {fnIncludeHiddenRows}), 3);
  grid->RemoveLastFilter();
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"keep cd", "hide cd", "keep cd"}));
}

TEST(GridSearchTypeAhead, TheSortColumnIsSearchedByItsBeginning) {
  auto grid = GridOf({{"x", "beta"}, {"abc", "alpha"}, {"Abd", "gamma"}});
  EXPECT_EQ(grid->Search("AB"), 2) << "column FixedCols while the sort glyph is off";
  EXPECT_EQ(grid->Search("ABD"), 3);
  EXPECT_EQ(grid->Search("Q"), -1);
  grid->SortSettings()->SetShow(true);
  grid->SortSettings()->Column = 1;
  EXPECT_EQ(grid->Search("G"), 3);
  grid->SortSettings()->Column = -1;
  EXPECT_EQ(grid->Search("G"), -1);
}

TEST(GridHighlight, TextsAreTaggedAndUntagged) {
  auto grid = Table();
  struct Case {
    bool DoCase;
    String In, Text, Out;
  };
  for (const Case& c : {Case{false, "Abc abc", "abc", "<hi>Abc</hi> <hi>abc</hi>"},
                        Case{true, "Abc abc", "abc", "Abc <hi>abc</hi>"},
                        Case{false, "abcabc", "abc", "<hi>abc</hi><hi>abc</hi>"},
                        Case{false, "<b>abc</b>", "abc", "<hi><b>abc</hi></b>"}})
    EXPECT_EQ(grid->HilightText(c.DoCase, c.In, c.Text), c.Out) << c.In;
  EXPECT_EQ(grid->UnHilightText("<HI>a</hi>b<hi><hi>c</hi></hi>"), "abc");
  EXPECT_EQ(grid->MarkText(false, "xAx", "a"), "x<e>A</e>x");
  EXPECT_EQ(grid->UnMarkText("x<E>A</e>x<hi>y</hi>"), "xAx<hi>y</hi>");
}

TEST(GridHighlight, CellRangesTagTheirCellsOnly) {
  auto grid = Table();
  grid->HilightInGrid(false, false, "ab");
  EXPECT_EQ(grid->Cells(0, 1), "x<hi>AB</hi>y");
  EXPECT_EQ(grid->Cells(0, 0), "c0") << "fixed row untouched";
  grid->UnHilightInGrid(false);
  EXPECT_EQ(grid->Cells(0, 1), "xABy");

  grid->MarkInCol(false, true, 1, "ab");
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"<e>ab</e>", "c<e>ab</e>", "Ab"}));
  grid->UnMarkInCol(false, 1);
  grid->HilightInRow(true, false, 0, "c");
  EXPECT_EQ(grid->Cells(2, 0), "<hi>c</hi>2");
  grid->UnHilightInRow(true, 0);
  EXPECT_EQ(grid->Cells(2, 0), "c2");

  grid->MergeCells(0, 3, 2, 1);
  grid->SetRawCellText(1, 3, "ab");  // covered by the merge: left alone
  grid->HilightInCell(false, 0, 3, "z");
  grid->HilightInRow(false, false, 3, "ab");
  EXPECT_EQ(grid->GetRawCellText(1, 3), "ab");
  EXPECT_EQ(grid->Cells(0, 3), "<hi>z</hi><hi>z</hi>");
}

}  // namespace

namespace {

TEST(GridSearchFind, AMatchInAContractedNodeOpensItAndBecomesCurrent) {
  auto grid = GridOf({{"g1", "a"}, {"", "b"}, {"", "needle"}, {"g2", "c"}, {"", "d"}});
  grid->AddNode(1, 3);
  grid->AddNode(4, 2);
  grid->ContractNode(1);
  ASSERT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->Find(TPoint{-1, -1}, "needle", {fnIncludeHiddenRows, fnAutoGoto}), (TPoint{1, 3}));
  EXPECT_FALSE(grid->GetNodeState(1)) << "expanded";
  EXPECT_EQ(grid->RowCount(), 6);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Cells(1, grid->Row()), "needle");
}

}  // namespace
