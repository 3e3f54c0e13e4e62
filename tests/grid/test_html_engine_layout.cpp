// Formatted cell text laid out and hit-tested with a fixed-pitch measurer: every character is
// 8 pixels wide and a line of the 8-point default font 16 pixels high. Lines start 1 pixel
// right of the rectangle's left edge.
#include "HTMLEngineFixture.h"

#include "grid/base/HTMLEngine.h"

namespace {

using htmltest::TFakeImageList;
using htmltest::TFakePictures;
using htmltest::TFakePicture;
using htmltest::TFixedPitchMeasurer;

class HTMLEngineLayout : public ::testing::Test {
 protected:
  HTMLEngineLayout() : Bitmap(300, 200) { Params.Measurer = &Measurer; }

  THTMLRenderResult Measure(const String& Text, int Right = 300, int Bottom = 200) {
    THTMLRenderParams p = Params;
    p.MeasureOnly = true;
    THTMLRenderResult r;
    RenderHTMLText(Bitmap.Canvas(), Text, TRect{0, 0, Right, Bottom}, p, r);
    return r;
  }

  bool HitTest(const String& Text, int X, int Y, THTMLRenderResult& r, int Right = 300) {
    THTMLRenderParams p = Params;
    p.HitTestOnly = true;
    p.HitX = X;
    p.HitY = Y;
    return RenderHTMLText(Bitmap.Canvas(), Text, TRect{0, 0, Right, 200}, p, r);
  }

