// Formatted cell text drawn on a bitmap (no antialiasing, 96 dpi, DejaVu fonts): each tag is
// checked by where ink appears and in which colours, never by exact glyph pixels.
#include "HTMLEngineFixture.h"

#include "grid/base/HTMLEngine.h"

namespace {

using htmltest::InkBox;
using htmltest::NotWhite;
using htmltest::TFakeImageList;
using htmltest::TFakePicture;
using htmltest::TFakePictures;

constexpr int kW = 300, kH = 100;

class HTMLEngineDrawing : public ::testing::Test {
 protected:
  HTMLEngineDrawing() : Bitmap(kW, kH) { Params.ShadowOffset = 2; }

  // Draws Text on a white bitmap; returns the call's outputs.
  THTMLRenderResult Draw(const String& Text, TRect R = TRect{0, 0, kW, kH}) {
    TCanvas* c = Bitmap.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, kW, kH});
    THTMLRenderResult r;
    RenderHTMLText(c, Text, R, Params, r);
    return r;
  }
  TRect Ink(const std::function<bool(TColor)>& match, TRect area = TRect{0, 0, kW, kH}) {
    return InkBox(Bitmap, match, area);
  }
  TRect InkOf(const String& Text) {
    Draw(Text);
    return Ink(NotWhite);
  }
  bool Has(TColor color, TRect area = TRect{0, 0, kW, kH}) {
    return Ink([color](TColor c) { return c == color; }, area).Right > 0;
  }

  TBitmap Bitmap;
  THTMLRenderParams Params;
};

TEST_F(HTMLEngineDrawing, StyleTagsChangeTheInk) {
  const TRect plain = InkOf("mmmm");
  ASSERT_GT(plain.Right, 0);
  EXPECT_GE(plain.Left, 1);  // lines start one pixel in
  EXPECT_LE(plain.Left, 3);
  EXPECT_GT(InkOf("<B>mmmm</B>").Width(), plain.Width());
  EXPECT_GT(InkOf("<U>mmmm</U>").Bottom, plain.Bottom);
  EXPECT_GT(InkOf("<FONT SIZE=\"5\">mmmm</FONT>").Height(), plain.Height());
  EXPECT_EQ(InkOf("mmmm<Z>WWWW</Z>"), plain);
  EXPECT_GT(InkOf("x<SUB>2</SUB>").Bottom, InkOf("x2").Bottom);
  EXPECT_GT(Draw("x<SUP>2</SUP>").Height, Draw("x2").Height);
  // Rotated by 90 degrees a run stands upright, rising from where it would begin.
  Draw("<R a=\"90\">mmmmmm</R>", TRect{0, 60, kW, kH});
  const TRect rotated = Ink(NotWhite);
  EXPECT_GT(rotated.Height(), rotated.Width());
  EXPECT_LT(rotated.Top, 60);
  // A <B> left open stays bold on the next line.
  EXPECT_GT(InkOf("a<BR><B>mmmm").Width(), InkOf("a<BR>mmmm").Width());
}

