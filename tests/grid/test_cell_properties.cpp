// The base grid's cell properties: made on first use with the grid's look, the caller's cell
// integer and graphic, replacing and freeing them, clearing slots without freeing, cell-text
// hooks, and freeing every object exactly once.
#include <gtest/gtest.h>

#include "BaseGridFixture.h"

using namespace testgrid;

namespace {

TEST(CellProperties, MadeOnFirstUseWithTheGridsLook) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  EXPECT_FALSE(g.HasCellProperties(2, 3));
  EXPECT_FALSE(g.FHasCellProps);
  TCellProperties* p = g.GetCellProperties(2, 3);
  EXPECT_TRUE(g.FHasCellProps);
  EXPECT_EQ(g.GetCellProperties(2, 3), p);
  EXPECT_EQ(g.GetRawCellObject(2, 3), p);
  EXPECT_EQ(p->OwnerGrid(), &g);
  EXPECT_EQ(p->OwnerCol(), 2);
  EXPECT_EQ(p->OwnerRow(), 3);
  // From the look:
  EXPECT_EQ(p->FontName(), "DejaVu Serif");
  EXPECT_EQ(p->FontSize(), 13);
  EXPECT_EQ(p->FontColor(), clMaroon);
  EXPECT_TRUE(p->FontStyle().Contains(fsItalic));
  EXPECT_EQ(p->BrushColor(), clYellow);
  EXPECT_EQ(p->BrushColorTo(), clAqua);
  EXPECT_EQ(p->Alignment(), taCenter);
  EXPECT_EQ(p->VAlignment(), vtaBottom);
  EXPECT_FALSE(p->WordWrap());
  EXPECT_EQ(p->GradientDirection(), GradientHorizontal);
  // As made:
  EXPECT_EQ(p->CellSpanX(), -1);
  EXPECT_EQ(p->CellSpanY(), -1);
  EXPECT_TRUE(p->IsBaseCell());
  EXPECT_EQ(p->CellObject(), 0);
  EXPECT_EQ(p->GraphicObject(), nullptr);
  EXPECT_EQ(p->Editor(), edNormal);
  EXPECT_EQ(p->CalcType(), acNONE);
  EXPECT_EQ(p->BrushStyle(), bsSolid);
  EXPECT_EQ(p->BorderColor(), 0);
  EXPECT_FALSE(p->ReadOnly());
  EXPECT_TRUE(w.grid->Invalidated.empty());  // making properties repaints nothing

  // The repainting setters invalidate the owner cell; the others do not.
  p->SetAlignment(taRightJustify);
  p->SetReadOnly(true);
  EXPECT_TRUE(g.Invalidated.empty());
  p->SetBrushColor(clRed);
  p->SetWordWrap(true);
  ASSERT_EQ(g.Invalidated.size(), 2u);
  EXPECT_EQ(g.Invalidated[0], Rect(80, 60, 120, 80));
}

TEST(CellProperties, PlainCellPropertiesWithoutTheBaseLook) {
  std::unique_ptr<TBaseGrid> g(New<TBaseGrid>(nullptr));
  g->SetWordWrap(false);
  TCellProperties* p = g->GetCellProperties(1, 1);
  EXPECT_EQ(p->BrushColor(), g->Color());
  EXPECT_EQ(p->BrushColorTo(), clNone);
  EXPECT_EQ(p->Alignment(), taLeftJustify);
  EXPECT_EQ(p->VAlignment(), vtaTop);
  EXPECT_FALSE(p->WordWrap());
  EXPECT_EQ(p->FontName(), g->Font()->Name());
}

TEST(CellProperties, CellObjectAndGraphicKeepTheText) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  EXPECT_EQ(g.GetCellObject(1, 1), 0);
  g.SetCellObject(1, 1, 42);
  EXPECT_EQ(g.GetCellObject(1, 1), 42);
  EXPECT_EQ(g.Cells(1, 1), "");  // an empty cell stays empty
  g.SetCells(2, 2, "text");
  g.SetCellObject(2, 2, 7);
  EXPECT_EQ(g.Cells(2, 2), "text");

  testgrid::TCellGraphic graphic;
  EXPECT_EQ(g.GetCellGraphicObject(3, 3), nullptr);
  g.SetCellGraphicObject(3, 3, &graphic);
  EXPECT_EQ(g.GetCellGraphicObject(3, 3), &graphic);
  EXPECT_EQ(TBaseGrid::PropertiesGraphic(g.GetCellProperties(3, 3)), &graphic);
  EXPECT_EQ(g.Cells(3, 3), "");
  g.GetCellProperties(3, 3)->SetGraphicObject(nullptr);  // the test owns this one
}

