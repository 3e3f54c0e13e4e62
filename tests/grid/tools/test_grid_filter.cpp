// Filtering: conditions combined by their operations, filters applied as levels of hidden
// rows and removed level by level, narrowing by typed text, a choice in a column's filter
// drop-down, and the condition list and drop-down settings themselves.
#include <gtest/gtest.h>

#include "ToolsFixture.h"
#include "classlib/Messages.h"

using namespace gridtools;

namespace {

std::unique_ptr<TGrid> Species() {
  return GridOf({{"Anas", "12"}, {"Anser", "3"}, {"Bubo", "7"}, {"Buteo bu", "12"}, {"Corvus", "1"}, {"Aquila", "5"}});
}

TFilterData* AddCondition(TRivErodovOzar& Grid, int Col, const String& Condition, TFilterOperation Op = foSHORT) {
  TFilterData* f = Grid.Filter()->Add();
  f->Column = static_cast<int16_t>(Col);
  f->Condition = Condition;
  f->Operation = Op;
  return f;
}

TEST(GridFilter, TwoLevelsAndRemovingOneRestoresExactlyTheRowsItHid) {
  auto grid = Species();
  grid->SetCellBackColor(1, 3, 0x00FF00);
  const std::vector<String> all = Column(*grid, 0);
  AddCondition(*grid, 0, "A*");
  grid->ApplyFilter();
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Anser", "Aquila"}));
  grid->Filter()->Clear();
  AddCondition(*grid, 1, ">4");
  grid->ApplyFilter();
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Aquila"}));
  EXPECT_EQ(grid->FilterLevel(), 2);

  EXPECT_TRUE(grid->RemoveLastFilter());
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Anser", "Aquila"}));
  EXPECT_FALSE(grid->RemoveLastFilter());
  EXPECT_EQ(Column(*grid, 0), all);
  EXPECT_EQ(grid->GetCellBackColor(1, 3), 0x00FF00);
  EXPECT_EQ(grid->Cells(1, 3), "7");
  EXPECT_FALSE(grid->RemoveLastFilter()) << "no level left";
}

TEST(GridFilter, OperationsCombineInListOrderAndTheCustomEventHasTheLastWord) {
  struct Case {
    const char* Name;
    TFilterOperation SecondOp;
    std::vector<String> Shown;
  };
  for (const Case& c : {Case{"or", foOR, {"Anas", "Anser", "Buteo bu", "Aquila"}},
                        Case{"and", foAND, {"Anas"}},
                        Case{"xor", foXOR, {"Anser", "Buteo bu", "Aquila"}},
                        Case{"none", foNONE, {"Anas", "Buteo bu"}}}) {
    auto grid = Species();
    AddCondition(*grid, 0, "A*", foNONE);
    AddCondition(*grid, 1, "12", c.SecondOp);
    grid->ApplyFilter();
    EXPECT_EQ(Column(*grid, 0), c.Shown) << c.Name;
  }
  // A failing short item stops the test; the custom event still accepts the row.
  auto grid = Species();
  AddCondition(*grid, 0, "Z*", foSHORT);
  AddCondition(*grid, 0, "*", foOR);
  grid->OnCustomFilter = [&](TObject*, int ARow, bool& Accept) {
    if (grid->Cells(0, ARow) == "Bubo") Accept = true;
  };
  grid->ApplyFilter();
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Bubo"}));
}

TEST(GridFilter, PrefixSuffixWholeRowAndBadExpressions) {
  auto grid = GridOf({{"sp. alba", "x"}, {"alba", "y"}, {"sp. nigra kg", "z"}});
  TFilterData* f = AddCondition(*grid, 0, "alba");
  f->Prefix = "sp. ";
  grid->ApplyFilter();
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"x", "y"}));
  grid->RemoveAllFilters();
  grid->Filter()->Clear();

  f = AddCondition(*grid, 0, "\"sp. nigra\"");  // unquoted spaces are dropped
  f->Suffix = " kg";
  grid->ApplyFilter();
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"z"}));
  grid->RemoveAllFilters();
  grid->Filter()->Clear();

  f = AddCondition(*grid, 0, "Y");
  f->Data = fcRow;  // anywhere in the row, in any case
  grid->ApplyFilter();
  EXPECT_EQ(Column(*grid, 1), (std::vector<String>{"y"}));
  grid->RemoveAllFilters();
  grid->Filter()->Clear();

  AddCondition(*grid, 0, "((");
  grid->ApplyFilter();
  EXPECT_EQ(grid->RowCount(), 1) << "an expression that cannot match hides every data row";
}

