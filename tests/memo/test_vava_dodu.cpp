// The memo model on the fixed-width fake display: paragraph formatting (column and pixel
// wrapping, partial reformatting, no canvas), scrolling and its scales, the update counter,
// the caret and its notifications, and the memo's own editing and caret moves.
#include <gtest/gtest.h>

#include "MemoFixture.h"

namespace {

struct Span {
  int Start, Stop;
  friend bool operator==(const Span&, const Span&) = default;
};

std::vector<Span> Spans(TMemoOnFake& F, int Par) {
  std::vector<Span> spans;
  for (int i = 0; i < F.Lines(Par); ++i) spans.push_back({F.Line(Par, i).Start, F.Line(Par, i).Stop});
  return spans;
}

void PrintTo(const Span& S, std::ostream* Os) { *Os << "[" << S.Start << "," << S.Stop << ")"; }

class TRecordingClient : public TDoduClient {
 public:
  void DoduNotify(TVavaDodu*, int Flags) override { Seen.push_back(Flags); }
  std::vector<int> Seen;
};

// Word wrap at RightEdge (characters when positive, pixels when negative).
std::function<void(TVavaDodu&)> WrapAt(int RightEdge) {
  return [RightEdge](TVavaDodu& M) {
    M.WordWrap = true;
    M.RightEdge = RightEdge;
  };
}

}  // namespace

// ---- Formatting ----

TEST(VavaDoduFormat, ColumnModeSplitsAWordWiderThanALine) {
  TMemoOnFake f(std::u16string(50, u'w'), true, WrapAt(20));
  EXPECT_EQ(Spans(f, 0), (std::vector<Span>{{0, 20}, {20, 40}, {40, 50}}));
  EXPECT_EQ(f.Line(0, 1).Spaces, 0);
  EXPECT_EQ(f.Line(0, 1).JustifyStart, 40);
  EXPECT_EQ(f.Line(0, 2).LineWidth, 80);
  EXPECT_EQ(f.M().Store.TotalLines, 3);

  // A paragraph that never wraps is one line however long.
  f.Par(0).ParState.Include(ddpNoWrap);
  f.M().FormatPars(0, 0, false, true);
  EXPECT_EQ(Spans(f, 0), (std::vector<Span>{{0, 50}}));
  EXPECT_EQ(f.M().Store.TotalLines, 1);
}

TEST(VavaDoduFormat, AWordThatDoesNotFitMovesWholeAndLeavesItsBlanksBehind) {
  // 80 pixels a line: "aaaa bbbb" is 72, the two blanks after it make 88.
  TMemoOnFake f(u"aaaa bbbb  cccc dd", true, WrapAt(-80));
  ASSERT_EQ(Spans(f, 0), (std::vector<Span>{{0, 11}, {11, 18}}));
  LineInfo first = f.Line(0, 0);
  EXPECT_EQ(first.LineWidth, 72);
  EXPECT_EQ(first.TotalWidth, 88);
  EXPECT_EQ(first.Spaces, 1);
  EXPECT_EQ(first.JustifyStart, 0);
  LineInfo last = f.Line(0, 1);
  EXPECT_EQ(last.Spaces, 0);  // a last line is never justified
  EXPECT_EQ(last.JustifyStart, 18);
  EXPECT_EQ(last.LineWidth, 56);

  // A tab moves the justification start after it and restarts the count of spaces.
  TMemoOnFake g(u"a b\tc d e ffffffffff", true, WrapAt(-160));
  ASSERT_EQ(Spans(g, 0), (std::vector<Span>{{0, 10}, {10, 20}}));
  EXPECT_EQ(g.Line(0, 0).JustifyStart, 4);
  EXPECT_EQ(g.Line(0, 0).Spaces, 2);

  // Pixel mode splits a word after the last character that fits.
  TMemoOnFake h(std::u16string(25, u'x'), true, WrapAt(-80));
  EXPECT_EQ(Spans(h, 0), (std::vector<Span>{{0, 10}, {10, 20}, {20, 25}}));
}

