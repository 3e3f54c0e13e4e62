// Navigators: positions across paragraph breaks, the caches of code and line, code walking,
// words, line numbers with wrapped and collapsed paragraphs, and pixels on the fixed-width
// fake display (8 pixels a character, 16 a line, left margin 2).
#include <gtest/gtest.h>

#include "MemoFixture.h"
#include "classlib/Exceptions.h"

namespace {

DynInfoRec Highlight(TColor Fore) {
  DynInfoRec a;
  a.DynStyle = kDynHighlight;
  a.Level = -1;
  a.Foregnd = Fore;
  return a;
}

// Adds a code at an absolute position.
void AddCodeAt(TVavaDodu& Memo, int Pos, DynInfoRec Code) {
  TDoduNavigator nav(&Memo);
  nav.SetPos(Pos);
  nav.RightOfDyn();
  nav.AddDyn(Code);
}

}  // namespace

TEST(DoduNavigation, BreaksReadAsCarriageReturnAndLineFeed) {
  TMemoOnFake f(u"abc\r\nde\r\n\r\nf");
  TDoduNavigator nav(&f.M());
  struct Case {
    int pos;
    char16_t text;
    int par, offset;
  };
  for (Case c : {Case{0, u'a', 0, 0}, Case{3, 13, 0, 3}, Case{4, 10, 0, 4}, Case{5, u'd', 1, 0}, Case{7, 13, 1, 2},
                 Case{8, 10, 1, 3}, Case{9, 13, 2, 0}, Case{10, 10, 2, 1}, Case{11, u'f', 3, 0}, Case{12, 13, 3, 1}}) {
    nav.SetPos(c.pos);
    EXPECT_EQ(nav.Text(), c.text) << c.pos;
    EXPECT_EQ(nav.ParNumber(), c.par) << c.pos;
    EXPECT_EQ(nav.ParOffset(), c.offset) << c.pos;
  }
  // Two positions on from a carriage return: the next paragraph's first character.
  nav.SetPos(3);
  nav.SetPos(nav.Pos() + 2);
  EXPECT_EQ(nav.Text(), u'd');
  EXPECT_EQ(f.M().TextLength(), 12);

  std::u16string buffer(16, u'?');
  nav.SetPos(1);
  nav.GetTextBuf(buffer.data(), 9);
  EXPECT_EQ(std::u16string(buffer.c_str()), u"bc\r\nde\r\n\r");
  nav.SetPos(4);  // on a line feed: only the LF is copied
  nav.GetTextBuf(buffer.data(), 3);
  EXPECT_EQ(std::u16string(buffer.c_str()), u"\nde");
}

TEST(DoduNavigation, CachesMoveForwardAndAreFoundAgainOnDemand) {
  TMemoOnFake f(u"one two three\r\nfour");
  ParInfo& par = f.Par(0);
  AddCodeAt(f.M(), 4, Highlight(0xFF));
  AddCodeAt(f.M(), 8, Highlight(0xFF00));
  ASSERT_EQ(GetDynCount(par), 2);
  TDoduNavigator nav(&f.M());
  nav.SetPos(1);
  EXPECT_EQ(nav.DynNb(), 0);
  nav.SetPos(6);  // forward inside the paragraph: the code index moves along
  EXPECT_EQ(nav.CachedDynNb(), 1);
  nav.SetPos(10);
  EXPECT_EQ(nav.CachedDynNb(), 2);
  EXPECT_EQ(nav.pDynAttr()->Foregnd, 0xFF00);
  nav.SetPos(5);  // backwards: forgotten, found again
  EXPECT_EQ(nav.CachedDynNb(), -1);
  EXPECT_EQ(nav.DynNb(), 1);
  nav.SetPos(16);  // another paragraph
  EXPECT_EQ(nav.CachedDynNb(), -1);
  EXPECT_EQ(nav.ParNumber(), 1);
  EXPECT_EQ(nav.DynNb(), 0);

  // DynNb 0 stands at the paragraph start, a code number at that code; too large: nothing.
  nav.SetPos(10);
  nav.SetDynNb(0);
  EXPECT_EQ(nav.Pos(), 0);
  nav.SetDynNb(2);
  EXPECT_EQ(nav.Pos(), 8);
  EXPECT_EQ(nav.DynNb(), 2);
  nav.SetDynNb(3);
  EXPECT_EQ(nav.Pos(), 8);
}

