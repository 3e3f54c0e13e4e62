// Collapsing: sections marked over paragraphs collapse to their first line and expand again,
// nested sections keep their own state, line levels for the gutter in code and block mode, and
// what the memo draws and where the caret goes while text is collapsed.
#include <gtest/gtest.h>

#include "MemoFixture.h"

namespace {

int ParStart(TVavaDodu& M, int Par) { return M.Store.ParInfoAt(Par).StartOffset; }
int ParEnd(TVavaDodu& M, int Par) { return ParStart(M, Par) + GetParLength(M.Store.ParInfoAt(Par)); }

std::vector<int> HiddenPars(TVavaDodu& M) {
  std::vector<int> hidden;
  for (int i = 0; i < M.ParCount(); ++i)
    if (M.Store.ParInfoAt(i).ParState.Contains(ddpHidden)) hidden.push_back(i);
  return hidden;
}

// Every paragraph's StartLine is the count of visible lines before it (a hidden one: the
// line after its block's first line), and the total agrees.
void ExpectLinesInStep(TVavaDodu& M) {
  int running = 0;
  for (int i = 0; i < M.ParCount(); ++i) {
    const ParInfo& par = M.Store.ParInfoAt(i);
    EXPECT_EQ(par.StartLine, running) << "paragraph " << i;
    if (!par.ParState.Contains(ddpHidden)) running += GetLineCount(par);
  }
  EXPECT_EQ(M.Store.VisibleLines, running);
}

// A navigator inside paragraph Par (after its first character).
std::unique_ptr<TDoduNavigator> Inside(TVavaDodu& M, int Par) {
  auto nav = std::make_unique<TDoduNavigator>(&M);
  nav->SetPos(ParStart(M, Par) + 1);
  return nav;
}

}  // namespace

TEST(DoduCollapsing, ASectionCollapsesToItsFirstLineAndExpandsAgain) {
  TMemoOnFake f(NumberedParagraphs(12));
  TVavaDodu& m = f.M();
  m.MarkSection(ParStart(m, 3), ParEnd(m, 7), 1, 0xE0E0E0);
  auto nav = Inside(m, 3);
  ASSERT_TRUE(nav->Collapse(false));
  EXPECT_EQ(HiddenPars(m), (std::vector<int>{4, 5, 6, 7}));
  for (int p = 4; p <= 7; ++p) EXPECT_EQ(f.Par(p).StartLine, 4) << p;
  EXPECT_EQ(f.Par(8).StartLine, 4);
  EXPECT_EQ(f.Par(11).StartLine, 7);
  EXPECT_EQ(m.Store.VisibleLines, 8);
  EXPECT_EQ(m.Store.PendingLineDelta, 0);  // used by the end of the update, then cleared
  ExpectLinesInStep(m);
  int start, end, bar;
  nav->SetParNumber(3);
  EXPECT_TRUE(nav->GetCollapseLevels(start, end, bar));
  EXPECT_EQ(bar, 1);

  // Already collapsed: only the outer-section form collapses (nothing more to hide) again.
  nav = Inside(m, 3);
  EXPECT_FALSE(nav->Collapse(false));
  EXPECT_TRUE(nav->Collapse(true));
  EXPECT_EQ(m.Store.VisibleLines, 8);

  ASSERT_TRUE(nav->Expand(false));
  EXPECT_EQ(HiddenPars(m), std::vector<int>{});
  for (int p = 0; p < 12; ++p) EXPECT_EQ(f.Par(p).StartLine, p);
  EXPECT_EQ(m.Store.VisibleLines, 12);
  EXPECT_FALSE(nav->Expand(false));  // not collapsed
  nav->SetParNumber(3);
  EXPECT_FALSE(nav->GetCollapseLevels(start, end, bar));
}

TEST(DoduCollapsing, HighlightingInsideASectionDoesNotEndIt) {
  TMemoOnFake f(u"a\r\n{ x\r\n  /* c */ if\r\n  if\r\n}\r\nz", true, [](TVavaDodu& M) {
    TStartStopKey comment;
    comment.StartKey = u"/*";
    comment.StopKey = u"*/";
    M.AddStartStopKey(comment);
    TKeyword kw;
    kw.Text = u"if";
    M.AddKeyword(kw);
  });
  TVavaDodu& m = f.M();
  m.MarkSection(ParStart(m, 1), ParEnd(m, 4), 1, clNone);
  ASSERT_GE(GetDynCount(f.Par(2)), 4);  // the comment and the keyword with what follows them
  for (const DynInfoRec& c : f.Par(2).ParExtra->DynCodes) EXPECT_EQ(CollapseLevel(c), 1) << c.DynOffset;
  ASSERT_TRUE(Inside(m, 1)->Collapse(false));
  EXPECT_EQ(HiddenPars(m), (std::vector<int>{2, 3, 4}));
  ExpectLinesInStep(m);
  ASSERT_TRUE(Inside(m, 1)->Expand(false));
  EXPECT_EQ(HiddenPars(m), std::vector<int>{});
  ExpectLinesInStep(m);
}