  TBitmap Bitmap;
  TFixedPitchMeasurer Measurer;
  THTMLRenderParams Params;
};

TEST_F(HTMLEngineLayout, SizesOfPlainAndTaggedText) {
  const struct {
    const char* text;
    int right, width, height;
    const char* plain;
  } cases[] = {
      {"", 300, 0, 16, ""},
      {"abc def", 300, 56, 16, "abc def"},
      {"ab ", 300, 16, 16, "ab "},                               // trailing space not counted
      {"aaa bbb ccc", 60, 56, 32, "aaa bbb ccc"},                // wraps at a space
      {"a verylongword b", 60, 96, 48, "a verylongword b"},      // long word alone on its line
      {"a<B>bc</B>d", 300, 32, 16, "abcd"},
      {"a<BR>bc", 300, 16, 32, "a\rbc"},
      {"a\r\nbc", 300, 16, 32, "a\rbc"},
      {"a<FONT SIZE=\"3\">b</FONT>", 300, 16, 24, "ab"},         // size 3 is 12 points
      {"a<FONT SIZE=\"9\">b</FONT>", 300, 16, 18, "ab"},         // 9 is 9 points
      {"a<Z>bbbb</Z>c", 300, 16, 16, "abbbbc"},                  // hidden: not measured, still plain text
      {"a<FONT SIZE=\"5\"><Z>x</Z></FONT>", 300, 8, 32, "ax"},  // ... but raises the line
      {"<IND x=\"50\">a", 300, 58, 16, "a"},
      {"<UL><LI>a</LI></UL>", 300, 20, 48, "a"},                 // <UL> and </LI> break lines, indent 12
      {"x<Q>y", 300, 16, 16, "xy"},                              // unknown tag dropped
      {"ab<", 300, 16, 16, "ab"},                                // lone "<" ends the text
      {"ab<cd", 300, 16, 16, "ab"},                              // so does a "<" without ">"
      {"<#ab>c", 300, 32, 16, "#abc"},                           // "<#...>" shows its text
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const THTMLRenderResult r = Measure(c.text, c.right);
    EXPECT_EQ(r.Width, c.width);
    EXPECT_EQ(r.Height, c.height);
    EXPECT_EQ(r.PlainText, c.plain);
  }
}

// Entities are decoded once, left to right; the entity texts for angle brackets never open a tag.
TEST_F(HTMLEngineLayout, EntitiesAreDecodedOnceAndNeverOpenATag) {
  const struct {
    const char* text;
    const char* plain;
    int width;
  } cases[] = {
      {"&lt;b&gt;x", "<b>x", 32},
      {"&amp;", "&", 8},
      {"&amp;lt;", "&lt;", 32},
      {"&AMP;amp;", "&amp;", 40},
      {"a&nbsp;b", "a b", 24},
      {"&euro;&copy;&trade;", "\xE2\x82\xAC\xC2\xA9\xE2\x84\xA2", 24},
      {"&bogus;", "&bogus;", 56},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const THTMLRenderResult r = Measure(c.text);
    EXPECT_EQ(r.PlainText, c.plain);
    EXPECT_EQ(r.Width, c.width);
  }
  // A non-breaking space does not break a line.
  EXPECT_EQ(Measure("aaa&nbsp;bbb", 40).Height, 16);
}

TEST_F(HTMLEngineLayout, WithoutWordWrapOneLineAndOverflowEndsTheText) {
  Params.WordWrap = false;
  THTMLRenderResult r = Measure("aaa bbb ccc", 40);
  EXPECT_EQ(r.Height, 16);
  EXPECT_EQ(r.Width, 88);
  r = Measure("aa <B>bbbbbb</B><I>cc</I>", 40);
  EXPECT_EQ(r.PlainText, "aa bbbbbb");
}

TEST_F(HTMLEngineLayout, MeasureOnlyGivesTheFullHeightDrawingStopsAtTheBottom) {
  EXPECT_EQ(Measure("a<BR>b<BR>c", 300, 20).Height, 48);
  THTMLRenderResult r;
  RenderHTMLText(Bitmap.Canvas(), "a<BR>b<BR>c", TRect{0, 0, 300, 20}, Params, r);
  EXPECT_EQ(r.Height, 16);
  EXPECT_EQ(r.PlainText, "a\r");
}

TEST_F(HTMLEngineLayout, ImagesTakeTheirRoomOnlyWhenTheyExist) {
  TFakeImageList images(2);
  Params.Images = &images;
  EXPECT_EQ(Measure("a<IMG SRC=\"IDX:1\">b").Width, 32);
  EXPECT_EQ(Measure("a<IMG SRC=\"IDX:2\">b").Width, 16);
  EXPECT_EQ(Measure("<IMG SRC=\"IDX:0\"><IMG SRC=\"IDX:0\">", 20).Height, 32);  // second waits for line 2
  Params.Images = nullptr;
  EXPECT_EQ(Measure("a<IMG SRC=\"IDX:1\">b").Width, 16);

  TFakePictures container;
  container.Pictures["LOGO"] = std::make_unique<TFakePicture>(30, 20);
  Params.PictureContainer = &container;
  THTMLRenderResult r = Measure("<IMG SRC=\"logo\">");
  EXPECT_EQ(r.Width, 30);
  EXPECT_EQ(r.Height, 20);
  EXPECT_EQ(Measure("<IMG SRC=\"logo\" WIDTH=\"10\" HEIGHT=\"12\">").Width, 10);
  EXPECT_EQ(Measure("<IMG SRC=\"nothing\">").Width, 0);
}

TEST_F(HTMLEngineLayout, ARemotePictureIsCachedOnceAndTakesNoRoom) {
  TFakePictures cache;
  Params.PictureCache = &cache;
  EXPECT_EQ(Measure("a<IMG SRC=\"http://host/p.png\">").Width, 8);
  EXPECT_EQ(Measure("a<IMG SRC=\"http://host/p.png\">").Width, 8);
  ASSERT_EQ(cache.Added.size(), 1u);
  EXPECT_EQ(cache.Added[0], "http://host/p.png");  // as written: file names depend on letter case
}

TEST_F(HTMLEngineLayout, ASecondAnchorIsFoundAtItsPlace) {
  const String text = "<A HREF=\"one\" TITLE=\"t1\">aaa</A> <A HREF=\"Two\" TITLE=\"Second\">bbb</A>";
  THTMLRenderResult r;
  ASSERT_TRUE(HitTest(text, 45, 8, r));  // "bbb" covers 33..57
  EXPECT_EQ(r.HitHref, "Two");
  EXPECT_EQ(r.HitTitle, "Second");
  EXPECT_EQ(r.HoveredAnchor, 2);
  EXPECT_EQ(r.HoverRect, (TRect{33, 0, 57, 16}));
  EXPECT_EQ(r.AnchorCount, 2);

  ASSERT_TRUE(HitTest(text, 10, 8, r));
  EXPECT_EQ(r.HitHref, "one");
  EXPECT_EQ(r.HitTitle, "t1");
  EXPECT_EQ(r.HoveredAnchor, 1);
  EXPECT_EQ(r.HoverRect, (TRect{1, 0, 25, 16}));

  // Entities in attribute values are decoded; a drawing call finds the anchor too.
  ASSERT_TRUE(HitTest("<A HREF=\"a?x=1&amp;y=2\" TITLE=\"&quot;q&quot;\">aaa</A>", 10, 8, r));
  EXPECT_EQ(r.HitHref, "a?x=1&y=2");
  EXPECT_EQ(r.HitTitle, "\"q\"");
  THTMLRenderParams p = Params;
  p.HitX = 45;
  p.HitY = 8;
  THTMLRenderResult drawn;
  EXPECT_TRUE(RenderHTMLText(Bitmap.Canvas(), text, TRect{0, 0, 300, 200}, p, drawn));
  EXPECT_EQ(drawn.HitHref, "Two");
}

// A miss leaves the hit outputs as the caller passed them, also when the point is below an
// anchor on another line.
TEST_F(HTMLEngineLayout, AMissChangesNoHitOutput) {
  const struct {
    const char* text;
    int x, y;
  } cases[] = {
      {"<A HREF=\"one\">aaa</A> bbb", 45, 8},       // beside the anchor
      {"<A HREF=\"one\">aaa</A><BR>bbb", 10, 24},   // the anchor is on the line above
      {"<A HREF=\"one\">aaa</A>", 10, 40},          // below the text
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    THTMLRenderResult r;
    r.HitHref = "kept";
    r.HoverRect = TRect{1, 2, 3, 4};
    EXPECT_FALSE(HitTest(c.text, c.x, c.y, r));
    EXPECT_EQ(r.HitHref, "kept");
    EXPECT_EQ(r.HoverRect, (TRect{1, 2, 3, 4}));
    EXPECT_EQ(r.HoveredAnchor, -1);
  }
}

TEST_F(HTMLEngineLayout, AnchorsFollowAlignmentAndWrapping) {
  THTMLRenderResult r;
  const String right = "<P ALIGN=\"RIGHT\"><A HREF=\"r\">ab</A>";  // box 84..100
  EXPECT_TRUE(HitTest(right, 90, 8, r, 100));
  EXPECT_EQ(r.HoverRect, (TRect{84, 0, 100, 16}));
  EXPECT_FALSE(HitTest(right, 5, 8, r, 100));

  // An anchor begun at the end of one line and continued on the next is boxed on the line hit.
  const String wrapped = "xxxx <A HREF=\"w\">aaa bbb</A> z";
  EXPECT_TRUE(HitTest(wrapped, 10, 24, r, 60));
  EXPECT_EQ(r.HitHref, "w");
  EXPECT_EQ(r.HoverRect, (TRect{1, 16, 57, 32}));
  EXPECT_FALSE(HitTest(wrapped, 58, 24, r, 60));
}

TEST_F(HTMLEngineLayout, ImagesInsideAnchorsAreHit) {
  TFakeImageList images(1);
  Params.Images = &images;
  THTMLRenderResult r;
  EXPECT_TRUE(HitTest("ab<A HREF=\"pic\" TITLE=\"T\"><IMG SRC=\"IDX:0\"></A>", 25, 8, r));
  EXPECT_EQ(r.HitHref, "pic");
  EXPECT_EQ(r.HitTitle, "T");
  EXPECT_FALSE(HitTest("ab<IMG SRC=\"IDX:0\">", 25, 8, r));  // outside an anchor an image is no link
}

TEST_F(HTMLEngineLayout, EmbeddedControlsAreHitAndFoundByID) {
  const String text = "x <CONTROL TYPE=\"check\" ID=\"c1\" VALUE=\"true\" WIDTH=\"20\"> y";
  EXPECT_EQ(Measure(text).Width, 16 + 16 + 16);  // a check box is 16 wide whatever WIDTH says
  THTMLRenderResult r;
  ASSERT_TRUE(HitTest(text, 25, 8, r));
  EXPECT_EQ(r.HitHref, "ctrl");
  EXPECT_EQ(r.ControlID, "c1");
  EXPECT_EQ(r.ControlType, "CHECK");
  EXPECT_EQ(r.ControlValue, "true");
  EXPECT_EQ(r.ControlRect, (TRect{17, 0, 33, 16}));

  // Asked for by ID, the control is found wherever the point is.
  THTMLRenderResult byID;
  Params.ControlID = "c1";
  ASSERT_TRUE(HitTest(text, 250, 150, byID));
  EXPECT_EQ(byID.ControlRect, (TRect{17, 0, 33, 16}));
  Params.ControlID = "c2";
  EXPECT_FALSE(HitTest(text, 250, 150, byID));

  // Without WIDTH a control takes no room; edits are WIDTH wide.
  EXPECT_EQ(Measure("<CONTROL TYPE=\"EDIT\" ID=\"e\">").Width, 0);
  EXPECT_EQ(Measure("<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"50\">").Width, 50);
  EXPECT_EQ(Measure("<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"50\">").Height, 26);  // "gh" + 10
}

TEST_F(HTMLEngineLayout, TheFocusedAnchorIsReportedWhenDrawn) {
  THTMLRenderResult r;
  Params.FocusAnchor = 1;
  RenderHTMLText(Bitmap.Canvas(), "<A HREF=\"a\">x</A> <A HREF=\"b\">y</A>", TRect{0, 0, 300, 200}, Params, r);
  EXPECT_EQ(r.FocusedHref, "b");
  EXPECT_EQ(r.AnchorCount, 2);
}

TEST(HTMLEngineColors, NamesAndHexValues) {
  EXPECT_EQ(HTMLColorByName("clRed"), clRed);
  EXPECT_EQ(HTMLColorByName("CLINFOBK"), clInfoBk);
  EXPECT_EQ(HTMLColorByName("red"), 0);
  EXPECT_EQ(HTMLHexColor("#FF0000"), clRed);
  EXPECT_EQ(HTMLHexColor("#0080FF"), RGB(0, 0x80, 0xFF));
  EXPECT_EQ(HTMLHexColor("#F"), 0);
  EXPECT_EQ(BiDiDrawTextFlags(DT_LEFT, 1, true), DT_RIGHT | DT_RTLREADING);
  EXPECT_EQ(BiDiDrawTextFlags(DT_RIGHT, 1, true), DT_RTLREADING);
  EXPECT_EQ(BiDiDrawTextFlags(DT_CENTER, 2, true), DT_CENTER | DT_RTLREADING);
  EXPECT_EQ(BiDiDrawTextFlags(DT_LEFT, 1, false), DT_LEFT);
}

// Damaged text never reads past its end and never hangs: every call returns, in every mode, and
// what precedes the damage is laid out.
TEST_F(HTMLEngineLayout, DamagedTextEndsCleanly) {
  TFakeImageList images(1);
  TFakePictures pictures;
  Params.Images = &images;
  Params.PictureContainer = &pictures;
  Params.PictureCache = &pictures;
  const String longWord(400, 'w');
  const struct {
    String text;
    const char* plain;
  } cases[] = {
      {"ab<FONT COLOR=", "ab"},
      {"ab<FONT COLOR=\"#1", "ab"},
      {"ab<FONT SIZE=", "ab"},
      {"ab<A HREF=\"x", "ab"},
      {"<A HREF=\"x\">ab", "ab"},
      {"<A TITLE=\">ab</A>", ""},
      {"ab&#", "ab&#"},
      {"ab&am", "ab&am"},
      {"&", "&"},
      {"ab<IMG SRC=", "ab"},
      {"ab<IMG SRC=\"IDX:", "ab"},
      {"<IMG SRC=\"IDX:\">ab", "ab"},
      {"<IMG SRC=\"LSYS:\">ab", "ab"},
      {"<IMG SRC=\"http://\">ab", "ab"},
      {"<IMG>ab", "ab"},
      {"<CONTROL", ""},
      {"<CONTROL TYPE=\"EDIT\" WIDTH=\"", ""},
      {"<CONTROL TYPE=\"BUTTON\" WIDTH=\"999999999\"><CONTROL TYPE=\"BUTTON\" WIDTH=\"999999999\">"
       "<CONTROL TYPE=\"BUTTON\" WIDTH=\"999999999\">ab", "ab"},
      {"<IND x=\"999999999\"><IND x=\"999999999\">ab", "ab"},
      {"<R a=\"", ""},
      {"<R a=\"999999999\">ab</R>", "ab"},
      {"<FONT SIZE=\"999999999\">ab</FONT>", "ab"},
      {"<P INDENT=\"999999999\">ab", "ab"},
      {"<P ALIGN=", ""},
      {"<B><I><U><S><A HREF=\"a\"><FONT COLOR=\"clRed\"><UL><LI>a<LI>b<HI><SUB><SUP><SHAD><Z>c", "abc"},
      {"</", ""},
      {"</>", ""},
      {"<>ab", "ab"},
      {"<<<ab", ""},
      {"<#", "#"},
      {"<#<#<#", "###"},
      {"a<", "a"},
      {"a<B", "a"},
      {longWord + " " + longWord, ""},
      {"<LI><LI><LI><LI>", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    for (int mode = 0; mode < 4; ++mode) {
      THTMLRenderParams p = Params;
      p.MeasureOnly = mode == 0;
      p.HitTestOnly = mode == 1;
      p.WordWrap = mode != 3;
      p.HitX = 10;
      p.HitY = 8;
      THTMLRenderResult r;
      RenderHTMLText(Bitmap.Canvas(), c.text, TRect{0, 0, 60, 200}, p, r);
      if (mode == 0 && *c.plain) {
        EXPECT_EQ(r.PlainText, c.plain);
      }
      EXPECT_GE(r.Height, 16);
    }
  }
}

// Sizes written in tags cannot add up past what a line width holds (the widest line stays the
// sum of what is on it), nor pull the line out of its box.
TEST_F(HTMLEngineLayout, OutlandishSizesInTagsKeepTheLineInBounds) {
  const String huge = "<CONTROL TYPE=\"EDIT\" WIDTH=\"999999999\">";
  const int one = Measure(huge).Width;
  EXPECT_GT(one, 0);
  EXPECT_EQ(Measure(huge + huge + huge).Width, 3 * one);
  EXPECT_GT(Measure("<IND x=\"999999999\">" + huge + huge + "ab").Width, 2 * one);
  // A negative width does not pull the text after the control out of the box.
  EXPECT_EQ(Measure("<CONTROL TYPE=\"EDIT\" WIDTH=\"-50\">ab").Width, 16);
  THTMLRenderResult r;
  EXPECT_FALSE(HitTest("<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"-50\"><A HREF=\"x\">ab</A>", -30, 8, r));
  EXPECT_TRUE(HitTest("<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"-50\"><A HREF=\"x\">ab</A>", 5, 8, r));
}

}  // namespace
