// Grouping a column into node headers and summary rows, group calculations, sub-groups, and
// ungrouping back to the table cell for cell.
#include <gtest/gtest.h>

#include <map>

#include "grid/RivGridFixture.h"

namespace {

using rivgrid::MakeGrid;

using TTable = std::vector<std::vector<String>>;

TTable Snapshot(TRivErodovOzar& Grid) {
  TTable t;
  for (int r = 0; r < Grid.RowCount(); ++r) {
    std::vector<String> row;
    for (int c = 0; c < Grid.AllColCount(); ++c) row.push_back(Grid.Cells(c, r));
    t.push_back(std::move(row));
  }
  return t;
}

// Row 0 holds the captions; each data row a title, a group key, a number and a label.
std::unique_ptr<rivgrid::TGrid> KeyedGrid(const std::vector<String>& Keys) {
  auto grid = MakeGrid(4, static_cast<int>(Keys.size()) + 1);
  const String captions[] = {"", "Key", "Value", "Label"};
  for (int c = 0; c < 4; ++c) grid->SetCells(c, 0, captions[c]);
  for (size_t i = 0; i < Keys.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    grid->SetCells(0, r, "r" + IntToStr(r));
    grid->SetCells(1, r, Keys[i]);
    grid->SetCells(2, r, IntToStr(r));
    grid->SetCells(3, r, "L" + IntToStr(r));
  }
  return grid;
}

TEST(GridGrouping, HeadersSpanTheirRunsAndUngroupRestoresColumnWidthAndCaption) {
  auto grid = KeyedGrid({"A", "A", "B"});
  grid->SetColWidths(1, 77);
  const TTable before = Snapshot(*grid);
  grid->Group(1);
  EXPECT_EQ(grid->GroupColumn(), 1);
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(grid->RowCount(), 6);
  struct {
    int Row;
    bool Node;
    int Span;
    String Col1;
  } const rows[] = {{1, true, 3, "A"}, {2, false, -1, "1"}, {3, false, -1, "2"},
                    {4, true, 2, "B"}, {5, false, -1, "3"}};
  for (const auto& e : rows) {
    EXPECT_EQ(grid->IsNode(e.Row), e.Node) << e.Row;
    EXPECT_EQ(grid->GetNodeSpan(e.Row), e.Span) << e.Row;
    EXPECT_EQ(grid->Cells(1, e.Row), e.Col1) << e.Row;
  }
  EXPECT_EQ(grid->Cells(1, 0), "Value");
  EXPECT_EQ(grid->Cells(2, 5), "L3");

  // The header shows its row count; ungrouping reads the stored value, not the shown one.
  grid->Grouping()->SetShowGroupCount(true);
  EXPECT_EQ(grid->Cells(1, 1), "A (2)");
  grid->Grouping()->SetGroupCountFormat(" [%d rows]");
  EXPECT_EQ(grid->Cells(1, 4), "B [1 rows]");

  grid->SetGroupColumn(-1);
  EXPECT_EQ(grid->GroupColumn(), -1);
  EXPECT_EQ(grid->NumNodes(), 0);
  EXPECT_EQ(grid->ColWidths(1), 77);
  EXPECT_EQ(Snapshot(*grid), before);
}

TEST(GridGrouping, SummaryRowsTakeGroupValuesAndContractedGroupsAreSkipped) {
  auto grid = KeyedGrid({"A", "A", "B"});
  const TTable before = Snapshot(*grid);
  grid->Grouping()->SetSummary(true);
  grid->Group(1);
  ASSERT_EQ(grid->RowCount(), 8);
  EXPECT_TRUE(grid->IsSummary(4));
  EXPECT_TRUE(grid->IsSummary(7));
  EXPECT_TRUE(grid->IsNode(5));
  EXPECT_EQ(grid->GetNodeSpan(1), 3);  // a header spans itself and its data rows, not the summary

  grid->GroupSum(1);
  grid->GroupCount(2);
  EXPECT_EQ(grid->Cells(1, 4), "3.00");
  EXPECT_EQ(grid->Cells(1, 7), "3.00");
  EXPECT_EQ(grid->Cells(2, 4), "2");
  EXPECT_EQ(grid->Cells(2, 7), "1");
  // Header and summary rows do not count in a grouped grid's column statistics.
  EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 1, 7), 6.0);

  grid->SetCells(1, 4, "");
  grid->ContractNode(1);
  grid->GroupAvg(1);
  EXPECT_EQ(grid->Cells(1, 2), "");  // group A is contracted: its summary is left alone
  EXPECT_EQ(grid->Cells(1, 5), "3.00");
  grid->GroupCalc(1, 7);
  EXPECT_EQ(grid->Cells(1, 5), "3.00");

  grid->UnGroup();
  EXPECT_EQ(Snapshot(*grid), before);
}