TEST(DoduNavigation, WalksFromCodeToCodeAcrossParagraphs) {
  TMemoOnFake f(u"aaaa\r\nbbbb\r\ncccc");
  AddCodeAt(f.M(), 1, Highlight(1));
  AddCodeAt(f.M(), 3, Highlight(2));
  AddCodeAt(f.M(), 13, Highlight(3));  // paragraph 2, offset 1
  TDoduNavigator nav(&f.M());
  nav.SetPos(8);
  EXPECT_TRUE(nav.ForwardToDyn(100));
  EXPECT_EQ(nav.Pos(), 13);
  EXPECT_EQ(nav.DynNb(), 0);  // standing at it, not passed
  nav.SetPos(8);
  EXPECT_FALSE(nav.ForwardToDyn(12));  // no paragraph starting before Max holds one

  nav.SetPos(13);
  EXPECT_TRUE(nav.BackToDyn(0));
  EXPECT_EQ(nav.Pos(), 3);
  EXPECT_EQ(nav.DynNb(), 1);
  nav.SetPos(13);
  EXPECT_FALSE(nav.BackToDyn(4));  // the previous code lies before Min: nothing moves
  EXPECT_EQ(nav.Pos(), 13);

  nav.SetPos(0);
  for (TColor fore : {1, 2, 3}) {
    EXPECT_TRUE(nav.NextDyn());
    EXPECT_EQ(nav.pDynAttr()->Foregnd, fore);
  }
  EXPECT_FALSE(nav.NextDyn());
  EXPECT_TRUE(nav.PreviousDyn());  // paragraph 2's own start attribute
  EXPECT_EQ(nav.Pos(), 12);
  EXPECT_TRUE(nav.PreviousDyn());
  EXPECT_EQ(nav.pDynAttr()->Foregnd, 1);
  EXPECT_EQ(nav.Pos(), 1);
  EXPECT_TRUE(nav.PreviousDyn());
  EXPECT_EQ(nav.pDynAttr(), DefaultAttrib());
  EXPECT_FALSE(nav.PreviousDyn());
}

TEST(DoduNavigation, CodesAreAddedAndRemovedOnlyWhereTheNavigatorStands) {
  TMemoOnFake f(u"abcdef");
  TDoduNavigator nav(&f.M());
  nav.SetPos(3);
  DynInfoRec code = Highlight(7);
  nav.AddDyn(code);
  EXPECT_EQ(code.DynOffset, 3);
  EXPECT_EQ(nav.DynNb(), 1);
  nav.SetPos(4);
  try {
    nav.RemoveDyn();
    ADD_FAILURE() << "removing where no code lies";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Internal VavaDodu error");
  }
  EXPECT_EQ(GetDynCount(f.Par(0)), 1);
  nav.SetPos(3);
  nav.RemoveDyn();
  EXPECT_EQ(GetDynCount(f.Par(0)), 0);

  TObject notAMemo;
  try {
    TDoduNavigator wrong(&notAMemo);
    ADD_FAILURE() << "a navigator on something else";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Internal error: component is not a TVavaDodu");
  }
  TDoduNavigator loose(nullptr);
  EXPECT_EQ(loose.Pos(), 0);
}

TEST(DoduNavigation, WordsAndTheirEdges) {
  TMemoOnFake f(u"alpha, beta\r\ngamma");
  TDoduNavigator nav(&f.M());
  nav.SetPos(2);
  EXPECT_EQ(nav.Word(), u"alpha");
  nav.ToNextWord();
  EXPECT_EQ(nav.Pos(), 7);
  nav.ToNextWord();
  EXPECT_EQ(nav.Pos(), 13);  // over the break to the next paragraph's first character
  EXPECT_EQ(nav.Word(), u"gamma");
  nav.SetPos(11);  // on a carriage return
  nav.ToNextWord();
  EXPECT_EQ(nav.Pos(), 13);
  nav.ToNextWord();
  EXPECT_EQ(nav.Pos(), 18);
  nav.ToPreviousWord();
  EXPECT_EQ(nav.Pos(), 13);
  nav.ToPreviousWord();
  EXPECT_EQ(nav.Pos(), 7);
  nav.ToPreviousWord();
  EXPECT_EQ(nav.Pos(), 0);
  nav.ToPreviousWord();
  EXPECT_EQ(nav.Pos(), 0);
  nav.SetPos(8);
  nav.ToEndOfWord();
  EXPECT_EQ(nav.Pos(), 11);
  nav.ToStartOfWord();
  EXPECT_EQ(nav.Pos(), 7);
}

