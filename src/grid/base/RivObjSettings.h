// The grid's grouped settings: search footer, keyboard navigation, mouse actions, coupling to a
// second grid and row bands. Each holds plain values with defaults, copies itself in Assign
// (no events fired there) and reports changes through its events where a setter says so.
// Settings without side effects are plain public fields.
#pragma once

#include <memory>

#include "classlib/Colors.h"
#include "classlib/Component.h"
#include "classlib/GraphicsObjects.h"

class TStringGrid;

enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardPasteAction { paReplace, paInsert };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TWheelAction { waMoveSelection, waScroll };
enum TSearchDirection { sdTopBottom, sdLeftRight };

using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

class TSearchFooter : public TPersistent {
 public:
  // The captions and hints get their texts only for a footer made at design time.
  TSearchFooter(TComponent* AOwner, bool InitDesign);
  ~TSearchFooter() override;

  bool ShowFindPrev() const { return FShowFindPrev; }
  void SetShowFindPrev(bool Value);
  bool ShowFindNext() const { return FShowFindNext; }
  void SetShowFindNext(bool Value);
  const String& FindNextCaption() const { return FFindNextCaption; }
  void SetFindNextCaption(const String& Value);
  const String& FindPrevCaption() const { return FFindPrevCaption; }
  void SetFindPrevCaption(const String& Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool ShowClose() const { return FShowClose; }
  void SetShowClose(bool Value);
  bool ShowHighLight() const { return FShowHighLight; }
  void SetShowHighLight(bool Value);
  bool ShowMatchCase() const { return FShowMatchCase; }
  void SetShowMatchCase(bool Value);
  const String& MatchCaseCaption() const { return FMatchCaseCaption; }
  void SetMatchCaseCaption(const String& Value);
  const String& HintClose() const { return FHintClose; }
  void SetHintClose(const String& Value);
  const String& HintFindPrev() const { return FHintFindPrev; }
  void SetHintFindPrev(const String& Value);
  const String& HintHighlight() const { return FHintHighlight; }
  void SetHintHighlight(const String& Value);
  const String& HintFindNext() const { return FHintFindNext; }
  void SetHintFindNext(const String& Value);
  const String& HighLightCaption() const { return FHighLightCaption; }
  void SetHighLightCaption(const String& Value);
  TFont* Font() const { return FFont.get(); }
  // Copies the given font into the footer's own.
  void SetFont(TFont* Value);

  bool AutoSearch = true;
  String LastSearch;
  int SearchColumn = -1;
  bool SearchActiveColumnOnly = false;
  bool SearchMatchStart = false;
  bool SearchFixedCells = false;
  bool SearchHiddenRows = false;
  bool AlwaysHighLight = false;
  TSearchDirection SearchDirection = sdTopBottom;

  TNotifyEvent OnChange;

  // Copies everything but AutoThemeAdapt, AutoSearch, LastSearch, SearchFixedCells and the
  // event from another footer.
  void Assign(TPersistent* Source) override;

 private:
  void Changed();
  template <class T>
  void SetChanged(T& Field, const T& Value);

  TComponent* FOwner;
  bool FShowFindPrev = true;
  bool FShowFindNext = true;
  String FFindNextCaption;
  String FFindPrevCaption;
  TColor FColorTo = clBtnFace;
  TColor FColor = clWhite;
  bool FVisible = false;
  bool FAutoThemeAdapt = false;
  bool FShowClose = true;
  bool FShowHighLight = true;
  bool FShowMatchCase = true;
  String FMatchCaseCaption;
  String FHintClose;
  String FHintFindPrev;
  String FHintHighlight;
  String FHintFindNext;
  String FHighLightCaption;
  std::unique_ptr<TFont> FFont;
};

class TNavigation : public TPersistent {
 public:
  bool AllowInsertRow = false;
  bool AllowDeleteRow = false;
  bool AdvanceOnEnter = false;
  bool AdvanceInsert() const { return FAdvanceInsert; }
  void SetAdvanceInsert(bool Value);
  bool AutoGotoWhenSorted = false;
  bool AutoGotoIncremental = false;
  bool AutoComboDropSize = false;
  bool AllowClipboardShortCuts = false;
  bool AllowRTFClipboard = false;
  bool AllowSmartClipboard = false;
  bool AllowClipboardAlways = false;
  bool AllowClipboardColGrow = true;
  bool AllowClipboardRowGrow = true;
  TClipboardPasteAction ClipboardPasteAction = paReplace;
  bool CopyHTMLTagsToClipboard = true;
  TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
  void SetAdvanceDirection(TAdvanceDirection Value);
  bool AdvanceAuto() const { return FAdvanceAuto; }
  // Turning it on also turns AdvanceOnEnter on.
  void SetAdvanceAuto(bool Value);
  bool AdvanceAutoEdit = true;
  bool CursorWalkEditor = false;
  bool CursorWalkAlwaysEdit = true;
  bool MoveRowOnSort = false;
  bool KeepScrollOnSort = false;
  bool ImproveMaskSel = false;
  bool AlwaysEdit = false;
  TInsertPosition InsertPosition = pInsertBefore;
  bool LineFeedOnEnter = false;
  THomeEndAction HomeEndKey = heFirstLastColumn;
  bool KeepHorizScroll = false;
  bool AllowFmtClipboard = false;
  bool TabToNextAtEnd = false;
  bool EditSelectAll = true;
  TAdvanceDirection TabAdvanceDirection = adLeftRight;
  bool SkipFixedCells = true;
  bool SkipDisabledRows = true;
  bool AllowCtrlEnter = true;
  bool AppendOnArrowDown = false;
  bool LeftRightRowSelect = true;
  bool MoveScrollOnly = false;
  bool ComboGetUpDown = true;