TEST_F(HTMLEngineDrawing, ColoursOfFontTagsAndHighlights) {
  const struct {
    const char* text;
    TColor color;
    bool present;
  } cases[] = {
      {"<FONT COLOR=\"#ff0000\">abc</FONT>", clRed, true},
      {"<FONT COLOR=\"red\">abc</FONT>", clRed, false},
      {"<FONT COLOR=\"red\">abc</FONT>", clBlack, true},
      {"<FONT COLOR=\"clRed\">abc</FONT>", clRed, true},
      {"<FONT BGCOLOR=\"clYellow\">abc</FONT>", clYellow, true},
      {"<E>abc</E>", clRed, true},
      {"<A HREF=\"x\">abc</A>", clBlue, true},
      {"<P BGCOLOR=\"#00FF00\">abc</P>", clLime, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Draw(c.text);
    EXPECT_EQ(Has(c.color), c.present);
  }
  // After </FONT> the entry colour comes back.
  Draw("<FONT COLOR=\"clRed\">mmm</FONT>mmm");
  const TRect red = Ink([](TColor c) { return c == clRed; });
  EXPECT_TRUE(Has(clBlack, TRect{red.Right, 0, kW, kH}));

  SetHTMLHighlightColors(clYellow, clRed);
  Draw("<HI>abc</HI>");
  SetHTMLHighlightColors(0, 0);
  EXPECT_TRUE(Has(clYellow));
  EXPECT_TRUE(Has(clRed));

  Params.ShadowColor = clLime;
  Draw("<SHAD>abc</SHAD>");
  EXPECT_TRUE(Has(clLime));
  EXPECT_TRUE(Has(clBlack));

  Params.BlinkVisible = false;
  EXPECT_EQ(InkOf("<BLINK>abc</BLINK>").Right, 0);  // drawn in the background colour
}

TEST_F(HTMLEngineDrawing, SelectedCellsKeepTheirTextColour) {
  Params.Selected = true;
  Draw("<A HREF=\"x\">abc</A><FONT COLOR=\"clRed\" BGCOLOR=\"clYellow\">abc</FONT>");
  EXPECT_FALSE(Has(clBlue));
  EXPECT_FALSE(Has(clRed));
  EXPECT_FALSE(Has(clYellow));
  EXPECT_TRUE(Has(clBlack));
}

TEST_F(HTMLEngineDrawing, BackgroundsRulesAndAlignment) {
  Draw("<P BGCOLOR=\"#00FF00\">abc</P>", TRect{0, 0, kW, kH});
  EXPECT_EQ(Bitmap.Canvas()->Pixel(0, 1), clLime);       // the band spans the whole rectangle
  EXPECT_EQ(Bitmap.Canvas()->Pixel(kW - 1, 1), clLime);
  EXPECT_EQ(Bitmap.Canvas()->Pixel(kW - 1, 40), clWhite);  // and only its line

  Draw("<BODY BGCOLOR=\"clYellow\">a", TRect{0, 0, 200, 50});
  EXPECT_EQ(Bitmap.Canvas()->Pixel(199, 49), clYellow);
  EXPECT_EQ(Bitmap.Canvas()->Pixel(200, 50), clWhite);

  Draw("a<HR>b");
  bool ruled = false;
  for (int y = 0; y < kH && !ruled; ++y) {
    TCanvas* c = Bitmap.Canvas();
    ruled = c->Pixel(0, y) == clWhite && c->Pixel(1, y) == clBlack && c->Pixel(150, y) == clBlack &&
            c->Pixel(kW - 1, y) == clBlack;
  }
  EXPECT_TRUE(ruled);

  EXPECT_GE(InkOf("<P ALIGN=\"RIGHT\">abc").Right, kW - 3);
  const TRect centred = InkOf("<P ALIGN=\"CENTER\">abc");
  EXPECT_NEAR((centred.Left + centred.Right) / 2, kW / 2, 4);
  EXPECT_GE(InkOf("<P INDENT=\"40\">abc").Left, 40);

  Params.WordWrap = false;
  const THTMLRenderResult r = Draw("a very long text without any breaks at all", TRect{0, 0, 60, 20});
  const TRect clipped = Ink(NotWhite);
  EXPECT_GT(clipped.Right, 40);
  EXPECT_LE(clipped.Right, 60);
  EXPECT_EQ(r.Height, Draw("a").Height);  // one line
}

TEST_F(HTMLEngineDrawing, HoverHighlightingUnderlinesOnlyTheHoveredAnchor) {
  TCanvas* c = Bitmap.Canvas();
  const int split = 1 + c->TextWidth("mmm") + c->TextWidth(" ") / 2;
  const String text = "<A HREF=\"1\">mmm</A> <A HREF=\"2\">mmm</A>";
  const int plainBottom = InkOf("mmm").Bottom;

  Params.HoverHighlight = true;
  Params.HoverAnchor = 2;
  Draw(text);
  EXPECT_EQ(Ink(NotWhite, TRect{0, 0, split, kH}).Bottom, plainBottom);
  EXPECT_GT(Ink(NotWhite, TRect{split, 0, kW, kH}).Bottom, plainBottom);

  Params.HoverHighlight = false;
  Draw(text);
  EXPECT_GT(Ink(NotWhite, TRect{0, 0, split, kH}).Bottom, plainBottom);
  EXPECT_GT(Ink(NotWhite, TRect{split, 0, kW, kH}).Bottom, plainBottom);

  // Hover colours go to the hovered anchor only.
  Params.HoverHighlight = true;
  Params.HoverBackground = clYellow;
  Params.HoverTextColor = clRed;
  Draw(text);
  EXPECT_FALSE(Has(clYellow, TRect{0, 0, split, kH}));
  EXPECT_TRUE(Has(clYellow, TRect{split, 0, kW, kH}));
  EXPECT_TRUE(Has(clRed, TRect{split, 0, kW, kH}));
  EXPECT_TRUE(Has(clBlue, TRect{0, 0, split, kH}));
}

// The focus rectangle is a dotted inverting frame: black on white, while links are blue.
TEST_F(HTMLEngineDrawing, FocusRectangleAroundTheFocusedAnchorOnEachOfItsLines) {
  auto blackIn = [&](int top, int bottom) { return Has(clBlack, TRect{0, top, kW, bottom}); };
  Draw("<A HREF=\"x\">mmm</A>");
  EXPECT_FALSE(blackIn(0, kH));
  Params.FocusAnchor = 0;
  const THTMLRenderResult r = Draw("<A HREF=\"x\">mmm</A>");
  EXPECT_EQ(r.FocusedHref, "x");
  const TRect frame = Ink([](TColor c) { return c == clBlack; });
  const TRect text = Ink([](TColor c) { return c == clBlue; });
  EXPECT_LT(frame.Left, text.Left);
  EXPECT_GT(frame.Right, text.Right);

  // Wrapped over two lines: a frame on each.
  Params.FocusAnchor = 0;
  const TRect narrow{0, 0, 50, kH};
  const int lines = Draw("<A HREF=\"x\">mmm mmm</A>", narrow).Height;
  ASSERT_GT(lines, 20);
  EXPECT_TRUE(blackIn(0, lines / 2));
  EXPECT_TRUE(blackIn(lines / 2, lines + 2));
  Params.FocusAnchor = 3;  // matches no anchor
  Draw("<A HREF=\"x\">mmm</A>");
  EXPECT_FALSE(blackIn(0, kH));
}

TEST_F(HTMLEngineDrawing, ImagesAreDrawnAtTheirPlace) {
  TFakeImageList images(2);
  Params.Images = &images;
  Draw("ab<IMG SRC=\"IDX:1\"><IMG SRC=\"IDX:2\">");
  ASSERT_EQ(images.Calls.size(), 1u);
  EXPECT_EQ(images.Calls[0].Index, 1);
  EXPECT_EQ(images.Calls[0].X, 1 + Bitmap.Canvas()->TextWidth("ab"));
  EXPECT_EQ(images.Calls[0].Y, 0);
  EXPECT_TRUE(Has(clLime));

  // Printed, an image is stretched by the resolution factor.
  Params.Printing = true;
  Params.ResolutionFactor = 2.0;
  Draw("<IMG SRC=\"IDX:0\">");
  EXPECT_EQ(Ink([](TColor c) { return c == clLime; }), (TRect{1, 0, 33, 32}));
  Params.Printing = false;

  TFakePictures container;
  container.Pictures["LOGO"] = std::make_unique<TFakePicture>(30, 20);
  Params.PictureContainer = &container;
  TFakePicture& logo = *container.Pictures["LOGO"];
  Draw("<IMG SRC=\"Logo\">");
  ASSERT_EQ(logo.Drawn.size(), 1u);
  EXPECT_EQ(logo.Drawn[0], (TRect{1, 0, 31, 20}));
  EXPECT_FALSE(logo.Stretch);
  Draw("<IMG SRC=\"logo\" WIDTH=\"10\" HEIGHT=\"12\">");
  ASSERT_EQ(logo.Drawn.size(), 2u);
  EXPECT_EQ(logo.Drawn[1], (TRect{1, 0, 11, 12}));
  EXPECT_TRUE(logo.Stretch);

  // A body background is tiled over the rectangle.
  container.Pictures["TILE"] = std::make_unique<TFakePicture>(40, 30);
  Draw("<BODY BACKGROUND=\"tile\">x", TRect{0, 0, 100, 50});
  EXPECT_EQ(container.Pictures["TILE"]->Drawn.size(), 3u * 2u);
  EXPECT_EQ(container.Pictures["TILE"]->Drawn.back(), (TRect{80, 30, 120, 60}));
}

TEST_F(HTMLEngineDrawing, ListItemsGetBullets) {
  const THTMLRenderResult r = Draw("<UL><LI>mmm</LI></UL>");
  const int gh = r.Height / 3;
  const TRect bullet = Ink(NotWhite, TRect{0, gh, 12, 2 * gh});
  EXPECT_GT(bullet.Right, 0);
  EXPECT_GE(Ink(NotWhite, TRect{12, gh, kW, 2 * gh}).Left, 13);
}

TEST_F(HTMLEngineDrawing, EmbeddedControlsDrawTheirState) {
  Draw("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"20\">");
  const TRect box{3, 0, 16, kH};
  EXPECT_TRUE(Has(clBlack, box));  // the tick
  EXPECT_TRUE(Has(clGray, box));   // the frame
  Draw("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"false\" WIDTH=\"20\">");
  EXPECT_FALSE(Has(clBlack, box));
  EXPECT_TRUE(Has(clGray, box));

  Draw("<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"true\" WIDTH=\"20\">");
  EXPECT_TRUE(Has(clBlack, box));

  Draw("<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"\" WIDTH=\"60\">");
  EXPECT_TRUE(Has(ColorToRGB(clBtnFace), TRect{43, 0, 61, kH}));  // the drop-down button at the right
  EXPECT_FALSE(Has(ColorToRGB(clBtnFace), TRect{0, 0, 40, kH}));

  Draw("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">");
  EXPECT_TRUE(Has(ColorToRGB(clBtnFace)));
  EXPECT_TRUE(Has(clBlack));

  Params.HitX = 50;  // the value shows with its password mask
  const TRect plainEdit = InkOf("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"iii\" WIDTH=\"80\">");
  const TRect masked = InkOf("<CONTROL TYPE=\"PASSWORD\" ID=\"e\" VALUE=\"iii\" WIDTH=\"80\">");
  EXPECT_EQ(plainEdit, masked);  // the box is the same
  Draw("<CONTROL TYPE=\"PASSWORD\" ID=\"e\" VALUE=\"iii\" WIDTH=\"80\">");
  const TRect stars = Ink([](TColor c) { return c == clBlack; }, TRect{3, 0, 60, kH});
  Draw("<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"iii\" WIDTH=\"80\">");
  const TRect letters = Ink([](TColor c) { return c == clBlack; }, TRect{3, 0, 60, kH});
  EXPECT_NE(stars, letters);
}

TEST_F(HTMLEngineDrawing, TheCanvasGetsItsToolsBack) {
  TCanvas* c = Bitmap.Canvas();
  c->Pen()->SetColor(clGreen);
  c->Pen()->SetWidth(3);
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetName("Tahoma");
  c->Font()->SetColor(clNavy);
  TFont entry;
  entry.Assign(*c->Font());
  THTMLRenderResult r;
  SetHTMLHighlightColors(clYellow, clRed);
  RenderHTMLText(c,
                 "<B><I><U><S><FONT FACE=\"Courier New\" COLOR=\"clRed\" BGCOLOR=\"clAqua\" SIZE=\"5\"><R a=\"90\">"
                 "<HI><P BGCOLOR=\"clLime\"><E>x<HR>y",
                 TRect{0, 0, kW, kH}, Params, r);
  SetHTMLHighlightColors(0, 0);
  EXPECT_TRUE(*c->Font() == entry);
  EXPECT_EQ(c->Font()->Orientation(), 0);  // a rotated font left open is undone
  EXPECT_EQ(c->Pen()->Color(), clGreen);
  EXPECT_EQ(c->Pen()->Width(), 3);
  EXPECT_EQ(c->Brush()->Style(), bsClear);
}

// A rotation closed on a later line than it opened on turns the drawing pass's font back too.
TEST_F(HTMLEngineDrawing, ARotationClosedOnTheNextLineEndsThere) {
  Draw("<R a=\"90\">m<BR></R>mmmmmmmm", TRect{0, 40, kW, kH});
  const TRect secondLine = Ink(NotWhite, TRect{0, 60, kW, kH});
  ASSERT_GT(secondLine.Right, 0);
  EXPECT_GT(secondLine.Width(), secondLine.Height());
}

// Closing tags whose opening tag never came leave the text as it was: no focus rectangle from a
// stray </A> (no anchor has the focus), no lost text colour from a stray </HI>.
TEST_F(HTMLEngineDrawing, StrayClosingTagsChangeNothing) {
  const struct {
    const char* text;
    const char* same;
  } cases[] = {
      {"abcd</A>", "abcd"},
      {"ab</A>cd", "abcd"},
      {"ab</HI>cd", "abcd"},
      {"ab</FONT>cd", "abcd"},
      {"ab</P>cd", "ab<BR>cd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Draw(c.same);
    TBitmap expected(kW, kH);
    expected.Canvas()->Draw(0, 0, &Bitmap);
    Draw(c.text);
    int differing = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) differing += Bitmap.Canvas()->Pixel(x, y) != expected.Canvas()->Pixel(x, y);
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
