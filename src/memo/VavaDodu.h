// TVavaDodu: the text memo's model. It holds the paragraphs (TParagraphStore), the navigators
// placed in them, the highlighting rules, the scroll offsets, the caret and the line layout,
// and draws through a TMemoDisplay: the memo control gives it the class library's canvas,
// caret, scroll bars and clock, tests a fixed-width fake with a clock of their own.
//
// What the support units call (update counter, scrolling, scroll ranges, caret, fonts,
// invalidation, reformatting, client notification, paragraph formatting) is in the files
// VavaDoduScroll, VavaDoduCaret and VavaDoduFormat; the memo's own editing, moving and
// painting in VavaDoduEditing and VavaDoduPaint.
#pragma once

#include <bitset>
#include <climits>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/Component.h"
#include "classlib/StdCtrls.h"
#include "memo/DoduSupport.h"
#include "memo/MemoDisplay.h"
#include "memo/ParagraphStore.h"

class TDoduNavigator;
class TDoduHighlighter;
class TVavaDodu;

// Key options: bit 0 match case, bit 1 whole words only.
constexpr Byte kKeyMatchCase = 0x01;
constexpr Byte kKeyWholeWord = 0x02;

// One start-stop key: a scope opens at StartKey and closes at StopKey.
struct TStartStopKey {
  Byte Options = 0;
  Byte Style = 0;
  int32_t Context = 0;
  TCursor Cursor = crDefault;
  TColor Backgnd = -1;
  TColor Foregnd = -1;
  WideString StartKey;
  WideString StopKey;
  // A preceding key after whose stop key this key's scope starts at once (-1: none).
  int FollowOn = -1;
  // Without a stop key in the paragraph the scope ends at the paragraph end.
  bool EndAtParEnd = false;
  // Whole-word marks, computed once per list: a delimiter is required before and after the
  // start key, before and after the stop key.
  bool DelimBeforeStart = false;
  bool DelimAfterStart = false;
  bool DelimBeforeStop = false;
  bool DelimAfterStop = false;
  // The keys folded by the memo's fold mode, for keys that ignore case.
  WideString FoldedStart;
  WideString FoldedStop;
};

struct TStartStopKeyList {
  std::vector<TStartStopKey> Items;
  int LongestKey = 0;
  bool AllMatchCase = true;
  // The marks, the folded keys and the longest key are computed (again after a change).
  bool MarksDone = false;
};

// One keyword with its 16 bytes of attributes.
struct TKeyword {
  Byte Options = 0;
  bool Enabled = true;
  WideString Text;
  Byte Style = 0;
  TColor Backgnd = -1;
  TColor Foregnd = -1;
  int32_t Context = 0;
  TCursor Cursor = crDefault;
};

struct TKeywordList {
  std::vector<TKeyword> Items;
  int Longest = 0;
  bool AllMatchCase = true;
  // Keywords may be found inside other keywords' codes.
  bool Nested = false;
};

// A registered client of the memo hears of caret moves (2), caret style changes (4) and
// vertical (0x80) and horizontal (0x100) scrolls.
class TDoduClient {
 public:
  virtual ~TDoduClient() = default;
  virtual void DoduNotify(TVavaDodu* Memo, int Flags) = 0;
};

using TDoduFoldProc = std::function<void(char16_t* Text, int Length)>;

class TVavaDodu : public TComponent {
 public:
  explicit TVavaDodu(TComponent* AOwner);
  ~TVavaDodu() override;

  // ---- Queries ----
  int ParCount() const { return Store.Count(); }
  int TextLength() const { return Store.TextLength; }
  bool StyleCodesOn() const { return Store.StyleCodes; }
  // The style byte of the font for a text style (from style codes) and an attribute style.
  Byte FontStyleFor(Byte TextStyle, Byte DynStyle) const;
  Byte CaretFontStyle();
  int CaretWidth();
  TRect TextClientRect();

  // ---- Update counter ----
  void BeginUpdate() { ++UpdateCount; }
  void EndUpdate();

  // ---- Scrolling ----
  void ScrollTo(int Top, int Left, int Speed);
  void SetTopOffset(int V) { ScrollTo(V, HOffset, ScrollSpeed); }
  void SetLeftOffset(int H) { ScrollTo(VOffset, H, ScrollSpeed); }
  void UpdateHScrollRange();
  bool UpdateVScrollRange();

  // ---- Caret ----
  void PlaceCaret();
  void UpdateCaret(bool Recreate);

  // ---- Repainting and formatting ----
  void InvalidateLines(int A, int B, bool Erase);
  void ReformatAll();
  void NotifyClients(int Flags);
  void RegisterClient(TDoduClient* Client);
  void UnregisterClient(TDoduClient* Client);
  // Turns a paragraph's characters into display lines (see VavaDoduFormat.cpp).
  void FormatParagraph(TMemoDisplay* Canvas, bool SelectFont, int Width, ParInfo& Par, int Number, int& FirstLine,
                       int& LastLine, bool Full, int& LineDelta, int& LineCount);
  void FormatPars(int From, int To, bool Timed, bool Force);
  void RepaintDirty();
  // The wrap width of a paragraph (pixels, or characters in column mode).
  int WrapWidth(const ParInfo& Par) const;
  bool ColumnMode() const { return RightEdge > 0; }