  TNotifyEvent OnChange;

  // Copies every setting but KeepScrollOnSort from another navigation object.
  void Assign(TPersistent* Source) override;

 private:
  bool FAdvanceInsert = false;
  TAdvanceDirection FAdvanceDirection = adLeftRight;
  bool FAdvanceAuto = false;
};

class TMouseActions : public TPersistent {
 public:
  explicit TMouseActions(TComponent* AOwner) : FOwner(AOwner) {}

  bool ColSelect = false;
  bool RowSelect = false;
  bool AllSelect = false;
  bool DirectEdit = false;
  bool DirectComboDrop = false;
  bool DirectComboClose = false;
  bool DirectDateClose = false;
  bool DirectDateDrop = false;
  // The three disjunct selections exclude each other only at design time.
  bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  bool DisjunctColSelect() const { return FDisjunctColSelect; }
  void SetDisjunctColSelect(bool Value);
  bool AllColumnSize = false;
  bool AllRowSize = false;
  bool CaretPositioning = false;
  bool SizeFixedCol = false;
  bool SizeFixedRow = false;
  bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
  void SetDisjunctCellSelect(bool Value);
  TGridFixedCellEdit FixedRowsEdit = fceNone;
  TGridFixedCellEdit FixedColsEdit = fceNone;
  bool HotmailRowSelect() const { return FHotmailRowSelect; }
  // On also turns DisjunctRowSelect and CheckAllCheck on; always fires OnInvalidate.
  void SetHotmailRowSelect(bool Value);
  bool RangeSelectAndEdit = false;
  bool NoAutoRangeScroll = false;
  bool PreciseCheckBoxCheck = false;
  bool PreciseNodeClick = true;
  bool CheckAllCheck = false;
  bool NodeAllExpandContract = false;
  bool MoveRowOnNodeClick = false;
  bool RowSelectPersistent = false;
  bool SelectOnRightClick = false;
  bool NoScrollOnPartialRow = false;
  int WheelIncrement = 0;
  TWheelAction WheelAction() const { return FWheelAction; }
  void SetWheelAction(TWheelAction Value);
  bool AutoSizeColOnDblClick = true;
  bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
  // On fires OnDisableEdit.
  void SetEditOnDblClickOnly(bool Value);
  bool DisjunctRowSelectNoCtrl = false;

  // DisjunctRowSelect itself, without the setter's design-time rule.
  bool DisjunctRowSelectDirect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelectDirect(bool Value) { FDisjunctRowSelect = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;
  TIsDesigningEvent OnIsDesigning;

  // Copies every setting but SizeFixedRow, HotmailRowSelect and EditOnDblClickOnly.
  void Assign(TPersistent* Source) override;

 private:
  bool Designing();

  TComponent* FOwner;
  bool FDisjunctRowSelect = false;
  bool FDisjunctColSelect = false;
  bool FDisjunctCellSelect = false;
  bool FHotmailRowSelect = false;
  TWheelAction FWheelAction = waMoveSelection;
  bool FEditOnDblClickOnly = false;
};

class TSyncGrid : public TPersistent {
 public:
  explicit TSyncGrid(TComponent* AOwner) : FOwner(AOwner) {}

  bool ScrollHorizontal = false;
  TStringGrid* Grid() const { return FGrid; }
  // A grid is never coupled to itself: the owner is ignored.
  void SetGrid(TStringGrid* Value);
  bool ScrollVertical = false;
  bool SelectionRow = false;
  bool SelectionColumn = false;
  bool MoveRow = false;
  bool MoveColumn = false;

  void Assign(TPersistent* Source) override;

 private:
  TComponent* FOwner;
  TStringGrid* FGrid = nullptr;
};

class TBands : public TPersistent {
 public:
  bool Print = false;
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  int TotalLength() const { return FTotalLength; }
  int SecondaryLength() const { return FSecondaryLength; }
  void SetSecondaryLength(int Value);
  int PrimaryLength() const { return FPrimaryLength; }
  void SetPrimaryLength(int Value);
  TColor SecondaryColor() const { return FSecondaryColor; }
  void SetSecondaryColor(TColor Value);
  TColor PrimaryColor() const { return FPrimaryColor; }
  void SetPrimaryColor(TColor Value);
  // The colour of the Index-th scrolling row (0 = the first row after the fixed ones).
  TColor RowColor(int Index) const;

  TNotifyEvent OnChange;

  void Assign(TPersistent* Source) override;

 private:
  void ChangedWhileActive();

  bool FActive = false;
  int FTotalLength = 2;
  int FSecondaryLength = 1;
  int FPrimaryLength = 1;
  TColor FSecondaryColor = clWindow;
  TColor FPrimaryColor = clInfoBk;
};