TEST(VavaDoduFormat, ReformattingFromALineStopsWhereTheOldLinesMeetTheNewOnes) {
  TMemoOnFake f(u"aaaa bbbbbb cc dddddddd eeee ff", true, WrapAt(10));
  ASSERT_EQ(Spans(f, 0), (std::vector<Span>{{0, 5}, {5, 15}, {15, 24}, {24, 31}}));
  TVavaDodu& m = f.M();
  m.BeginUpdate();
  m.DeleteChars(5, 7);  // "bbbbbb " out of line 1
  ASSERT_EQ(m.ParText(0), u"aaaa cc dddddddd eeee ff");
  int first = 1, last = 0, delta = 0, count = 0;
  m.FormatParagraph(&f.Display, true, 400, f.Par(0), 0, first, last, false, delta, count);
  // "cc" went back onto line 0; line 1 then ended where the old line 2 did, so the rest stayed.
  EXPECT_EQ(first, 0);
  EXPECT_EQ(delta, -1);
  EXPECT_EQ(last, 1);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Spans(f, 0), (std::vector<Span>{{0, 8}, {8, 17}, {17, 24}}));
  m.EndUpdate();

  // The same through the memo's own end of update, with the line totals in step.
  TMemoOnFake g(u"aaaa bbbbbb cc dddddddd eeee ff\r\nnext", true, WrapAt(10));
  g.M().DeleteChars(5, 7);
  EXPECT_EQ(Spans(g, 0), (std::vector<Span>{{0, 8}, {8, 17}, {17, 24}}));
  EXPECT_EQ(g.M().Store.TotalLines, 4);
  EXPECT_EQ(g.M().Store.VisibleLines, 4);
  EXPECT_EQ(g.Par(1).StartLine, 3);
}

TEST(VavaDoduFormat, WithoutACanvasEveryParagraphIsOneLine) {
  TMemoOnFake f(std::u16string(50, u'w'), true, WrapAt(20));
  ASSERT_EQ(f.Lines(0), 3);
  int first = 2, last = 0, delta = 0, count = 0;
  f.M().FormatParagraph(nullptr, true, 0, f.Par(0), 0, first, last, true, delta, count);
  EXPECT_EQ(delta, -2);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Spans(f, 0), (std::vector<Span>{{0, 50}}));
  EXPECT_EQ(f.Line(0, 0).LineWidth, 0);

  TMemoOnFake headless(u"one\r\ntwo", false);
  EXPECT_EQ(headless.M().Store.TotalLines, 2);
  EXPECT_FALSE(headless.Par(0).ParState.Contains(ddpFormatted));
  // Shown later, the text is formatted then.
  headless.M().Display = &headless.Display;
  headless.M().DisplayResized();
  EXPECT_TRUE(headless.Par(1).ParState.Contains(ddpFormatted));
  EXPECT_EQ(headless.M().WidestLine, 24);
}

// ---- Scrolling ----

TEST(VavaDoduScroll, LargeScrollsInvalidateInsteadOfMovingPixels) {
  TMemoOnFake f(NumberedParagraphs(5000));
  f.Display.Calls.clear();
  f.M().ScrollTo(100, 0, 0);
  EXPECT_EQ(f.Display.Count("ScrollWindow 0 -100"), 1);
  EXPECT_EQ(f.Display.Count("Invalidate "), 0);
  f.M().ScrollTo(40100, 0, 0);
  EXPECT_EQ(f.Display.Count("ScrollWindow"), 1);
  EXPECT_EQ(f.Display.Count("Invalidate "), 1);
  EXPECT_EQ(f.M().TopNav->ParNumber(), 40100 / 16);
  // The bar's position is the offset over the vertical scale (5000 lines of 16 pixels: 3).
  EXPECT_EQ(f.M().VScale, 3);
  EXPECT_EQ(f.Display.VPos, 40100 / 3);
}