TEST(CellProperties, ReplacingFreeingAndClearingSlots) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  TCellProperties* p = g.GetCellProperties(1, 2);
  g.SetCellProperties(1, 2, p);  // the same object again: kept, not freed
  EXPECT_EQ(g.GetRawCellObject(1, 2), p);
  EXPECT_EQ(p->OwnerCol(), 1);

  auto* replacement = new TCellProperties(&g, 1, 2);
  g.SetCellProperties(1, 2, replacement);  // frees p
  EXPECT_EQ(g.GetCellProperties(1, 2), replacement);
  g.SetCellProperties(1, 2, nullptr);
  EXPECT_FALSE(g.HasCellProperties(1, 2));

  g.GetCellProperties(2, 2);
  g.FreeCellProperties(2, 2);
  EXPECT_FALSE(g.HasCellProperties(2, 2));
  g.FreeCellProperties(2, 2);  // nothing there: fine

  // Moves copy slot references first; the vacated slots are emptied without freeing.
  TCellProperties* moved = g.GetCellProperties(4, 3);
  g.SetCells(4, 3, "m");
  g.SetRawCellObject(4, 5, moved);
  g.ClearRowCells(3);
  EXPECT_FALSE(g.HasCellProperties(4, 3));
  EXPECT_EQ(g.Cells(4, 3), "");
  EXPECT_EQ(g.GetRawCellObject(4, 5), moved);
  g.SetRawCellObject(2, 5, g.GetRawCellObject(4, 5));
  g.ClearColumnCells(4);
  EXPECT_EQ(g.GetRawCellObject(2, 5), moved);
  EXPECT_FALSE(g.HasCellProperties(4, 5));
  g.SetRawCellObject(3, 6, g.GetCellProperties(3, 6));
  TCellProperties* kept = g.GetCellProperties(3, 6);
  g.ClearCellAndObject(3, 6);
  EXPECT_FALSE(g.HasCellProperties(3, 6));
  delete kept;  // the slot no longer owns it
}

TEST(CellProperties, BulkFreeingFreesTCellGraphicsOnceAndOthersNever) {
  testgrid::TCellGraphic::Freed = 0;
  TOtherGraphic other;
  {
    GridInWindow w;
    TTestGrid& g = *w.grid;
    auto* shared = new testgrid::TCellGraphic;
    g.SetCellGraphicObject(1, 1, shared);
    g.SetCellGraphicObject(2, 1, shared);  // two cells, one graphic
    g.SetCellGraphicObject(3, 1, new testgrid::TCellGraphic);
    g.SetCellGraphicObject(4, 1, &other);
    g.FreeCellPropertiesRect(1, 1, 3, 1);
    EXPECT_EQ(testgrid::TCellGraphic::Freed, 2);
    EXPECT_FALSE(g.HasCellProperties(1, 1) || g.HasCellProperties(2, 1) || g.HasCellProperties(3, 1));
    EXPECT_TRUE(g.HasCellProperties(4, 1));
    EXPECT_TRUE(g.FHasCellProps);  // not reset by freeing
    // Cells beyond the counts and the same properties in two slots go with the grid, once.
    g.SetCellGraphicObject(20, 30, new testgrid::TCellGraphic);
    g.SetRawCellObject(5, 5, g.GetCellProperties(5, 6));
    g.GetCellProperties(0, 0)->SetGraphicObject(new testgrid::TCellGraphic);
  }
  EXPECT_EQ(testgrid::TCellGraphic::Freed, 4);
}

TEST(CellProperties, BulkFreeingSkippedWhileNoPropertiesWereMade) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  auto* p = new TCellProperties(nullptr, 1, 1);  // made without the grid: no flag
  g.SetRawCellObject(1, 1, p);
  EXPECT_FALSE(g.FHasCellProps);
  g.FreeAllCellProperties();
  EXPECT_EQ(g.GetRawCellObject(1, 1), p);  // skipped
  g.FHasCellProps = true;
  g.FreeAllCellProperties();
  EXPECT_FALSE(g.HasCellProperties(1, 1));
}

TEST(CellProperties, CellTextHooks) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  g.SetCells(1, 1, "plain");
  EXPECT_TRUE(g.TextChanged.empty());  // no properties: no hook, no repaint
  EXPECT_TRUE(g.Invalidated.empty());
  g.GetCellProperties(1, 1);
  g.SetCells(1, 1, "with");
  ASSERT_EQ(g.TextChanged.size(), 1u);
  EXPECT_EQ(g.TextChanged[0], Point(1, 1));
  EXPECT_EQ(g.Invalidated.size(), 1u);

  // The hidden last row's hook runs once per write of the last row.
  g.FHideLastRow = true;
  g.SetCells(2, 7, "a");
  g.GetCellProperties(3, 7);
  g.SetCells(3, 7, "b");
  g.SetCells(3, 6, "c");
  EXPECT_EQ(g.HiddenLastRowUpdates, 2);
}

TEST(CellProperties, DisplayHooksRunBelowTheNormalRowCountOnBaseCells) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  std::vector<TPoint> asked;
  g.OnGetDisplText = [&](TObject*, int c, int r, String& v) {
    asked.push_back(Point(c, r));
    v = "[" + v + "]";
  };
  g.SetCells(1, 1, "abc");
  EXPECT_EQ(g.Cells(1, 1), "abc");  // FNormalRowCount 0: no hook ever
  g.FNormalRowCount = 5;
  g.MergeCells(1, 1, 2, 2);
  EXPECT_EQ(g.Cells(2, 2), "[abc]");
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], Point(1, 1));  // the base cell's coordinates
  g.SetCells(1, 6, "x");
  EXPECT_EQ(g.Cells(1, 6), "x");
  g.OnGetDisplWideText = [](TObject*, int, int, WideString&) {};
  EXPECT_EQ(g.Cells(1, 1), String("|\\\0[\0a\0b\0c\0]", 12));
  EXPECT_EQ(g.GetRawCellText(1, 1), "abc");
}

}  // namespace
