// TDoduNavigator: a cursor into a memo's text. It is placed by a text position and answers,
// lazily and with caches, in which paragraph, line, column and attribute code that position
// lies, where it is drawn, and which word or line surrounds it; it inserts and removes codes at
// its place and walks from code to code. The collapsing operations act at its place too.
//
// Invariant: fPos is always valid. While fPar is set, fParNb and fOffset describe fPos, and
// fDynNb and fParLine are right for fOffset unless they are -1 (not known yet). Every read of a
// derived value first fills in what is missing.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Types.h"
#include "memo/DoduSupport.h"

class TVavaDodu;

class TDoduNavigator : public TObject {
 public:
  // AVavaDodu may be nil; anything else must be a TVavaDodu ("Internal error: component is not
  // a TVavaDodu"). A navigator made for a memo is in its navigator list until it is freed.
  explicit TDoduNavigator(TObject* AVavaDodu);
  ~TDoduNavigator() override;
  TDoduNavigator(const TDoduNavigator&) = delete;
  TDoduNavigator& operator=(const TDoduNavigator&) = delete;

  void Assign(const TDoduNavigator& Source);
  // Forgets everything but the position.
  void Invalidate();

  // ---- Place ----
  int Pos() const { return fPos; }
  void SetPos(int Value);
  int ParNumber();
  void SetParNumber(int Value);
  ParInfo* Par();
  int ParOffset();
  void SetParOffset(int A);
  int ParLine();
  void SetParLine(int A);
  int Col();
  void SetCol(int V);
  int TrueLineNumber();
  void SetTrueLineNumber(int Value);
  int VisibleLineNumber();
  void SetVisibleLineNumber(int Value);
  bool IsVisible();
  int DynNb();
  void SetDynNb(int V);

  // ---- Reading ----
  pDynInfoRec pDynAttr();
  DynInfoRec DynAttr() { return *pDynAttr(); }
  int32_t Context();
  TFontStyles Style();
  char16_t Text();
  Byte AnsiText() { return Clamp255(Text()); }
  WideString Line();
  WideString Word();
  TLinesList* NavLines();
  // Copies Len characters from the navigator, CR LF between paragraphs, and a NUL.
  void GetTextBuf(char16_t* Buffer, int Len);

  // ---- Pixels ----
  TPoint DisplayPos() { return TPoint{DisplayX(), DisplayY()}; }
  void SetDisplayPos(TPoint P);
  int DisplayX();
  void SetDisplayX(int X);
  int DisplayY();
  void SetDisplayY(int Y);
  int DisplayWidth();

  // ---- Attribute codes ----
  void AddDyn(DynInfoRec& Dyn);
  void RemoveDyn();
  void RightOfDyn();
  bool AdvanceDyn();
  bool BackToDyn(int Min);
  bool ForwardToDyn(int Max);
  bool PreviousDyn();
  bool NextDyn();

  // ---- Words (the memo's delimiter set) ----
  void ToPreviousWord();
  void ToNextWord();
  void ToEndOfWord();
  void ToStartOfWord();

  // ---- Collapsing (DoduSupportCollapse.cpp) ----
  bool GetCollapseLevels(int& StartLevel, int& EndLevel, int& BarLevel);
  bool Collapse(bool DoOuterSection);
  bool Expand(bool DoOuterSection);
  bool ExpandAllLevels();

  TVavaDodu* Dodu() const { return fDodu; }
  // Whether the navigator knows its paragraph.
  bool Placed() const { return fPar != nullptr; }
  // The cached values, for the memo and for tests of the caches.
  int CachedDynNb() const { return fDynNb; }
  int CachedParLine() const { return fParLine; }
  void ForgetCodeAndLine() {
    fDynNb = -1;
    fParLine = -1;
  }

  bool AdjustRight = false;
  bool FreeOnDelete = false;
  int fExtra = 0;
  TNotifyEvent OnFree;

 private:
  friend class TVavaDodu;
  void FindPar();
  bool Delimiter(Byte Ch) const;
  const LineInfo& CurrentLine(LineInfo& Buffer);
  // Stands at the start of line Line of paragraph N.
  void StandAtLine(int N, int Line);
  int FindCollapseStart(int Level, bool& Found);

  TVavaDodu* fDodu = nullptr;
  int fPos = 0;
  ParInfo* fPar = nullptr;
  int fParNb = -1;
  int fOffset = -1;
  int fDynNb = -1;
  int fParLine = -1;
  std::unique_ptr<TLinesList> fNavLines;
};

// Every navigator of the list that is placed in a paragraph, at fromPos or after and in a
// paragraph up to toPar, forgets its cached code and line.
void InvalidateNavigators(const std::vector<TDoduNavigator*>& List, int FromPos, int ToPar);