TEST(VavaDoduScroll, SpeedZeroMovesAtOnceAndFiresEachScrollEventOnce) {
  TMemoOnFake f(NumberedParagraphs(100));
  int h = 0, v = 0;
  f.M().OnHScroll = [&](TObject*) { ++h; };
  f.M().OnVScroll = [&](TObject*) { ++v; };
  TRecordingClient client;
  f.M().RegisterClient(&client);
  f.Display.Calls.clear();
  f.M().ScrollTo(48, 24, 0);
  EXPECT_EQ(f.M().VOffset, 48);
  EXPECT_EQ(f.M().HOffset, 24);
  EXPECT_EQ(h, 1);
  EXPECT_EQ(v, 1);
  EXPECT_EQ(client.Seen, std::vector<int>{0x180});
  EXPECT_EQ(f.Display.Count("UpdateWindow"), 0);
  f.M().ScrollTo(48, 24, 0);  // nowhere to go: nothing fires
  EXPECT_EQ(h + v, 2);
  f.M().UnregisterClient(&client);
  f.M().ScrollTo(0, 0, 0);
  EXPECT_EQ(client.Seen.size(), 1u);
}

TEST(VavaDoduScroll, AnimatedScrollsStepByClockTicksToTheTarget) {
  for (int speed : {-40, 25}) {
    SCOPED_TRACE(speed);
    TMemoOnFake f(NumberedParagraphs(200));
    int v = 0;
    f.M().OnVScroll = [&](TObject*) { ++v; };
    f.Display.TickStep = 3;
    f.Display.Calls.clear();
    f.M().ScrollTo(800, 0, speed);
    EXPECT_EQ(f.M().VOffset, 800);
    EXPECT_EQ(f.M().TopNav->ParNumber(), 50);
    EXPECT_GT(f.Display.Count("ScrollWindow"), 3);
    EXPECT_EQ(f.Display.Count("ScrollWindow"), f.Display.Count("UpdateWindow"));
    EXPECT_EQ(v, 1);
  }
  // A constant speed of 40 ms over 800 pixels at 3 ms a step: 60 pixels a step.
  TMemoOnFake f(NumberedParagraphs(200));
  f.Display.TickStep = 3;
  f.Display.Calls.clear();
  f.M().ScrollTo(800, 0, -40);
  EXPECT_EQ(f.Display.Calls.front(), "ScrollWindow 0 -60");
}

TEST(VavaDoduScroll, TrackedScrollsInQuickSuccessionMoveAtOnce) {
  TMemoOnFake f(NumberedParagraphs(200));
  f.M().TrackScrolling = true;
  f.M().ScrollTo(160, 0, -100);  // animated: the first of the run
  f.Display.Calls.clear();
  f.M().ScrollTo(320, 0, -100);  // within 201 ms of the last one
  EXPECT_EQ(f.Display.Calls, std::vector<std::string>{"ScrollWindow 0 -160"});
  f.Display.Ticks += 500;
  f.Display.Calls.clear();
  f.M().ScrollTo(480, 0, -100);
  EXPECT_GT(f.Display.Count("ScrollWindow"), 1);
}

TEST(VavaDoduScroll, InvalidatedLinesAreCutToTheClient) {
  TMemoOnFake f(NumberedParagraphs(50));
  f.M().ScrollTo(32, 0, 0);
  f.Display.Calls.clear();
  f.M().InvalidateLines(4, 3, true);
  f.M().InvalidateLines(8, 20, true);
  f.M().InvalidateLines(30, 40, true);  // below the client: nothing
  EXPECT_EQ(f.Display.Calls, (std::vector<std::string>{"InvalidateRect 16 48", "InvalidateRect 96 160"}));
}

TEST(VavaDoduScroll, WideLinesScaleTheHorizontalBar) {
  // 8750 characters of 8 pixels and the margins: 70004 pixels, scale 3.
  TMemoOnFake f(std::u16string(8750, u'x') + u"\r\nshort");
  EXPECT_EQ(f.M().WidestLine, 70000);
  EXPECT_EQ(f.M().HScale, 3);
  EXPECT_TRUE(f.Display.HBar);
  f.M().ScrollTo(0, 3000, 0);
  EXPECT_EQ(f.Display.HPos, 1000);
  f.M().SetText(u"short");
  EXPECT_EQ(f.M().HScale, 1);
  EXPECT_FALSE(f.Display.HBar);
}