TEST(DoduCollapsing, OnlyUnwrappedLeftAlignedTextCollapses) {
  TMemoOnFake f(NumberedParagraphs(6));
  TVavaDodu& m = f.M();
  m.MarkSection(ParStart(m, 1), ParEnd(m, 3), 1, clNone);
  for (int mode = 0; mode < 2; ++mode) {
    m.WordWrap = mode == 0;
    m.Alignment = mode == 0 ? taLeftJustify : taCenter;
    auto nav = Inside(m, 1);
    EXPECT_FALSE(nav->Collapse(false));
    EXPECT_EQ(HiddenPars(m), std::vector<int>{});
  }
  m.WordWrap = false;
  m.Alignment = taLeftJustify;
  auto plain = Inside(m, 0);  // outside any section
  EXPECT_FALSE(plain->Collapse(true));
}

TEST(DoduCollapsing, NestedSectionsKeepTheirOwnState) {
  TMemoOnFake f(NumberedParagraphs(12));
  TVavaDodu& m = f.M();
  m.MarkSection(ParStart(m, 2), ParEnd(m, 9), 1, clNone);
  m.MarkSection(ParStart(m, 4), ParEnd(m, 6), 2, clNone);
  ASSERT_TRUE(Inside(m, 4)->Collapse(false));
  EXPECT_EQ(HiddenPars(m), (std::vector<int>{5, 6}));
  ExpectLinesInStep(m);
  ASSERT_TRUE(Inside(m, 2)->Collapse(false));
  EXPECT_EQ(HiddenPars(m), (std::vector<int>{3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(m.Store.VisibleLines, 5);
  ExpectLinesInStep(m);

  // Expanding the outer section leaves the inner one collapsed.
  ASSERT_TRUE(Inside(m, 2)->Expand(false));
  EXPECT_EQ(HiddenPars(m), (std::vector<int>{5, 6}));
  ExpectLinesInStep(m);
  ASSERT_TRUE(Inside(m, 4)->Expand(false));
  EXPECT_EQ(HiddenPars(m), std::vector<int>{});
  ExpectLinesInStep(m);

  // Both collapsed again, ExpandAllLevels from inside the inner one opens both.
  ASSERT_TRUE(Inside(m, 4)->Collapse(false));
  ASSERT_TRUE(Inside(m, 2)->Collapse(false));
  EXPECT_TRUE(Inside(m, 5)->ExpandAllLevels());
  EXPECT_EQ(HiddenPars(m), std::vector<int>{});
  EXPECT_EQ(m.Store.VisibleLines, 12);
  ExpectLinesInStep(m);
  EXPECT_FALSE(Inside(m, 0)->ExpandAllLevels());
}

TEST(DoduCollapsing, LineLevelsInBlockMode) {
  TMemoOnFake f(NumberedParagraphs(3));
  ParInfo& par = f.Par(1);
  par.BlockState = TBlockStates::FromBits(3);  // block level 3
  MakeParExtra(par);
  par.ParExtra->BlocksCollapsed = 1;  // level 2 collapsed here
  TDoduNavigator nav(&f.M());
  nav.SetParNumber(1);
  int start, end, bar;
  EXPECT_TRUE(nav.GetCollapseLevels(start, end, bar));
  EXPECT_EQ(bar, 2);
  EXPECT_EQ(start, 3);
  EXPECT_EQ(end, 2);
  par.ParExtra->BlocksCollapsed = 0;
  par.BlockState = TBlockStates::FromBits(2) + ddbStartBlock + ddbEndBlock;
  par.ParExtra->StartBlockCount = 1;
  par.ParExtra->StopBlockCount = 2;
  EXPECT_FALSE(nav.GetCollapseLevels(start, end, bar));
  EXPECT_EQ(bar, 2);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 0);
}

TEST(DoduCollapsing, CollapsedTextIsNeitherDrawnNorEnteredByTheCaret) {
  TMemoOnFake f(NumberedParagraphs(8));
  TVavaDodu& m = f.M();
  m.MarkSection(ParStart(m, 2), ParEnd(m, 4), 1, clNone);
  m.SetCaretPos(ParStart(m, 2) + 1);
  ASSERT_TRUE(m.ToggleSectionAtCaret());
  f.Display.Drawn.clear();
  m.Paint(Rect(0, 0, 400, 160));
  std::vector<std::u16string> texts;
  for (const TDrawnText& d : f.Display.Drawn) texts.push_back(d.Text);
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"p0", u"p1", u"p2", u" ... ", u"p5", u"p6", u"p7"}));
  EXPECT_EQ(f.Display.Drawn[4].Y, 3 * 16);  // p5 right below the collapsed line

  m.MoveCaretVertically(1);
  EXPECT_EQ(m.CaretNav->ParNumber(), 5);
  m.MoveCaretToLineEdge(false);
  m.MoveCaretHorizontally(false, false);  // back over the collapsed paragraphs
  EXPECT_EQ(m.CaretNav->ParNumber(), 2);
  EXPECT_EQ(m.CaretNav->ParOffset(), 2);
  m.MoveCaretHorizontally(true, false);
  EXPECT_EQ(m.CaretNav->ParNumber(), 5);
  EXPECT_EQ(m.CaretNav->ParOffset(), 0);

  m.SetCaretPos(ParStart(m, 2));
  ASSERT_TRUE(m.ToggleSectionAtCaret());  // from the line's start too
  EXPECT_EQ(HiddenPars(m), std::vector<int>{});
}