TEST(GridGrouping, AFooterRowStaysLastAndGetsItsTextBack) {
  auto grid = KeyedGrid({"A", "B", "B", "total"});
  grid->SetFixedFooters(1);
  const TTable before = Snapshot(*grid);
  grid->Grouping()->SetSummary(true);
  grid->Group(1);
  ASSERT_EQ(grid->RowCount(), 1 + 2 * 2 + 3 + 1);
  EXPECT_TRUE(grid->IsSummary(7));
  EXPECT_EQ(grid->Cells(0, 8), "r4");  // the footer row is not grouped
  grid->UnGroup();
  EXPECT_EQ(Snapshot(*grid), before);
}

TEST(GridGrouping, HeaderAndSummaryLooksMergedOrPerRow) {
  for (bool merge : {false, true}) {
    auto grid = KeyedGrid({"A", "A", "B"});
    const TTable before = Snapshot(*grid);
    grid->Grouping()->SetSummary(true);
    grid->Grouping()->SetMergeHeader(merge);
    grid->Grouping()->SetMergeSummary(merge);
    grid->Grouping()->SetHeaderColor(0x00FFEE);
    grid->Grouping()->SetSummaryColor(0xCCDDEE);
    grid->Group(1);
    // Merged, the looks go to the one merged cell; otherwise to the whole row.
    const int looked = merge ? 1 : 2;
    EXPECT_EQ(grid->GetCellBackColor(looked, 1), 0x00FFEE) << merge;
    EXPECT_EQ(grid->GetCellBackColor(looked, 4), 0xCCDDEE) << merge;
    EXPECT_EQ(grid->GetCellBackColor(2, 2), clNone) << merge;  // data rows keep their looks
    EXPECT_EQ(grid->IsMergedCell(1, 1), merge);
    EXPECT_EQ(grid->IsMergedCell(1, 7), merge);
    if (merge) {
      EXPECT_EQ(grid->CellSpan(1, 5).X, 1);  // over both columns right of the node column
    }
    grid->UnGroup();
    EXPECT_FALSE(grid->IsMergedCell(1, 1));
    EXPECT_EQ(Snapshot(*grid), before) << merge;
  }
}

// The table of the acceptance: 1,000 rows in 10 groups of 100, numbers with two decimals.
TEST(GridGrouping, ThousandRowsInTenGroupsCalculateExpandContractAndUngroup) {
  auto grid = MakeGrid(4, 1001);
  grid->SetCells(1, 0, "Key");
  grid->SetCells(2, 0, "Value");
  std::map<int, std::vector<double>> values;
  for (int r = 1; r <= 1000; ++r) {
    const int key = (r - 1) / 100;
    const double v = ((r * 37) % 101) - 50 + 0.25;
    grid->SetCells(0, r, "r" + IntToStr(r));
    grid->SetCells(1, r, "g" + IntToStr(key));
    grid->SetCells(2, r, FloatToStr(v));
    grid->SetCells(3, r, "L" + IntToStr(r));
    values[key].push_back(v);
  }
  const TTable before = Snapshot(*grid);
  grid->Grouping()->SetSummary(true);
  grid->Group(1);
  ASSERT_EQ(grid->RowCount(), 1 + 10 * 102);
  int nodes = 0;
  for (int r = 0; r < grid->RowCount(); ++r) nodes += grid->IsNode(r) ? 1 : 0;
  EXPECT_EQ(nodes, 10);

  struct Method {
    int Id;
    const char* Name;
  } const methods[] = {{1, "sum"}, {2, "average"}, {3, "minimum"}, {4, "maximum"}, {5, "count"}};
  for (const Method& m : methods) {
    grid->GroupCalc(1, m.Id);
    for (int k = 0; k < 10; ++k) {
      const std::vector<double>& v = values[k];
      double sum = 0, lo = v[0], hi = v[0];
      for (double x : v) {
        sum += x;
        lo = std::min(lo, x);
        hi = std::max(hi, x);
      }
      const double expected[] = {0, sum, sum / 100, lo, hi, 100};
      const int header = 1 + k * 102;
      EXPECT_EQ(grid->Cells(1, header), "g" + IntToStr(k));
      EXPECT_NEAR(static_cast<double>(grid->GetCellFloat(1, header + 101)), expected[m.Id], 0.005)
          << m.Name << " of group " << k;
    }
  }

  grid->ContractAll();
  EXPECT_EQ(grid->RowCount(), 1 + 10 * 2);
  EXPECT_TRUE(grid->IsSummary(2));
  EXPECT_EQ(grid->RealRowIndex(3), 103);
  grid->ExpandAll();
  EXPECT_EQ(grid->RowCount(), 1 + 10 * 102);
  EXPECT_EQ(grid->NumHiddenRows(), 0);

  grid->UnGroup();
  EXPECT_EQ(Snapshot(*grid), before);
}

