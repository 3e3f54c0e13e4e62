// Nodes opened and closed by a click on their expand mark, with the events that may refuse it.
#include "grid/interaction/InteractionFixture.h"

namespace {

class GridNodeClicks : public InteractionGridTest {};

TEST_F(GridNodeClicks, ClickOnTheMarkTogglesTheNodeAndFiresItsEvents) {
  grid->AddNode(2, 4);
  std::vector<String> events;
  bool allowContract = true;
  grid->OnBeforeContractNode = [&](TObject*, int ARow, int ARowReal, bool& Allow) {
    events.push_back("before contract " + IntToStr(ARow) + "/" + IntToStr(ARowReal));
    Allow = allowContract;
  };
  grid->OnContractNode = [&](TObject*, int ARow, int) { events.push_back("contract " + IntToStr(ARow)); };
  grid->OnBeforeExpandNode = [&](TObject*, int ARow, int, bool&) { events.push_back("before expand " + IntToStr(ARow)); };
  grid->OnExpandNode = [&](TObject*, int ARow, int) { events.push_back("expand " + IntToStr(ARow)); };
  const TRect mark = grid->CellRect(0, 2);
  const int y = (mark.Top + mark.Bottom) / 2;

  ClickAt(mark.Left + 10, y);  // level 1, cnXP: the mark lies between x 5 and 15
  EXPECT_TRUE(grid->GetNodeState(2));
  EXPECT_EQ(grid->RowCount(), 37);
  ClickAt(mark.Left + 10, y);
  EXPECT_FALSE(grid->GetNodeState(2));
  EXPECT_EQ(events, (std::vector<String>{"before contract 2/2", "contract 2", "before expand 2", "expand 2"}));

  // A refusal keeps the node open, and so does a click beside the mark.
  allowContract = false;
  ClickAt(mark.Left + 10, y);
  EXPECT_FALSE(grid->GetNodeState(2));
  allowContract = true;
  ClickAt(mark.Left + 20, y);
  EXPECT_FALSE(grid->GetNodeState(2));
  EXPECT_EQ(grid->RowCount(), 40);
  EXPECT_EQ(events.size(), 5u);
}

}  // namespace
