// Tree nodes: levels, expanding and contracting (nested too), the parent row, row mapping of
// rows hidden in contracted nodes, and inserting and removing rows inside and between nodes.
#include <gtest/gtest.h>

#include "grid/RivGridFixture.h"

namespace {

using rivgrid::FillNamed;
using rivgrid::MakeGrid;

std::vector<String> Column0(TRivErodovOzar& Grid) {
  std::vector<String> texts;
  for (int r = 0; r < Grid.RowCount(); ++r) texts.push_back(Grid.Cells(0, r));
  return texts;
}

std::vector<String> Names(std::initializer_list<int> Rows) {
  std::vector<String> texts;
  for (int r : Rows) texts.push_back("r" + IntToStr(r));
  return texts;
}

int Level(TRivErodovOzar& Grid, int ARow) {
  return Grid.HasCellProperties(0, ARow) ? Grid.GetCellProperties(0, ARow)->NodeLevel() : 0;
}

TEST(GridNodes, AddContractExpandMapsHiddenRows) {
  auto grid = MakeGrid(3, 10);
  FillNamed(*grid);
  grid->AddNode(1, 4);
  EXPECT_TRUE(grid->HasNodes());
  EXPECT_EQ(grid->NumNodes(), 1);
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(Level(*grid, r), 1) << r;
  EXPECT_EQ(Level(*grid, 5), 0);
  EXPECT_EQ(grid->GetNodeSpan(1), 4);
  EXPECT_EQ(grid->GetNodeLevel(1), 1);
  EXPECT_EQ(grid->GetNodeLevel(2), -1);  // inside the node, but not a node row
  EXPECT_EQ(grid->GetNodeSpan(2), -1);

  grid->ContractNode(1);
  EXPECT_TRUE(grid->GetNodeState(1));
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(Column0(*grid), Names({0, 1, 5, 6, 7, 8, 9}));
  EXPECT_EQ(grid->RealRowIndex(2), 5);
  EXPECT_EQ(grid->DisplRowIndex(5), 2);
  EXPECT_EQ(grid->GetAllCell(1, 3), "1:3");  // a hidden row is read by its real index

  grid->ExpandNode(1);
  EXPECT_FALSE(grid->GetNodeState(1));
  EXPECT_EQ(Column0(*grid), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(grid->NumHiddenRows(), 0);

  // SetNodeState goes through the same operations; a span-1 node only changes its mark.
  grid->SetNodeState(1, true);
  EXPECT_EQ(grid->RowCount(), 7);
  grid->SetNodeState(1, false);
  grid->AddNode(7, 1);
  grid->ContractNode(7);
  EXPECT_TRUE(grid->GetNodeState(7));
  EXPECT_EQ(grid->RowCount(), 10);
}

// Outer node rows 1..6, inner node rows 2..4.
std::unique_ptr<rivgrid::TGrid> NestedGrid() {
  auto grid = MakeGrid(3, 10);
  FillNamed(*grid);
  grid->AddNode(1, 6);
  grid->AddNode(2, 3);
  return grid;
}

TEST(GridNodes, NestedContractionHidesTheWholeSpanAndExpandsInOrder) {
  auto grid = NestedGrid();
  const int levels[] = {0, 1, 2, 2, 2, 1, 1, 0};
  for (int r = 0; r < 8; ++r) EXPECT_EQ(Level(*grid, r), levels[r]) << r;

  grid->ContractNode(2);
  EXPECT_EQ(Column0(*grid), Names({0, 1, 2, 5, 6, 7, 8, 9}));
  grid->ContractNode(1);
  EXPECT_EQ(Column0(*grid), Names({0, 1, 7, 8, 9}));
  EXPECT_EQ(grid->RealRowIndex(2), 7);
  // The inner node went out marked expanded: the outer node shows everything at once.
  grid->ExpandNode(1);
  EXPECT_EQ(Column0(*grid), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_FALSE(grid->GetNodeState(2));
  EXPECT_EQ(grid->NumHiddenRows(), 0);
}

TEST(GridNodes, ExpandAllAndContractAllLeaveTheFilterLevelsAlone) {
  auto grid = NestedGrid();
  grid->ContractNode(2);
  grid->ContractNode(1);
  grid->ExpandAll();
  EXPECT_EQ(Column0(*grid), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(grid->NumHiddenRows(), 0);

  grid->ContractAll();
  EXPECT_EQ(Column0(*grid), Names({0, 1, 7, 8, 9}));
  EXPECT_TRUE(grid->GetNodeState(1));
  EXPECT_EQ(grid->FilterLevel(), 0);
  grid->ExpandAll();
  EXPECT_EQ(Column0(*grid), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

  // ExpandOne: opening one node closes the one open before; ExpandAll still opens all.
  auto two = MakeGrid(3, 8);
  FillNamed(*two);
  two->AddNode(1, 3);
  two->AddNode(4, 3);
  two->CellNode()->SetExpandOne(true);
  two->ContractAll();
  two->ExpandNode(1);
  EXPECT_EQ(Column0(*two), Names({0, 1, 2, 3, 4, 7}));
  two->ExpandNode(4);
  EXPECT_EQ(Column0(*two), Names({0, 1, 4, 5, 6, 7}));
  two->ExpandAll();
  EXPECT_EQ(two->RowCount(), 8);
  EXPECT_EQ(two->NumHiddenRows(), 0);
}

TEST(GridNodes, ParentRowsAndSpanTypes) {
  auto grid = NestedGrid();
  struct {
    int Row, Parent;
  } const cases[] = {{0, -1}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 1}, {6, 1}, {7, -1}};
  for (const auto& c : cases) EXPECT_EQ(grid->GetParentRow(c.Row), c.Parent) << c.Row;
  // With the inner node contracted the rows below it are found by their display rows.
  grid->ContractNode(2);
  EXPECT_EQ(grid->GetParentRow(3), 1);  // real row 5
  EXPECT_EQ(grid->GetParentRow(5), -1);  // real row 7
  grid->ExpandAll();

  EXPECT_EQ(grid->GetNodeSpanType(1), 0);
  EXPECT_EQ(grid->GetNodeSpanType(3), 2);  // row 4 is on the same level
  EXPECT_EQ(grid->GetNodeSpanType(4), 1);  // row 5 is a level up
  EXPECT_EQ(grid->GetNodeSpanType(9), 1);  // last row
}

TEST(GridNodes, RemovingNodesRestoresRowsAndLevels) {
  auto grid = NestedGrid();
  grid->ContractNode(2);
  grid->RemoveNode(2);
  EXPECT_EQ(grid->RowCount(), 10);
  EXPECT_FALSE(grid->IsNode(2));
  EXPECT_EQ(Level(*grid, 3), 1);
  EXPECT_EQ(grid->NumNodes(), 1);

  grid->ContractNode(1);
  grid->Clear();  // clearing the grid removes every node
  EXPECT_EQ(grid->NumNodes(), 0);
  EXPECT_FALSE(grid->HasNodes());
  EXPECT_EQ(grid->RowCount(), 10);
  EXPECT_EQ(grid->NumHiddenRows(), 0);
  EXPECT_EQ(Level(*grid, 1), 0);
}

TEST(GridNodes, NodeGlyphHitsFollowLevelIndentAndNodeType) {
  auto grid = NestedGrid();
  struct {
    TNodeType Type;
    int Row, X;
    bool Hit;
  } const cases[] = {
      {cnXP, 1, 4, false},  {cnXP, 1, 5, true},   {cnXP, 1, 15, true}, {cnXP, 1, 16, false},
      {cnXP, 2, 16, false}, {cnXP, 2, 17, true},  {cnXP, 2, 27, true}, {cn3D, 1, 1, true},
      {cn3D, 1, 17, true},  {cn3D, 1, 18, false}, {cnLeaf, 1, 19, true}, {cnLeaf, 1, 20, false},
  };
  for (const auto& c : cases) {
    grid->CellNode()->SetNodeType(c.Type);
    EXPECT_EQ(grid->IsInNodeGlyph(c.Row, c.X), c.Hit) << c.Type << " row " << c.Row << " x " << c.X;
  }
  grid->MouseActions()->PreciseNodeClick = false;
  EXPECT_TRUE(grid->IsInNodeGlyph(1, 500));
}

TEST(GridChildRows, InsertAndRemoveKeepSpansOfEveryEnclosingNode) {
  auto grid = NestedGrid();
  // A child row inside the inner node lengthens both nodes and takes the inner level.
  grid->InsertChildRow(3, 0);
  EXPECT_EQ(grid->Cells(0, 3), "");
  EXPECT_EQ(grid->Cells(0, 4), "r3");
  EXPECT_EQ(grid->GetNodeSpan(2), 4);
  EXPECT_EQ(grid->GetNodeSpan(1), 7);
  EXPECT_EQ(Level(*grid, 3), 2);
  grid->RemoveChildRow(3);
  EXPECT_EQ(grid->GetNodeSpan(2), 3);
  EXPECT_EQ(grid->GetNodeSpan(1), 6);
  EXPECT_EQ(Column0(*grid), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

  // On a node row with InsertAt 0 the new row goes under it and takes the node row's texts.
  grid->InsertChildRow(2, 0);
  EXPECT_TRUE(grid->IsNode(2));
  EXPECT_EQ(grid->Cells(1, 2), "");
  EXPECT_EQ(grid->Cells(1, 3), "1:2");
  EXPECT_EQ(grid->Cells(0, 3), "r2");
  EXPECT_EQ(grid->GetNodeSpan(2), 4);
  EXPECT_EQ(grid->GetSubNodeCount(2), 1);
  EXPECT_EQ(grid->GetNodeSpan(1), 7);
}

TEST(GridChildRows, OneRowInsertsAndRemovalsChooseByParentAndKeepHiddenRowsInPlace) {
  auto grid = MakeGrid(3, 10);
  FillNamed(*grid);
  grid->AddNode(5, 3);  // rows 5..7
  grid->ContractNode(5);
  // Row 2 lies outside every node: a normal row; the rows hidden below keep their places.
  grid->InsertOneRow(2);
  EXPECT_EQ(grid->GetNodeSpan(6), 3);
  grid->ExpandNode(6);  // the node's real row moved down by one
  EXPECT_EQ(Column0(*grid), (std::vector<String>{"r0", "r1", "", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9"}));

  // Inside the node: a child row; removing it shortens the node again.
  grid->InsertOneRow(7);
  EXPECT_EQ(grid->GetNodeSpan(6), 4);
  grid->RemoveOneRow(7);
  EXPECT_EQ(grid->GetNodeSpan(6), 3);
  grid->RemoveOneRow(2);
  EXPECT_EQ(Column0(*grid), Names({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(grid->GetNodeSpan(5), 3);
}

}  // namespace