TEST(GridGrouping, ColumnZeroGroupsAndUngroups) {
  auto grid = MakeGrid(3, 7);
  grid->SetFixedCols(0);
  const String keys[] = {"Key", "x", "x", "y", "y", "y", "z"};
  for (int r = 0; r < 7; ++r) {
    grid->SetCells(0, r, keys[r]);
    grid->SetCells(1, r, "v" + IntToStr(r));
    grid->SetCells(2, r, "w" + IntToStr(r));
  }
  const TTable before = Snapshot(*grid);
  grid->SetGroupColumn(0);
  EXPECT_EQ(grid->GroupColumn(), 0);
  EXPECT_EQ(grid->NumNodes(), 3);
  // Headers x (row 1), y (row 4), z (row 8); the value stands beside the node mark.
  EXPECT_TRUE(grid->IsNode(4));
  EXPECT_EQ(grid->GetNodeSpan(4), 4);
  EXPECT_EQ(grid->Cells(0, 4), "y");
  EXPECT_EQ(grid->Cells(0, 5), "v3");

  grid->SetGroupColumn(-1);
  EXPECT_EQ(grid->NumNodes(), 0);
  EXPECT_EQ(Snapshot(*grid), before);
}

TEST(GridGrouping, SubGroupsNestInsideGroupsAndUndoEitherWay) {
  auto grid = KeyedGrid({"A", "A", "A", "B", "B"});
  const String sub[] = {"x", "x", "y", "x", "x"};
  for (int r = 1; r <= 5; ++r) grid->SetCells(2, r, sub[r - 1]);
  const TTable before = Snapshot(*grid);
  grid->Group(1);
  const TTable grouped = Snapshot(*grid);
  grid->SubGroup(1);
  ASSERT_EQ(grid->RowCount(), 11);
  struct {
    int Row, Span, Level;
    String Text;
  } const nodes[] = {{1, 6, 1, "A"}, {2, 3, 2, "x"}, {5, 2, 2, "y"}, {7, 4, 1, "B"}, {8, 3, 2, "x"}};
  for (const auto& n : nodes) {
    EXPECT_EQ(grid->GetNodeSpan(n.Row), n.Span) << n.Row;
    EXPECT_EQ(grid->GetNodeLevel(n.Row), n.Level) << n.Row;
    EXPECT_EQ(grid->GetRawCellText(n.Level == 1 ? 1 : 2, n.Row), n.Text) << n.Row;
  }
  EXPECT_EQ(grid->GetSubNodeCount(1), 2);
  EXPECT_EQ(grid->Cells(1, 3), "");  // the values moved into the sub-headers
  grid->Grouping()->SetShowGroupCount(true);
  EXPECT_EQ(grid->Cells(1, 1), "A (3)");
  grid->Grouping()->SetShowGroupCount(false);

  grid->SubUnGroup(1);
  EXPECT_EQ(Snapshot(*grid), grouped);
  grid->SubGroup(1);
  grid->UnGroup();
  EXPECT_EQ(Snapshot(*grid), before);
}

TEST(GridGrouping, AssignCopiesEverySetting) {
  TGrouping a(nullptr), b(nullptr);
  a.SetMergeHeader(true);
  a.SetMergeSummary(true);
  a.SetSummary(true);
  a.SetHeaderColor(1);
  a.SetHeaderColorTo(2);
  a.SetHeaderTextColor(3);
  a.SetSummaryColor(4);
  a.SetSummaryColorTo(5);
  a.SetSummaryTextColor(6);
  a.SetHeaderUnderline(true);
  a.SetHeaderLineWidth(7);
  a.SetHeaderLineColor(8);
  a.SetSummaryLine(true);
  a.SetSummaryLineWidth(9);
  a.SetSummaryLineColor(10);
  a.SetShowGroupCount(true);
  a.SetGroupCountFormat("%d");
  a.SetAutoSelectGroup(true);
  b.Assign(&a);
  EXPECT_TRUE(b.MergeHeader() && b.MergeSummary() && b.Summary() && b.HeaderUnderline() && b.SummaryLine() &&
              b.ShowGroupCount() && b.AutoSelectGroup());
  const TColor colours[] = {b.HeaderColor(), b.HeaderColorTo(), b.HeaderTextColor(),
                            b.SummaryColor(), b.SummaryColorTo(), b.SummaryTextColor()};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(colours[i], i + 1);
  EXPECT_EQ(b.HeaderLineWidth(), 7);
  EXPECT_EQ(b.HeaderLineColor(), 8);
  EXPECT_EQ(b.SummaryLineWidth(), 9);
  EXPECT_EQ(b.SummaryLineColor(), 10);
  EXPECT_EQ(b.GroupCountFormat(), "%d");
}

}  // namespace