  // ---- The memo's own text operations ----
  void SetText(const WideString& Text);
  WideString GetText() const;
  WideString ParText(int N) const;
  // Types Text at the caret (a CR or LF starts a new paragraph).
  void InsertText(const WideString& Text);
  void NewParagraph();
  void DeleteChars(int Pos, int Count);
  void Backspace();
  void DeleteForward();
  // Caret moves; Pos places it anywhere.
  void SetCaretPos(int Pos);
  int CaretPos() const;
  void MoveCaretHorizontally(bool Forward, bool ByWord);
  void MoveCaretVertically(int Lines);
  void MoveCaretToLineEdge(bool End);
  void MoveCaretToTextEdge(bool End);
  void MoveCaretToPoint(int X, int Y);
  // Scrolls so that the caret's line and column are on screen.
  void ScrollCaretIntoView();
  // Lays a plain highlight from position A to B: a section that collapses at Level.
  void MarkSection(int A, int B, int Level, TColor Backgnd);
  void AddStartStopKey(const TStartStopKey& Key);
  void AddKeyword(const TKeyword& Keyword);
  // Collapses or expands the section at the caret (or at the line's start when the caret's
  // line starts one); true when something changed.
  bool ToggleSectionAtCaret();
  // Draws the lines that meet the rectangle through the display.
  void Paint(const TRect& Area);
  // The display changed its size (or was attached): ranges, widths and lines follow.
  void DisplayResized();

  // ---- Members the support units read and write ----
  TParagraphStore Store;
  std::vector<TDoduNavigator*> Navigators;  // every navigator made for this memo
  TDoduNavigator* TopNav = nullptr;          // the first visible line
  TDoduNavigator* CaretNav = nullptr;
  TDoduNavigator* PassNav1 = nullptr;        // the keyword pass's navigators
  TDoduNavigator* PassNav2 = nullptr;
  std::bitset<256> Delimiters;

  TMemoDisplay* Display = nullptr;
  bool WordWrap = false;
  TAlignment Alignment = taLeftJustify;
  bool Justify = false;
  // Column mode R > 0 (R characters), pixels R < 0, R = 0 the text width.
  int RightEdge = 0;
  int LineHeight = 16;
  int TopMargin = 0;  // pixels above the first line
  int LeftMargin = 2;
  int RightMargin = 2;
  int VOffset = 0;  // vertical scroll offset in pixels
  int HOffset = 0;  // horizontal scroll offset in pixels
  int VScale = 1;
  int HScale = 1;
  int TextWidth = 0;  // the client width less a ruler
  int LinesOnScreen = 1;
  // Tab stops: k > 0 every k characters, k < 0 every -k pixels.
  int TabSetting = 8;
  int CharWidth = 8;
  int MeasureLimit = 256;  // characters measured at once
  WideString BreakChars;
  TFontStyles FontStyle;    // the memo font's style
  int SpaceWidth = 0;       // measured while formatting: width of one space
  int Overhang = 0;
  int WidestLine = 0;
  int WidestLinePlace = -1;  // StartLine of the paragraph holding it, -1 when unknown
  bool Formatting = false;
  Cardinal ProgressInterval = 200;
  Cardinal LastProgress = 0;
  TNotifyEvent OnProgress;
  int BackgroundFormatting = 0;  // 0 at once, 1 on demand, 2 by the background formatter
  TNotifyEvent OnWakeFormatter;
  int UpdateCount = 0;

  // Highlighting.
  bool KeywordHighlighting = true;
  bool ScopeHighlighting = true;
  TStartStopKeyList StartStopKeys;
  TKeywordList Keywords;
  TDoduHighlighter* Highlighter = nullptr;
  int FoldMode = 0;  // 0 the runtime's upper case, 1 the platform's, 2 UserFold
  TDoduFoldProc UserFold;
  WideString FoldBuffer;  // FoldedText's buffer
  DynInfoRec LastAttrib;  // the scope pass's last-attribute buffer

  // Scrolling.
  int ScrollSpeed = 0;  // 0 at once, < 0 constant speed, > 0 slowing down (ms)
  bool TrackScrolling = false;
  Cardinal LastScrollTime = 0;
  bool HasHScrollBar = true;
  bool HasVScrollBar = true;
  bool KeepScrollBar = false;  // keeps a bar without the extra unit
  bool VBarNeeded = false;
  int HBarMax = -1, HBarPage = -1, VBarMax = -1, VBarPage = -1;
  TNotifyEvent OnHScroll;
  TNotifyEvent OnVScroll;

  // Caret.
  int CaretX = 0;
  int CaretY = 0;
  int RememberedX = INT_MIN;  // the column kept while moving up and down; INT_MIN: none
  WideString PendingInput;
  int CaretWidthSetting = 2;
  bool InsertMode = true;
  bool WideCaret = false;  // a caret as wide as the character under it (overwrite mode)
  int LastCaretPos = -1;
  WideString LastPendingInput;
  Byte LastCaretStyle = 0;
  TNotifyEvent OnCaretMove;
  TNotifyEvent OnChange;  // the text changed (at the end of the update that changed it)
  TNotifyEvent OnStyleChange;
  std::vector<TDoduClient*> Clients;

  // Panels beside the text and the background.
  int RulerWidth = 0;
  int BottomPanelHeight = 0;
  bool BackgroundPicture = false;

  // Painting colours.
  TColor TextColor = 0x000000;
  TColor BackColor = 0xFFFFFF;

 private:
  // Scratch line tables of FormatParagraph.
  std::vector<LineInfo> FOldLines, FNewLines, FResultLines;

  void PlaceTopNav();
  bool CaretParagraphChanged(int FirstPar, int LastPar) const;
  void AnimateScroll(int OldTop, int OldLeft, int Top, int Left, int Speed);
  void ScrollPixels(int Dx, int Dy);
  void ReplaceParagraphText(int N, const WideString& Text);
  void ParagraphEdited(int N);
};