TEST(VavaDoduScroll, AClientTallEnoughForTheTextScrollsToTheTop) {
  TMemoOnFake f(NumberedParagraphs(30));
  EXPECT_TRUE(f.Display.VBar);
  f.M().ScrollTo(64, 0, 0);
  f.Display.Height = 1000;
  f.M().DisplayResized();
  EXPECT_FALSE(f.Display.VBar);
  EXPECT_EQ(f.M().VOffset, 0);
}

TEST(VavaDoduScroll, EndUpdateNeverGoesBelowZeroAndRepaintsEachTime) {
  TMemoOnFake f(u"one\r\ntwo");
  TVavaDodu& m = f.M();
  m.EndUpdate();
  EXPECT_EQ(m.UpdateCount, 0);
  m.BeginUpdate();
  m.BeginUpdate();
  m.Store.MarkParsDirty(0, 0, 1);
  m.EndUpdate();
  EXPECT_TRUE(m.Store.HasDirtyRange());
  m.EndUpdate();
  EXPECT_FALSE(m.Store.HasDirtyRange());
  m.Store.MarkParsDirty(1, 0, 1);
  m.EndUpdate();  // one more than begun: still at 0, and the pending range is formatted
  EXPECT_EQ(m.UpdateCount, 0);
  EXPECT_FALSE(m.Store.HasDirtyRange());
}

TEST(VavaDoduScroll, FontStylesOfHighlightsAndStyleCodes) {
  TMemoOnFake f;
  TVavaDodu& m = f.M();
  EXPECT_EQ(m.FontStyleFor(0x00, 0x98), 0x80);  // bits 3 and 4 together: kept with 0xA7
  EXPECT_EQ(m.FontStyleFor(0x01, 0x85), 0x05);  // a highlight ignores the text style
  m.FontStyle = TFontStyles{fsBold};
  EXPECT_EQ(m.FontStyleFor(0x03, 0x00), 0x02);  // the memo font's style flipped by the text's
}

// ---- Caret and editing ----

TEST(VavaDoduCaret, TypingMovesTheCaretAndTellsTheClients) {
  TMemoOnFake f(u"hello");
  TVavaDodu& m = f.M();
  int moves = 0;
  m.OnCaretMove = [&](TObject*) { ++moves; };
  TRecordingClient client;
  m.RegisterClient(&client);
  m.SetCaretPos(5);
  EXPECT_EQ(f.Display.CaretX, 2 + 40);
  EXPECT_EQ(moves, 1);
  m.InsertText(u" world");
  EXPECT_EQ(m.ParText(0), u"hello world");
  EXPECT_EQ(m.CaretPos(), 11);
  EXPECT_EQ(f.Display.CaretX, 2 + 88);
  EXPECT_EQ(moves, 2);
  ASSERT_FALSE(client.Seen.empty());
  EXPECT_EQ(client.Seen.back() & 2, 2);
  // Input not yet in the text widens the caret's place: a character, or up to a tab stop.
  m.PendingInput = u"ab";
  m.UpdateCaret(false);
  EXPECT_EQ(f.Display.CaretX, 2 + 88 + 16);
  m.PendingInput = u"\t";
  m.UpdateCaret(false);
  EXPECT_EQ(f.Display.CaretX, 2 + 128);
  EXPECT_EQ(moves, 4);
}

