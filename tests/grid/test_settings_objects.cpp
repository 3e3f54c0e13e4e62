// The grid's settings objects: defaults, which setters report changes (and which do not), the
// setters' side effects and what Assign copies and keeps.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

#include "classlib/Bitmap.h"
#include "grid/base/RivObj.h"
#include "grid/model/CellNode.h"
#include "grid/model/ColumnSize.h"
#include "grid/paint/ProgressAppearance.h"

namespace {

// One setter call and how many change events it should fire.
template <class T>
struct SetterCase {
  const char* name;
  std::function<void(T&)> set;
  int events;
};

template <class T>
void ExpectEvents(T& object, int& counter, const std::vector<SetterCase<T>>& cases) {
  for (const auto& c : cases) {
    counter = 0;
    c.set(object);
    EXPECT_EQ(counter, c.events) << c.name;
  }
}

TEST(SearchFooter, DefaultsCaptionsOnlyAtDesignTime) {
  TSearchFooter design(nullptr, true), runtime(nullptr, false);
  EXPECT_EQ(design.FindNextCaption(), "Find &next");
  EXPECT_EQ(design.FindPrevCaption(), "Find &previous");
  EXPECT_EQ(design.MatchCaseCaption(), "Match case");
  EXPECT_EQ(design.HighLightCaption(), "Highlight");
  EXPECT_EQ(design.HintClose(), "Close");
  EXPECT_EQ(design.HintFindPrev(), "Find previous occurrence");
  EXPECT_EQ(design.HintFindNext(), "Find next occurrence");
  EXPECT_EQ(design.HintHighlight(), "Highlight occurrences");
  for (const String& text : {runtime.FindNextCaption(), runtime.FindPrevCaption(), runtime.MatchCaseCaption(),
                             runtime.HighLightCaption(), runtime.HintClose(), runtime.HintFindPrev(),
                             runtime.HintFindNext(), runtime.HintHighlight()})
    EXPECT_EQ(text, "");
  for (TSearchFooter* f : {&design, &runtime}) {
    EXPECT_TRUE(f->ShowFindPrev() && f->ShowFindNext() && f->ShowClose() && f->ShowHighLight() && f->ShowMatchCase());
    EXPECT_FALSE(f->Visible() || f->AutoThemeAdapt());
    EXPECT_EQ(f->Color(), 0xFFFFFF);
    EXPECT_EQ(f->ColorTo(), static_cast<TColor>(0xFF00000Fu));
    EXPECT_TRUE(f->AutoSearch);
    EXPECT_EQ(f->SearchColumn, -1);
    EXPECT_FALSE(f->SearchActiveColumnOnly || f->SearchMatchStart || f->SearchFixedCells || f->SearchHiddenRows ||
                 f->AlwaysHighLight);
    EXPECT_EQ(f->SearchDirection, sdTopBottom);
    EXPECT_EQ(f->LastSearch, "");
    ASSERT_NE(f->Font(), nullptr);
  }
}

TEST(SearchFooter, ChangeEvents) {
  TSearchFooter f(nullptr, true);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  TFont bold;
  bold.SetStyle(TFontStyles{fsBold});
  ExpectEvents<TSearchFooter>(f, changes,
                              {{"ShowFindNext same", [](auto& o) { o.SetShowFindNext(true); }, 0},
                               {"ShowFindNext changed", [](auto& o) { o.SetShowFindNext(false); }, 1},
                               {"ShowFindPrev same", [](auto& o) { o.SetShowFindPrev(true); }, 0},
                               {"ShowHighLight same", [](auto& o) { o.SetShowHighLight(true); }, 0},
                               {"ShowMatchCase changed", [](auto& o) { o.SetShowMatchCase(false); }, 1},
                               {"Visible same", [](auto& o) { o.SetVisible(false); }, 0},
                               {"Visible changed", [](auto& o) { o.SetVisible(true); }, 1},
                               {"ShowClose same", [](auto& o) { o.SetShowClose(true); }, 1},
                               {"caption same", [](auto& o) { o.SetFindNextCaption("Find &next"); }, 1},
                               {"hint", [](auto& o) { o.SetHintClose("x"); }, 1},
                               {"Color same", [](auto& o) { o.SetColor(0xFFFFFF); }, 1},
                               {"ColorTo", [](auto& o) { o.SetColorTo(clRed); }, 1},
                               {"AutoThemeAdapt", [](auto& o) { o.SetAutoThemeAdapt(false); }, 1},
                               {"Font", [&bold](auto& o) { o.SetFont(&bold); }, 1},
                               {"AutoSearch plain", [](auto& o) { o.AutoSearch = false; }, 0},
                               {"SearchColumn plain", [](auto& o) { o.SearchColumn = 3; }, 0}});
  EXPECT_TRUE(f.Font()->Style().Contains(fsBold));
  EXPECT_NE(f.Font(), &bold);
}

TEST(SearchFooter, AssignCopiesAllButTheRunTimeState) {
  TSearchFooter source(nullptr, true), target(nullptr, false);
  source.AlwaysHighLight = true;
  source.SetColor(clRed);
  source.SetColorTo(clBlue);
  source.SetShowClose(false);
  source.SetVisible(true);
  source.SearchColumn = 4;
  source.SearchDirection = sdLeftRight;
  source.SearchHiddenRows = true;
  source.SearchMatchStart = true;
  source.SearchActiveColumnOnly = true;
  source.Font()->SetSize(20);
  // Not copied:
  source.SetAutoThemeAdapt(true);
  source.AutoSearch = false;
  source.LastSearch = "abc";
  source.SearchFixedCells = true;
  int changes = 0;
  target.OnChange = [&](TObject*) { ++changes; };
  target.Assign(&source);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(target.AlwaysHighLight);
  EXPECT_EQ(target.Color(), clRed);
  EXPECT_EQ(target.ColorTo(), clBlue);
  EXPECT_FALSE(target.ShowClose());
  EXPECT_TRUE(target.Visible());
  EXPECT_EQ(target.SearchColumn, 4);
  EXPECT_EQ(target.SearchDirection, sdLeftRight);
  EXPECT_TRUE(target.SearchHiddenRows && target.SearchMatchStart && target.SearchActiveColumnOnly);
  EXPECT_EQ(target.FindNextCaption(), "Find &next");
  EXPECT_EQ(target.HintHighlight(), "Highlight occurrences");
  EXPECT_EQ(target.Font()->Size(), 20);
  EXPECT_FALSE(target.AutoThemeAdapt());
  EXPECT_TRUE(target.AutoSearch);
  EXPECT_EQ(target.LastSearch, "");
  EXPECT_FALSE(target.SearchFixedCells);
  ASSERT_TRUE(target.OnChange);
  // Anything else is ignored.
  TBands bands;
  target.Assign(&bands);
  EXPECT_EQ(target.Color(), clRed);
}

TEST(Navigation, DefaultsSideEffectsAndAssign) {
  TNavigation n;
  EXPECT_TRUE(n.EditSelectAll && n.AllowCtrlEnter && n.AdvanceAutoEdit && n.CursorWalkAlwaysEdit &&
              n.ComboGetUpDown && n.SkipDisabledRows && n.SkipFixedCells && n.LeftRightRowSelect &&
              n.CopyHTMLTagsToClipboard && n.AllowClipboardRowGrow && n.AllowClipboardColGrow);
  EXPECT_FALSE(n.AllowInsertRow || n.AdvanceOnEnter || n.AdvanceInsert() || n.AdvanceAuto() || n.AlwaysEdit ||
               n.AllowFmtClipboard || n.KeepScrollOnSort || n.MoveScrollOnly || n.AppendOnArrowDown);
  EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
  EXPECT_EQ(n.TabAdvanceDirection, adLeftRight);
  EXPECT_EQ(n.ClipboardPasteAction, paReplace);
  EXPECT_EQ(n.HomeEndKey, heFirstLastColumn);
  EXPECT_EQ(n.InsertPosition, pInsertBefore);

  int changes = 0;
  n.OnChange = [&](TObject*) { ++changes; };
  ExpectEvents<TNavigation>(n, changes,
                            {{"AdvanceInsert changed", [](auto& o) { o.SetAdvanceInsert(true); }, 1},
                             {"AdvanceInsert same", [](auto& o) { o.SetAdvanceInsert(true); }, 0},
                             {"AdvanceDirection changed", [](auto& o) { o.SetAdvanceDirection(adTopBottom); }, 1},
                             {"AdvanceDirection same", [](auto& o) { o.SetAdvanceDirection(adTopBottom); }, 0},
                             {"AdvanceAuto on", [](auto& o) { o.SetAdvanceAuto(true); }, 0},
                             {"AutoGotoWhenSorted", [](auto& o) { o.AutoGotoWhenSorted = true; }, 0}});
  EXPECT_TRUE(n.AdvanceOnEnter);
  n.SetAdvanceAuto(false);
  EXPECT_TRUE(n.AdvanceOnEnter);  // left on

  TNavigation copy;
  int copyChanges = 0;
  copy.OnChange = [&](TObject*) { ++copyChanges; };
  n.KeepScrollOnSort = true;
  n.HomeEndKey = heFirstLastRow;
  n.EditSelectAll = false;
  copy.Assign(&n);
  EXPECT_EQ(copyChanges, 0);
  EXPECT_TRUE(copy.AdvanceInsert() && !copy.AdvanceAuto() && copy.AdvanceOnEnter);
  EXPECT_EQ(copy.AdvanceDirection(), adTopBottom);
  EXPECT_EQ(copy.HomeEndKey, heFirstLastRow);
  EXPECT_FALSE(copy.EditSelectAll);
  EXPECT_FALSE(copy.KeepScrollOnSort);  // kept
  copy.SetAdvanceInsert(false);
  EXPECT_EQ(copyChanges, 1);  // its own event stayed
  EXPECT_EQ(changes, 0);
}

TEST(MouseActions, DefaultsSideEffectsAndAssign) {
  TMouseActions m(nullptr);
  EXPECT_TRUE(m.AutoSizeColOnDblClick && m.PreciseNodeClick);
  EXPECT_FALSE(m.DirectEdit || m.DisjunctRowSelect() || m.DisjunctColSelect() || m.DisjunctCellSelect() ||
               m.HotmailRowSelect() || m.EditOnDblClickOnly() || m.RangeSelectAndEdit || m.CheckAllCheck);
  EXPECT_EQ(m.WheelAction(), waMoveSelection);
  EXPECT_EQ(m.WheelIncrement, 0);
  EXPECT_EQ(m.FixedRowsEdit, fceNone);

  int changes = 0, invalidates = 0, disables = 0;
  m.OnChange = [&](TObject*) { ++changes; };
  m.OnInvalidate = [&](TObject*) { ++invalidates; };
  m.OnDisableEdit = [&](TObject*) { ++disables; };
  ExpectEvents<TMouseActions>(m, changes,
                              {{"WheelAction changed", [](auto& o) { o.SetWheelAction(waScroll); }, 1},
                               {"WheelAction same", [](auto& o) { o.SetWheelAction(waScroll); }, 0},
                               {"Hotmail off", [](auto& o) { o.SetHotmailRowSelect(false); }, 0},
                               {"EditOnDblClickOnly off", [](auto& o) { o.SetEditOnDblClickOnly(false); }, 0}});
  EXPECT_EQ(invalidates, 1);  // also when switched off ...
  EXPECT_FALSE(m.DisjunctRowSelect() || m.CheckAllCheck);  // ... which clears nothing
  EXPECT_EQ(disables, 0);
  m.SetEditOnDblClickOnly(true);
  EXPECT_EQ(disables, 1);
  m.SetHotmailRowSelect(true);
  EXPECT_EQ(invalidates, 2);
  EXPECT_TRUE(m.DisjunctRowSelect() && m.CheckAllCheck);

  // At run time the three disjunct selections may be on together ...
  m.SetDisjunctColSelect(true);
  m.SetDisjunctCellSelect(true);
  EXPECT_TRUE(m.DisjunctRowSelect() && m.DisjunctColSelect() && m.DisjunctCellSelect());
  // ... while designing one excludes the others.
  m.OnIsDesigning = [](TObject*, bool& designing) { designing = true; };
  m.SetDisjunctRowSelect(true);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_FALSE(m.DisjunctColSelect() || m.DisjunctCellSelect());
  m.SetDisjunctRowSelectDirect(false);
  EXPECT_FALSE(m.DisjunctRowSelect());

  TMouseActions copy(nullptr);
  m.SizeFixedRow = true;
  m.SizeFixedCol = true;
  m.DirectEdit = true;
  m.WheelIncrement = 5;
  copy.Assign(&m);
  EXPECT_TRUE(copy.SizeFixedCol && copy.DirectEdit && copy.CheckAllCheck);
  EXPECT_EQ(copy.WheelIncrement, 5);
  EXPECT_EQ(copy.WheelAction(), waScroll);
  EXPECT_FALSE(copy.SizeFixedRow || copy.HotmailRowSelect() || copy.EditOnDblClickOnly());
  EXPECT_FALSE(copy.OnChange || copy.OnIsDesigning);
}

TEST(SyncGrid, NeverCoupledToItsOwnerAndAssign) {
  std::unique_ptr<TStringGrid> owner(New<TStringGrid>(nullptr)), other(New<TStringGrid>(nullptr));
  TSyncGrid sync(owner.get());
  EXPECT_EQ(sync.Grid(), nullptr);
  EXPECT_FALSE(sync.ScrollVertical || sync.ScrollHorizontal || sync.SelectionRow || sync.SelectionColumn ||
               sync.MoveRow || sync.MoveColumn);
  sync.SetGrid(owner.get());
  EXPECT_EQ(sync.Grid(), nullptr);
  sync.SetGrid(other.get());
  sync.ScrollVertical = true;
  sync.MoveColumn = true;
  TSyncGrid copy(other.get());
  copy.Assign(&sync);
  EXPECT_EQ(copy.Grid(), nullptr);  // through the setter: other is copy's own owner
  EXPECT_TRUE(copy.ScrollVertical && copy.MoveColumn);
  TSyncGrid third(nullptr);
  third.Assign(&sync);
  EXPECT_EQ(third.Grid(), other.get());
}

TEST(Bands, DefaultsEventsOnlyWhileActiveAndRowColours) {
  TBands b;
  EXPECT_FALSE(b.Active() || b.Print);
  EXPECT_EQ(b.PrimaryLength(), 1);
  EXPECT_EQ(b.SecondaryLength(), 1);
  EXPECT_EQ(b.TotalLength(), 2);
  EXPECT_EQ(b.PrimaryColor(), clInfoBk);
  EXPECT_EQ(b.SecondaryColor(), clWindow);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  ExpectEvents<TBands>(b, changes,
                       {{"colour while inactive", [](auto& o) { o.SetPrimaryColor(clRed); }, 0},
                        {"length while inactive", [](auto& o) { o.SetPrimaryLength(2); }, 0},
                        {"Active on", [](auto& o) { o.SetActive(true); }, 1},
                        {"Active same", [](auto& o) { o.SetActive(true); }, 0},
                        {"length while active", [](auto& o) { o.SetSecondaryLength(3); }, 1},
                        {"length same", [](auto& o) { o.SetSecondaryLength(3); }, 0},
                        {"colour while active", [](auto& o) { o.SetSecondaryColor(clBlue); }, 1},
                        {"colour same", [](auto& o) { o.SetSecondaryColor(clBlue); }, 0},
                        {"Print plain", [](auto& o) { o.Print = true; }, 0}});
  EXPECT_EQ(b.TotalLength(), 5);
  const TColor expected[] = {clRed, clRed, clBlue, clBlue, clBlue, clRed};
  for (int row = 0; row < 6; ++row) EXPECT_EQ(b.RowColor(row), expected[row]) << row;

  TBands copy;
  int copyChanges = 0;
  copy.OnChange = [&](TObject*) { ++copyChanges; };
  copy.Assign(&b);
  EXPECT_EQ(copyChanges, 0);
  EXPECT_TRUE(copy.Active() && copy.Print);
  EXPECT_EQ(copy.TotalLength(), 5);
  EXPECT_EQ(copy.PrimaryColor(), clRed);
  EXPECT_EQ(copy.SecondaryColor(), clBlue);
}

TEST(CellNode, DefaultsRepaintOnlyTheLookAndAssignCopiesGlyphs) {
  TCellNode node(nullptr);
  EXPECT_EQ(node.Color(), 0xC0C0C0);
  EXPECT_EQ(node.NodeType(), cnXP);
  EXPECT_EQ(node.NodeColor(), 0);
  EXPECT_FALSE(node.ExpandOne());
  EXPECT_TRUE(node.ShowTree() && node.ShowTreeFull());
  EXPECT_EQ(node.NodeIndent(), 12);
  EXPECT_EQ(node.TreeColor(), 0x808080);
  EXPECT_TRUE(node.ExpandGlyph()->Empty());
  TBitmap glyph(9, 9);
  node.SetExpandGlyph(&glyph);
  node.SetNodeType(cnLeaf);
  node.SetNodeIndent(20);
  glyph.SetWidth(3);  // the node keeps its own copy
  EXPECT_EQ(node.ExpandGlyph()->Width(), 9);
  TCellNode copy(nullptr);
  copy.Assign(&node);
  EXPECT_EQ(copy.NodeType(), cnLeaf);
  EXPECT_EQ(copy.NodeIndent(), 20);
  EXPECT_EQ(copy.ExpandGlyph()->Width(), 9);
  EXPECT_NE(copy.ExpandGlyph(), node.ExpandGlyph());
}

TEST(ColumnSize, DefaultsStretchHookAndAssign) {
  TColumnSize size(nullptr);
  EXPECT_FALSE(size.Save || size.Stretch() || size.SynchWithGrid || size.SynchNormalCellsOnly);
  EXPECT_EQ(size.StretchColumn, -1);
  EXPECT_EQ(size.Location, clRegistry);
  EXPECT_EQ(size.Rows, arAll);
  int stretches = 0;
  size.OnStretch = [&](TObject*) { ++stretches; };
  size.SetStretch(true);
  EXPECT_EQ(stretches, 1);
  size.Key = "k";
  size.Location = clIniFile;
  size.Rows = arNormal;
  TColumnSize copy(nullptr);
  copy.Assign(&size);
  EXPECT_TRUE(copy.Stretch());
  EXPECT_EQ(copy.Key, "k");
  EXPECT_EQ(copy.Location, clIniFile);
  EXPECT_EQ(copy.Rows, arNormal);
  TSizeWhileTyping typing;
  EXPECT_FALSE(typing.Height || typing.Width);
}

TEST(ProgressAppearance, ChangesOnlyOnNewValuesAndAssignAlwaysReports) {
  TGridProgressAppearance a;
  EXPECT_EQ(a.CompleteColor(), 0x0000FF);
  EXPECT_EQ(a.UnCompleteColor(), clNone);
  EXPECT_EQ(a.Level2Color(), 0x53A9FF);
  EXPECT_EQ(a.Level1Perc(), 70);
  EXPECT_EQ(a.Steps(), 11);
  EXPECT_EQ(a.Style(), psXP);
  EXPECT_TRUE(a.ShowPercentage() && a.CompletionSmooth() && a.ShowGradient());
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  ExpectEvents<TGridProgressAppearance>(a, changes,
                                        {{"same percent", [](auto& o) { o.SetLevel1Perc(70); }, 0},
                                         {"new percent", [](auto& o) { o.SetLevel1Perc(60); }, 1},
                                         {"stacked", [](auto& o) { o.SetStacked(true); }, 1},
                                         {"style", [](auto& o) { o.SetStyle(psClassic); }, 1}});
  TGridProgressAppearance copy;
  int copyChanges = 0;
  copy.OnChange = [&](TObject*) { ++copyChanges; };
  copy.Assign(&a);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.Level1Perc(), 60);
  EXPECT_EQ(copy.Style(), psClassic);
  copy.Assign(&a);
  EXPECT_EQ(copyChanges, 2);  // also when nothing differs
}

TEST(ProgressAppearance, PercentageOfAnEmptyRangeDividesNothing) {
  const std::tuple<double, int, int, double> cases[] = {
      {50, 0, 100, 50}, {30, 20, 40, 50}, {5, 5, 5, 100}, {4, 5, 5, 0}, {150, 0, 100, 100}, {-5, 0, 100, 0}};
  for (auto [value, min, max, percent] : cases) EXPECT_EQ(ProgressPercentage(value, min, max), percent) << value;
}

TEST(ShowModified, ColourReportsAndAssignCopies) {
  TShowModified m;
  EXPECT_FALSE(m.Enabled);
  EXPECT_EQ(m.Color(), 0x00FFFF);
  int changes = 0;
  m.OnChange = [&](TObject*) { ++changes; };
  m.SetColor(0x0000FF);
  m.Enabled = true;
  EXPECT_EQ(changes, 1);
  TShowModified copy;
  copy.Assign(&m);
  EXPECT_TRUE(copy.Enabled);
  EXPECT_EQ(copy.Color(), 0x0000FF);
}

}  // namespace