TEST(DoduNavigation, LineNumbersOfWrappedAndCollapsedParagraphs) {
  TMemoOnFake f;
  f.M().WordWrap = true;
  f.M().RightEdge = 10;  // ten characters a line
  f.M().SetText(u"aaaa bbbb cccc dddd\r\nshort\r\neeee ffff gggg");
  ASSERT_EQ(f.Lines(0), 2);
  ASSERT_EQ(f.Par(1).StartLine, 2);
  ASSERT_EQ(f.Par(2).StartLine, 3);
  TDoduNavigator nav(&f.M());
  nav.SetPos(11);
  EXPECT_EQ(nav.ParLine(), 1);
  EXPECT_EQ(nav.TrueLineNumber(), 1);
  EXPECT_EQ(nav.Line(), u"cccc dddd");
  EXPECT_EQ(nav.Col(), 1);
  nav.SetTrueLineNumber(4);
  EXPECT_EQ(nav.ParNumber(), 2);
  EXPECT_EQ(nav.ParOffset(), 10);
  nav.SetVisibleLineNumber(1);
  EXPECT_EQ(nav.Pos(), 10);
  nav.SetVisibleLineNumber(99);  // cut to the last line
  EXPECT_EQ(nav.VisibleLineNumber(), 4);

  // Without wrapping a line number is a paragraph number; hidden paragraphs are skipped.
  TMemoOnFake g(NumberedParagraphs(6));
  for (int p : {2, 3}) {
    g.Par(p).ParState.Include(ddpHidden);
    g.Par(p).StartLine = 2;
  }
  g.Par(4).StartLine = 2;
  g.Par(5).StartLine = 3;
  g.M().Store.VisibleLines = 4;
  TDoduNavigator nav2(&g.M());
  nav2.SetVisibleLineNumber(2);
  EXPECT_EQ(nav2.ParNumber(), 4);
  nav2.SetParNumber(3);
  EXPECT_FALSE(nav2.IsVisible());
  EXPECT_EQ(nav2.VisibleLineNumber(), 2);
}

TEST(DoduNavigation, PixelsFollowTabsAlignmentAndJustification) {
  TMemoOnFake f(u"ab\tcd efg");
  TVavaDodu& m = f.M();
  TDoduNavigator nav(&m);
  struct Case {
    int pos, x;
  };
  // Left margin 2; the tab jumps to 8 characters (64 pixels).
  for (Case c : {Case{0, 2}, Case{2, 18}, Case{3, 66}, Case{5, 82}, Case{9, 114}}) {
    nav.SetPos(c.pos);
    EXPECT_EQ(nav.DisplayX(), c.x) << c.pos;
  }
  nav.SetDisplayPos(TPoint{69, 5});  // the middle of 'c' is at 70
  EXPECT_EQ(nav.Pos(), 3);
  nav.SetDisplayPos(TPoint{70, 5});
  EXPECT_EQ(nav.Pos(), 4);
  nav.SetDisplayPos(TPoint{500, 5});
  EXPECT_EQ(nav.Pos(), 9);
  nav.SetDisplayPos(TPoint{5, 500});  // below the text: its end
  EXPECT_EQ(nav.Pos(), 9);
  nav.SetPos(4);
  EXPECT_EQ(nav.DisplayY(), 0);
  EXPECT_EQ(nav.DisplayWidth(), 8);
  nav.SetPos(2);
  EXPECT_EQ(nav.DisplayWidth(), 48);  // the tab up to its stop

  // Right and centre alignment place the line by its width (client 400, margins 2).
  m.Alignment = taRightJustify;
  m.SetText(u"abcd");
  nav.SetPos(0);
  EXPECT_EQ(nav.DisplayX(), 400 - 2 - 32);
  m.Alignment = taCenter;
  nav.SetPos(0);
  EXPECT_EQ(nav.DisplayX(), 2 + (396 - 32) / 2);

  // Justified: the free width goes to the spaces after the last tab, the remainder spread.
  m.Alignment = taLeftJustify;
  m.Justify = true;
  m.WordWrap = true;
  m.RightEdge = -100;  // 100 pixels a line
  m.SetText(u"aa bb cc dd ee ff");
  ASSERT_EQ(f.Line(0, 0).Stop, 12);
  ASSERT_EQ(f.Line(0, 0).Spaces, 3);
  ASSERT_EQ(f.Line(0, 0).LineWidth, 88);
  // 12 free pixels over 3 spaces: 4 each, no remainder.
  nav.SetPos(3);
  EXPECT_EQ(nav.DisplayX(), 2 + 16 + 12);
  nav.SetPos(9);
  EXPECT_EQ(nav.DisplayX(), 2 + 48 + 36);
}

TEST(DoduNavigation, StyleCodesSwitchTheStyleWithoutBeingDrawn) {
  TMemoOnFake f(u"a\x02" u"bc\x02" u"d", true, [](TVavaDodu& M) { M.Store.StyleCodes = true; });
  TDoduNavigator nav(&f.M());
  nav.SetPos(3);
  EXPECT_EQ(nav.DisplayX(), 2 + 16);  // 'a' and 'b'; the code has no width
  EXPECT_EQ(nav.Style(), TFontStyles{fsBold});
  nav.SetPos(5);
  EXPECT_TRUE(nav.Style().Empty());
  f.Display.Drawn.clear();
  f.M().Paint(Rect(0, 0, 400, 16));
  ASSERT_EQ(f.Display.Drawn.size(), 3u);
  EXPECT_EQ(f.Display.Drawn[1].Text, u"bc");
  EXPECT_EQ(f.Display.Drawn[1].Font, 0x01);
  EXPECT_EQ(f.Display.Drawn[2].X, 2 + 24);
}
