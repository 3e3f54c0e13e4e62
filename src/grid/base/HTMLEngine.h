// The grid family's formatted cell text: lays out, draws, measures and hit-tests a text written
// in the grid's small HTML subset (bold, italic, fonts and colours, links, images, bullets,
// paragraphs, sub- and superscript, shadowed, rotated, hidden, highlighted and error-marked
// text, rules and embedded form controls) inside a rectangle on a canvas.
//
// The engine is a scanner, not a parser: it cuts the text into runs and tags, applies each tag
// to the canvas as it meets it and places runs left to right on the current line. Every line is
// run twice: a measuring pass that decides what goes on the line, then a drawing (or, for hit
// tests, a second measuring) pass in the box aligned as the paragraph says.
#pragma once

#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Messages.h"
#include "classlib/SysUtils.h"
#include "classlib/Types.h"

class TBitmap;

// Text measuring of the engine: the width and height one run takes. The default measures
// with the canvas's current font; tests put a fixed-pitch measurer in its place.
class THTMLTextMeasurer {
 public:
  virtual ~THTMLTextMeasurer() = default;
  virtual TSize TextSize(TCanvas* Canvas, const String& Text) = 0;
};

// The images that <IMG SRC="IDX:n"> names.
class THTMLImageList {
 public:
  virtual ~THTMLImageList() = default;
  virtual int Count() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual void Draw(TCanvas* Canvas, int X, int Y, int Index) = 0;
  // The image as a bitmap, for stretching onto a printer.
  virtual void GetBitmap(int Index, TBitmap* Bitmap) = 0;
};

// What the engine uses of one picture of the picture container or the picture cache.
class THTMLPictureRef {
 public:
  virtual ~THTMLPictureRef() = default;
  virtual bool Empty() = 0;
  virtual int GetMaxWidth() = 0;
  virtual int GetMaxHeight() = 0;
  virtual int FrameCount() = 0;  // -1 for a picture that is not animated
  virtual int FrameXPos() = 0;
  virtual int FrameYPos() = 0;
  virtual void SetStretch(bool Stretch) = 0;
  virtual void Draw(TCanvas* Canvas, const TRect& R) = 0;
};

// Named pictures: a picture container, found by name without regard to case.
class THTMLPictureSource {
 public:
  virtual ~THTMLPictureSource() = default;
  virtual THTMLPictureRef* FindPicture(const String& Name) = 0;
};

// Pictures loaded by URL and kept by the caller between calls.
class THTMLPictureCacheSource : public THTMLPictureSource {
 public:
  // Adds a picture, turns its asynchronous loading off and loads it from Url.
  virtual void AddURLPicture(const String& Url) = 0;
};

// Inputs of RenderHTMLText besides the canvas, the text and the rectangle.
struct THTMLRenderParams {
  THTMLImageList* Images = nullptr;
  int HitX = 0, HitY = 0;           // point to hit-test, canvas coordinates
  int FocusAnchor = -1;             // 0-based anchor with the keyboard focus
  int HoverAnchor = 0;              // 1-based anchor under the mouse
  int ShadowOffset = 1;
  bool HitTestOnly = false;         // the second pass measures instead of drawing
  bool MeasureOnly = false;         // one pass per line, never draws, never stops at the bottom
  bool Printing = false;
  bool Selected = false;            // colour tags leave text colour and background alone
  bool BlinkVisible = true;
  bool HoverHighlight = false;      // only the hovered anchor gets underline and hover colours
  bool WordWrap = true;
  bool MouseDown = false;
  double ResolutionFactor = 1.0;
  TColor LinkColor = clBlue;
  TColor HoverBackground = clNone;
  TColor HoverTextColor = clNone;
  TColor ShadowColor = clGray;
  String ControlID;                 // with HitTestOnly: the control whose box is wanted
  THTMLPictureCacheSource* PictureCache = nullptr;
  THTMLPictureSource* PictureContainer = nullptr;
  HWND Window = nullptr;
  int BiDiMode = 0;                 // 0 left to right, 1 right to left, 2 and 3 other RTL modes
  THTMLTextMeasurer* Measurer = nullptr;  // nullptr: the canvas measures
};

// Outputs of RenderHTMLText. HitHref and HoverRect keep what the caller put there unless
// something is hit.
struct THTMLRenderResult {
  String HitHref;        // "ctrl" when a control was hit
  String PlainText;      // every text run in reading order, CR for each <BR>
  String FocusedHref;
  String HitTitle;
  int Width = 0;         // widest line, a trailing space not counted
  int Height = 0;        // all lines; the height of "gh" when there is none
  int AnchorCount = 0;
  int HoveredAnchor = -1;  // 1-based anchor hit
  TRect HoverRect;
  TRect ControlRect;
  String ControlID, ControlValue, ControlType;
};

// Lays Text out in R and draws, measures or hit-tests it. True when the hit point lies on
// anchor text, on an image inside an anchor or on an embedded control (or, hit-testing only,
// when the control named by ControlID exists).
bool RenderHTMLText(TCanvas* Canvas, const String& Text, const TRect& R, const THTMLRenderParams& Params,
                    THTMLRenderResult& Result);

// The background and text colour of <HI> highlights, for the whole program.
void SetHTMLHighlightColors(TColor BrushColor, TColor FontColor);
TColor HTMLHighlightBrushColor();
TColor HTMLHighlightFontColor();
// Embedded controls may be drawn themed (never on this platform: no visual-styles library).
bool HTMLThemesPossible();

// "clRed" style names (letter case ignored); 0 (black) for any other name.
TColor HTMLColorByName(const String& Name);
// "#RRGGBB", hex digits upper case.
TColor HTMLHexColor(const String& Value);

// The DrawText format adjusted for right-to-left reading on a Middle-East system.
uint32_t BiDiDrawTextFlags(uint32_t Format, int BiDiMode, bool MiddleEastLocale);