TEST(VavaDoduEditing, ParagraphsSplitAndJoinWithOffsetsAndLinesInStep) {
  TMemoOnFake f(u"first line\r\nsecond");
  TVavaDodu& m = f.M();
  m.SetCaretPos(5);
  m.InsertText(u"\r\nX");
  EXPECT_EQ(m.GetText(), u"first\r\nX line\r\nsecond");
  EXPECT_EQ(m.CaretPos(), 8);
  EXPECT_EQ(m.ParCount(), 3);
  EXPECT_EQ(f.Par(2).StartOffset, 15);
  EXPECT_EQ(f.Par(2).StartLine, 2);
  EXPECT_EQ(m.Store.VisibleLines, 3);
  m.SetCaretPos(7);  // the start of "X line"
  m.Backspace();
  EXPECT_EQ(m.GetText(), u"firstX line\r\nsecond");
  EXPECT_EQ(m.CaretPos(), 5);
  EXPECT_EQ(m.Store.TotalLines, 2);
  EXPECT_EQ(f.Par(1).StartLine, 1);
  m.SetCaretPos(11);
  m.DeleteForward();  // the break
  EXPECT_EQ(m.GetText(), u"firstX linesecond");
  m.DeleteChars(0, 100);
  EXPECT_EQ(m.GetText(), u"");
  EXPECT_EQ(m.Store.TextLength, 0);
  EXPECT_EQ(m.Store.VisibleLines, 1);
}

TEST(VavaDoduEditing, NavigatorsKeepTheirPlaceInTheText) {
  TMemoOnFake f(u"abc\r\ndef\r\nghi");
  TVavaDodu& m = f.M();
  TDoduNavigator mark(&m);
  mark.SetPos(11);  // 'h'
  m.SetCaretPos(1);
  m.InsertText(u"XY");
  EXPECT_EQ(mark.Pos(), 13);
  EXPECT_EQ(mark.Text(), u'h');
  m.SetCaretPos(0);
  m.InsertText(u"\r\n");
  EXPECT_EQ(mark.Text(), u'h');
  m.DeleteChars(0, 9);  // the new empty paragraph and "aXYbc" with its break
  EXPECT_EQ(m.GetText(), u"def\r\nghi");
  EXPECT_EQ(mark.Text(), u'h');
  m.DeleteChars(5, 2);  // "gh": the mark stands where they were
  EXPECT_EQ(mark.Pos(), 5);
  EXPECT_EQ(mark.Text(), u'i');
}

TEST(VavaDoduEditing, CaretMovesByCharacterWordLineAndKeepsItsColumn) {
  TMemoOnFake f(u"one two three\r\nx\r\nfour five six");
  TVavaDodu& m = f.M();
  m.SetCaretPos(11);
  m.MoveCaretVertically(1);  // a short line: the caret goes to its end
  EXPECT_EQ(m.CaretPos(), 16);
  m.MoveCaretVertically(1);  // and comes back to the kept column
  EXPECT_EQ(m.CaretPos(), 18 + 11);
  m.MoveCaretHorizontally(false, true);
  EXPECT_EQ(m.CaretPos(), 18 + 10);
  m.MoveCaretToLineEdge(false);
  EXPECT_EQ(m.CaretPos(), 18);
  m.MoveCaretHorizontally(false, false);  // back over the break
  EXPECT_EQ(m.CaretPos(), 16);
  m.MoveCaretHorizontally(true, false);
  EXPECT_EQ(m.CaretPos(), 18);
  m.MoveCaretToTextEdge(true);
  EXPECT_EQ(m.CaretPos(), m.TextLength());
  m.MoveCaretToPoint(2 + 4 * 8, 0);
  EXPECT_EQ(m.CaretPos(), 4);
}

TEST(VavaDoduEditing, TheCaretScrollsIntoView) {
  TMemoOnFake f(NumberedParagraphs(100));
  TVavaDodu& m = f.M();
  m.MoveCaretVertically(20);  // ten lines fit: line 20 ends at the bottom
  EXPECT_EQ(m.VOffset, 21 * 16 - 160);
  m.MoveCaretToTextEdge(false);
  EXPECT_EQ(m.VOffset, 0);
  m.SetCaretPos(0);
  m.InsertText(std::u16string(60, u'z'));
  EXPECT_GT(m.HOffset, 0);
  EXPECT_LT(f.Display.CaretX, 400);
}
