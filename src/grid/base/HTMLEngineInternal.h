// The state of one RenderHTMLText call, shared by the files of the engine.
#pragma once

#include <memory>

#include "classlib/GraphicsObjects.h"
#include "grid/base/HTMLEngine.h"
#include "grid/base/HTMLTextOperations.h"

namespace htmlengine {

// DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX
constexpr uint32_t kRunFormat = 0xA68;
constexpr int kListIndent = 12;
// Numbers of tags (sizes, widths, indents, angles) are held to this, so that a text cannot make
// a line's width, a font or an angle overflow.
constexpr int kMaxTagNumber = 32767;

// Entities decoded in one left-to-right pass, each occurrence once. Run: also &nbsp;, &lt; and
// &gt;, which a run decodes after it is cut so that they never break a line or open a tag.
String DecodeEntities(const String& S, bool Run);

// Attribute values: the name is found as a plain substring of the upper-cased tag, the value
// is what stands between the next two double quotes ("" without them). KeepCase reads the value
// from the tag as written.
String AttributeValue(const String& Tag, const String& Upper, const char* Name, bool KeepCase);
// A decimal number and nothing else, held to kMaxTagNumber.
bool ReadWholeNumber(const String& S, int& Value);
// The leading decimal digits, held to kMaxTagNumber; 0 when there are none.
int LeadingNumber(const String& S);

// What each pass keeps for itself from one line to the next.
struct TPassState {
  TFont Font;
  bool InsideAnchor = false;
  String Href, Title;
  int AnchorCounter = 0;
  int ListLevel = 0;
  int ImageCounter = 0;
  bool Hidden = false;  // <Z>
  bool Shadow = false;  // <SHAD>
  // <R>: each pass turns its own font, so a </R> on a later line must undo that pass's turn.
  bool Rotated = false;
  int SavedOrientation = 0;
};

// An anchor under the point, found while laying a line out; it becomes the call's output only
// when the point lies on that line.
struct TAnchorCandidate {
  bool RectPending = false;
  String Href, Title;
  int Anchor = 0;
  TRect HoverRect;
};

// What one pass of one line reports.
struct TLineOutcome {
  String LineText;
  int LineWidth = 0;
  bool AnchorHit = false;
  bool ObjectHit = false;
  TAnchorCandidate Candidate;
};

class TRenderer {
 public:
  TRenderer(TCanvas* Canvas, const TRect& R, const THTMLRenderParams& Params, THTMLRenderResult& Result);
  bool Run(const String& Text);

 private:
  // ---- Line layout (HTMLEngineLine.cpp) ----
  TLineOutcome RenderHTMLLine(String& Text, TRect LineBox, bool Measuring, TPassState& Pass);
  TSize Measure(const String& Text);
  int GhHeight() { return Measure("gh").cy; }
  void DrawRun(const String& Run, int Width, int Height);
  void DrawErrorMark(int Left, int Right, int LineBottom);
  void ApplyOpeningTag(const String& Tag, const String& Upper, TPassState& Pass);
  void ApplyClosingTag(const String& Tag, const String& Upper, TPassState& Pass);
  void CloseAnchor(TPassState& Pass);
  void ApplyFontTag(const String& Upper);
  void ApplyParagraphTag(const String& Upper);
  void SelectRotatedFont(int Degrees, TPassState& Pass);
  void RestoreRotatedFont(TPassState& Pass);

  // ---- Objects (HTMLEngineObjects.cpp) ----
  void ApplyImageTag(const String& Tag, const String& Upper, TPassState& Pass);
  void ApplyListItem(TPassState& Pass);
  void ApplyControlTag(const String& Tag, TPassState& Pass);
  void ApplyBodyTag(const String& Tag, const String& Upper);
  void DrawControl(const ::THTMLControl& Control, int Width, int ControlHeight);
  THTMLPictureRef* LookUpPicture(const String& Source);
  // False, with the line marked full, when the object must wait for the next line.
  bool ObjectFits();
  void PlaceObject();
  bool ObjectUnderPoint() const;

  // ---- Brush helpers ----
  TColor BrushColorOrNone() const;
  void SetBrushColorOrClear(TColor Color);

  TCanvas* FCanvas;
  TRect FRect;
  const THTMLRenderParams& P;
  THTMLRenderResult& Out;
  std::unique_ptr<THTMLTextMeasurer> FOwnMeasurer;
  THTMLTextMeasurer* FMeasurer;
  uint32_t FFormat;
  bool FRightToLeftReading;
  bool FThemed;

  TFont FEntryFont;
  TColor FEntryBrushColor;
  bool FResult = false;

  // Call scope.
  int FParagraphAlign = 0;  // 0 left, 1 right, 2 centre
  int FParagraphIndent = 0;
  bool FParagraphBackground = false;
  TColor FSavedParagraphColor = clNone;
  bool FErrorMark = false;
  TColor FSavedFontBackground = clNone;
  TColor FSavedHoverBrush = clNone, FSavedHoverFont = clNone;
  TColor FSavedHiBrush = clNone, FSavedHiFont = clNone;
  TRect FFocusRect;

  // Line scope.
  int FLineHeight = 0;
  int FSubExtra = 0, FSupExtra = 0;
  int FImageAlignShift = 0;
  bool FSubscript = false, FSuperscript = false;

  // Pass-line scope: valid inside RenderHTMLLine.
  bool FMeasuring = true;
  TRect FLineBox;
  TRect FRunBox;
  int FLineWidth = 0;
  bool FLineBreak = false, FLineFull = false, FListItem = false;
  bool FSecondPass = false;
  bool FHidden = false, FShadow = false;  // the running pass's own, kept in its TPassState
  TLineOutcome* FLine = nullptr;
  TPoint FHoverStart;
  int FObjectWidth = 0, FObjectHeight = 0;
};

}  // namespace htmlengine