TEST(GridFilter, FilterActiveAppliesAndRemovesOneLevel) {
  auto grid = Species();
  AddCondition(*grid, 1, "12");
  int done = 0;
  grid->OnFilterProgress = [&](TObject*, int16_t p) { done = p; };
  grid->SetFilterActive(true);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Buteo bu"}));
  EXPECT_EQ(done, 100);
  grid->SetFilterActive(false);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(grid->FilterLevel(), 0);
}

TEST(GridFilter, NarrowDownNarrowsAndWidensOneCharacterAtATime) {
  auto grid = Species();
  grid->NarrowDown("a", 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Anser", "Aquila"}));
  grid->NarrowDown("an", 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Anser"}));
  EXPECT_EQ(grid->FilterLevel(), 2);
  grid->NarrowDown("a", 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Anser", "Aquila"}));
  grid->NarrowDown("", 0);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(grid->Filter()->Count(), 0);
  // A space is part of the text, not dropped by the expression parser.
  grid->NarrowDown("o b", 0);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Buteo bu"}));
  grid->NarrowDown("", 0);
  grid->NarrowDown("12", -1);  // any cell of the row
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Buteo bu"}));
}

TEST(GridFilter, ADropDownChoiceFiltersItsColumnAndAllClearsIt) {
  auto grid = Species();
  grid->FilterDropDownAuto = true;
  AddCondition(*grid, 1, ">2");
  grid->BuildColumnFilterList(0);
  grid->DropList()->Items()->Assign(grid->FilterList());
  ASSERT_EQ(grid->FilterList()->Strings(0), "(All)");
  const int bubo = grid->FilterList()->IndexOf("Bubo");
  ASSERT_GT(bubo, 0);
  String seen;
  grid->OnFilterSelect = [&](TObject*, int Col, int, const String& Friendly, String&) { seen = IntToStr(Col) + Friendly; };
  grid->FFilterCol = 0;
  grid->ApplyFilterChoice(bubo);
  EXPECT_EQ(seen, "0Bubo");
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Bubo"}));
  EXPECT_EQ(grid->FFilterCol, -1);

  grid->FFilterCol = 0;
  grid->ApplyFilterChoice(0);  // (All): the other column's filter alone
  EXPECT_FALSE(grid->Filter()->HasFilter(0));
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Anas", "Anser", "Bubo", "Buteo bu", "Aquila"}));

  grid->FFilterCol = 9;  // out of range: nothing but the reset
  grid->ApplyFilterChoice(0);
  EXPECT_EQ(grid->FFilterCol, -1);
}

TEST(GridFilterList, ConditionsPerColumnAndTheirCopies) {
  auto grid = Species();
  TFilter& f = *grid->Filter();
  TFilterData* first = f.FilterOfColumn(2);
  EXPECT_EQ(f.FilterOfColumn(2), first);
  f.Add()->Column = 2;
  f.Add()->Column = 1;
  EXPECT_TRUE(f.HasFilter(2));
  TFilterData* inserted = f.Insert(0);
  EXPECT_EQ(f.Items(f.Count() - 1), inserted) << "insert appends";
  f.RemoveColumnFilter(2);
  EXPECT_FALSE(f.HasFilter(2));
  EXPECT_EQ(f.Count(), 2);

  TFilterData* copy = f.Add();
  first = f.Items(0);
  first->Condition = "x", first->Prefix = "p", first->Suffix = "s", first->CaseSensitive = false;
  first->Operation = foXOR, first->Data = fcStripHTML;
  copy->Assign(first);
  EXPECT_EQ(copy->Condition, "x");
  EXPECT_EQ(copy->Prefix + copy->Suffix, "ps");
  EXPECT_FALSE(copy->CaseSensitive);
  EXPECT_EQ(copy->Operation, foXOR);
  EXPECT_EQ(copy->Data, fcStripHTML);
  EXPECT_THROW(copy->Assign(grid->FilterDropDown()), EInvalidCast);
}

TEST(GridFilterList, DropDownSettingsCopyEveryPublishedSetting) {
  auto a = Species();
  auto b = Species();
  TFilterDropDown& s = *a->FilterDropDown();
  s.AutoSize = true, s.Height = 90, s.Width = 70, s.Color = 0x112233, s.ColumnWidth = true;
  s.Font()->SetSize(15);
  b->FilterDropDown()->Assign(&s);
  const TFilterDropDown& t = *b->FilterDropDown();
  EXPECT_TRUE(t.AutoSize && t.ColumnWidth);
  EXPECT_EQ(t.Height, 90);
  EXPECT_EQ(t.Width, 70);
  EXPECT_EQ(t.Color, 0x112233);
  EXPECT_EQ(t.Font()->Size(), 15);
}

TEST(GridFilterList, TheDropListPicksOnEnterAndClosesWithoutAPickOutside) {
  auto grid = Species();
  TDropList* list = grid->DropList();
  list->Items()->Add("one");
  list->Items()->Add("two");
  list->SetBounds(0, 0, 80, 60);
  list->SetVisible(true);
  list->SetItemIndex(1);
  int picked = -1;
  list->OnSelect = [&](TObject*, int Index) { picked = Index; };
  list->Perform(WM_CHAR, 13);
  EXPECT_EQ(picked, 1);
  EXPECT_FALSE(list->Visible());

  picked = -1;
  grid->FFilterCol = 0;
  list->SetVisible(true);
  list->Perform(CM_CANCELMODE, 0, MakeLParam(10, 10));  // inside: stays
  EXPECT_TRUE(list->Visible());
  list->Perform(CM_CANCELMODE, 0, MakeLParam(200, 10));
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(picked, -1);
  EXPECT_EQ(grid->FFilterCol, -1);

  // The pop-up for floating windows leaves the activation where it is.
  std::unique_ptr<TNoActiveForm> popup(New<TNoActiveForm>(nullptr));
  EXPECT_EQ(popup->Perform(WM_MOUSEACTIVATE), 3);  // MA_NOACTIVATE
}

}  // namespace

namespace {

// A release on the glyph zone of a header cell opens the column's entries; a pick filters.
TEST(GridFilterDropDown, AReleaseOnTheGlyphOpensTheListAndAPickFilters) {
  auto grid = Species();
  grid->SetBounds(0, 0, 400, 250);
  grid->FilterDropDownAuto = true;
  grid->FilterDropDown()->Width = 120;
  const TRect cell = grid->CellRect(0, 0);
  grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(cell.Right - 8, cell.Top + 5));
  grid->Perform(WM_LBUTTONUP, 0, MakeLParam(cell.Right - 8, cell.Top + 5));
  TDropList* list = grid->DropList();
  ASSERT_TRUE(list->Visible());
  EXPECT_EQ(grid->FFilterCol, 0);
  EXPECT_EQ(list->Items()->Strings(0), "(All)");
  EXPECT_EQ(list->Items()->Strings(list->Items()->Count() - 1), "Corvus");
  EXPECT_EQ(list->Left(), cell.Right - 16);
  EXPECT_EQ(list->Top(), cell.Top + 16);
  EXPECT_EQ(list->Width(), 120);
  list->SetItemIndex(list->Items()->IndexOf("Corvus"));
  list->Perform(WM_CHAR, 13);
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Corvus"}));

  // A release elsewhere closes an open list without a pick.
  grid->ShowFilterDropDown(1);
  ASSERT_TRUE(list->Visible());
  const TRect other = grid->CellRect(1, 1);
  grid->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(other.Left + 3, other.Top + 3));
  grid->Perform(WM_LBUTTONUP, 0, MakeLParam(other.Left + 3, other.Top + 3));
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(grid->FFilterCol, -1);
  EXPECT_EQ(Column(*grid, 0), (std::vector<String>{"Corvus"}));
}

}  // namespace
