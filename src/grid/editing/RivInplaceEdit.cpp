// TRivInplaceEdit: construction, the window styles, filling for a cell, placement, focus,
// clipboard, change notification and type-ahead completion. The keys are in
// RivInplaceEditKeys.cpp.
#include "grid/editing/RivInplaceEdit.h"

#include <algorithm>
#include <cctype>

#include "classlib/Clipbrd.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/StringList.h"
#include "classlib/WinApi.h"
#include "grid/base/ZudAzud.h"
#include "grid/model/RivErodovOzar.h"

TRivInplaceEdit::TRivInplaceEdit(TComponent* AOwner)
    : TInplaceEdit(AOwner), FGrid(dynamic_cast<TRivErodovOzar*>(AOwner)) {
  FAltBack = false;
}

// ---- Window styles ----

void TRivInplaceEdit::SetVAlign(bool Value) {
  FValign = Value;
  RecreateWnd();
}

void TRivInplaceEdit::SetWordWrap(bool Value) {
  FWordWrap = Value;
  RecreateWnd();
}

void TRivInplaceEdit::SetLengthLimit(int16_t Value) { FLengthLimit = Value; }

void TRivInplaceEdit::CreateParams() {
  if (auto* grid = dynamic_cast<TRivErodovOzar*>(Parent())) FGrid = grid;
  if (FGrid == nullptr) return;
  FWordWrap = FGrid->WordWrap();
  FStyleRight = FValign;
  FStylePassword = FGrid->EditControl == edPassword;
  FStyleMultiLine = !FStylePassword;
  Workmode = true;
}

void TRivInplaceEdit::RecreateWnd() {
  CreateParams();
  Alignment = FStyleRight ? taRightJustify : taLeftJustify;
  PasswordChar = FStylePassword && FGrid != nullptr ? FGrid->PasswordChar : '\0';
  UpdateView();
}

void TRivInplaceEdit::CreateWnd() {
  TInplaceEdit::CreateWnd();
  RecreateWnd();
  if (FGrid != nullptr) SetLengthLimit(static_cast<int16_t>(FGrid->GetEditLimit()));
}

// ---- Filling and placing ----

void TRivInplaceEdit::UpdateContents() {
  if (FGrid == nullptr) {
    TInplaceEdit::UpdateContents();
    return;
  }
  const bool saved = FGrid->FNoEditChange;
  FGrid->FNoEditChange = true;
  try {
    TInplaceEdit::UpdateContents();
  } catch (...) {
    FGrid->FNoEditChange = saved;
    throw;
  }
  FGrid->FNoEditChange = saved;
  // The editor takes the look the cell is painted with as the selected cell.
  const int col = FGrid->Col();
  const int row = FGrid->Row();
  TGridDrawState state{gdSelected};
  TBrush brush;
  TFont font;
  font.Assign(*FGrid->Font());
  TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = false;
  TCellGradientDirection gd = GradientVertical;
  FGrid->GetVisualProperties(FGrid->RealColIndex(col), row, state, false, false, false, &brush, colorTo, mirrorColor,
                             mirrorColorTo, &font, ha, va, ww, gd);
  SetColor(brush.Color() != clNone ? brush.Color() : FGrid->Color());
  Font()->Assign(font);
  FColE = col;
  FRowE = row;
  FGrid->DoGetEditorProp(col, row, nullptr);
}

// The editor covers the cell but its grid lines, and its text starts 3 pixels in.
void TRivInplaceEdit::BoundsChanged() {
  TInplaceEdit::BoundsChanged();
  if (FGrid == nullptr) return;
  const TRect r = FGrid->CellRect(FGrid->Col(), FGrid->Row());
  if (r.Width() <= 0 || r.Height() <= 0) return;
  SetBounds(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
  SetFormattingRect(TRect(3, 3, Width() - 2, Height()));
}

// ---- Messages ----

void TRivInplaceEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SYSKEYDOWN:
      if (Message.WParam == VK_BACK) FAltBack = true;
      break;
    case WM_SYSKEYUP:
      if (Message.WParam == VK_BACK) FAltBack = false;
      break;
    case WM_KEYDOWN:
      HandleKeyDownMessage(Message);
      return;
    case WM_KEYUP:
      HandleKeyUpMessage(Message);
      return;
    case WM_CHAR:
      HandleCharMessage(Message);
      return;
    case WM_SETFOCUS:
      HandleSetFocus(Message);
      return;
    case WM_KILLFOCUS:
      HandleKillFocus(Message);
      return;
    case WM_COPY:
      HandleCopy(Message);
      return;
    case WM_CUT:
      HandleCut(Message);
      return;
    case WM_PASTE:
      HandlePaste(Message);
      return;
    case WM_LBUTTONDBLCLK:
      HandleDoubleClick(Message);
      return;
    case CM_WANTSPECIALKEY:
      HandleWantSpecialKey(Message);
      return;
    case CM_ENDEDIT:
      HandleEndEdit(Message);
      return;
    case WM_GETDLGCODE:
      TInplaceEdit::WndProc(Message);
      if (FGrid != nullptr && FGrid->EditorWantsTab()) Message.Result |= DLGC_WANTTAB;
      return;
    default:
      break;
  }
  TInplaceEdit::WndProc(Message);
}

void TRivInplaceEdit::HandleWantSpecialKey(TMessage& Message) {
  TInplaceEdit::WndProc(Message);
  if (Message.WParam == VK_TAB && FGrid != nullptr && FGrid->EditorWantsTab()) Message.Result = 1;
}

void TRivInplaceEdit::HandleDoubleClick(TMessage& Message) {
  TInplaceEdit::WndProc(Message);
  if (FGrid != nullptr && FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TRivInplaceEdit::Change() {
  TInplaceEdit::Change();
  if (FGrid == nullptr || FGrid->FNoEditChange) return;
  if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// ---- Focus ----

void TRivInplaceEdit::HandleSetFocus(TMessage& Message) {
  TInplaceEdit::WndProc(Message);
  FGotFocus = true;
  if (FGrid == nullptr) return;
  FGrid->FNoEditChange = false;
  SetLengthLimit(static_cast<int16_t>(FGrid->MaxEditLength));
  SetMaxLength(FGrid->MaxEditLength);
  TNavigation* nav = FGrid->Navigation();
  if (!EditMask.empty() && !FGrid->LButFlg && nav->ImproveMaskSel) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (!nav->EditSelectAll) SetSelStart(static_cast<int>(Text().size()));
  // Where a click opened the editor the caret stays where the view put it under the mouse.
  FGrid->LButFlg = false;
}

void TRivInplaceEdit::HandleKillFocus(TMessage& Message) {
  if (FGrid == nullptr) {
    TInplaceEdit::WndProc(Message);
    return;
  }
  FGrid->FStartEditChar = '\0';
  if (FGrid->LookupHistory && FGrid->LookupItems()->IndexOf(Text()) < 0) FGrid->LookupItems()->Add(Text());
  FGrid->EditorFormulaMode(false);
  TInplaceEdit::WndProc(Message);
  if (FAltBack) return;
  const HWND to = reinterpret_cast<HWND>(Message.WParam);
  const bool toGrid = FGrid->HandleAllocated() && to == FGrid->Handle();
  if (!toGrid) {
    // The focus leaves the grid: the edit is validated and closed; a refused value leaves the
    // cell's old text.
    FGrid->ValidateCell(Text());
    SetText(FGrid->CurrentCell());
    FGrid->HideInplaceEdit();
    FGrid->FEditing = false;
    FGrid->EditMode = false;
    FGrid->SelectCell(FColE, FRowE);
  }
  if (FGrid->FNoEditChange) SetText(FGrid->CurrentCell());
  FGrid->EditorCaretMoved(Text(), -1, -1);
  if (FGotFocus) {
    FGotFocus = false;
    FGrid->DoEditingDone(FColE, FRowE);
  }
}

// A command is about to run: the typed value is validated and written as Enter would do it,
// without moving; a refused value keeps the editor open with its text and stops the command.
void TRivInplaceEdit::HandleEndEdit(TMessage& Message) {
  Message.Result = 0;
  if (FGrid == nullptr || !Visible()) return;
  if (FGrid->FEditing && !FGrid->FValidating) {
    const String oldText = FGrid->FOldCellText;
    if (!FGrid->ValidateCell(Text())) {
      ValidationFailed(-1, oldText);
      Message.Result = 1;
      return;
    }
    SetText(FGrid->FNewCellText);
  }
  FGrid->HideInplaceEdit();
}

// ---- Clipboard ----

void TRivInplaceEdit::HandleCopy(TMessage& Message) {
  bool allow = true;
  if (FGrid != nullptr && FGrid->OnClipboardCopy) FGrid->OnClipboardCopy(this, allow);
  if (allow && SelLength() > 0) Clipboard()->SetAsText(SelText());
  Message.Result = 0;
}

void TRivInplaceEdit::HandleCut(TMessage& Message) {
  bool allow = true;
  if (FGrid != nullptr && FGrid->OnClipboardCut) FGrid->OnClipboardCut(this, allow);
  if (allow && SelLength() > 0 && !ReadOnly()) {
    Clipboard()->SetAsText(SelText());
    SetSelText("");
  }
  Message.Result = 0;
}

void TRivInplaceEdit::HandlePaste(TMessage& Message) {
  Message.Result = 0;
  if (FGrid == nullptr) return;
  bool allow = Clipboard()->HasFormat(CF_TEXT);
  String v = allow ? Clipboard()->AsText() : String();
  if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, allow);
  if (allow && FGrid->OnClipboardBeforePasteCell)
    FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), v, allow);
  if (!allow) return;
  if (FLengthLimit >= 1 && static_cast<int>(v.size()) > FLengthLimit) return;
  const size_t crlf = v.find("\r\n");
  if (crlf != String::npos && crlf + 2 == v.size()) v.erase(crlf);
  const String text = Text();
  const int start = SelStart();
  const int length = SelLength();
  String n = text;
  n.replace(static_cast<size_t>(start), static_cast<size_t>(length), v);
  if (FLengthLimit >= 1 && static_cast<int>(n.size()) > FLengthLimit) return;
  bool take = true;
  const int kind = NumericKind(n);
  const bool minus = n.find('-') != String::npos;
  switch (FGrid->EditControl) {
    case edNumeric:
    case edPositiveNumeric:
      take = kind == 0 && (!minus || FGrid->EditControl == edNumeric);
      break;
    case edFloat:
    case edPositiveFloat:
      take = (kind == 0 || kind == 1) && (!minus || FGrid->EditControl == edFloat);
      break;
    case edMixedCase:
      n = CapitalizeWords(n);
      break;
    case edLowerCase:
      for (char& c : n) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      break;
    case edUpperCase:
      n = UpperCase(n);
      break;
    case edValidChars:
      take = n.find_first_not_of(FGrid->ValidChars) == String::npos;
      break;
    default:
      break;
  }
  if (take) SetText(n);
  FGrid->SetCurrentCellText(Text());
  if (take && length > 0) {
    SetSelStart(start);
    SetSelLength(static_cast<int>(v.size()));
  } else if (take) {
    SetSelStart(start + static_cast<int>(v.size()));
  }
  if (FGrid->OnClipboardAfterPasteCell) FGrid->OnClipboardAfterPasteCell(this, FGrid->Col(), FGrid->Row(), Text());
}

// ---- Type-ahead completion ----

void TRivInplaceEdit::DoChange() {
  if (FGrid == nullptr || !Workmode || SelLength() > 0) return;
  if (!FGrid->Lookup || FGrid->LookupItems()->Count() == 0) return;
  const String text = Text();
  String typed = text.substr(0, static_cast<size_t>(std::min<int>(SelStart(), static_cast<int>(text.size()))));
  if (typed.empty()) return;
  const String key = FGrid->LookupCaseSensitive ? typed : UpperCase(typed);
  TStringList* items = FGrid->LookupItems();
  for (int i = 0; i < items->Count(); ++i) {
    const String item = items->Get(i);
    const String compared = FGrid->LookupCaseSensitive ? item : UpperCase(item);
    if (compared.rfind(key, 0) != 0) continue;
    const String completed = typed + item.substr(typed.size(), 255);
    SetText(completed);
    SetSelStart(static_cast<int>(typed.size()));
    SetSelLength(static_cast<int>(completed.size() - typed.size()));
    return;
  }
}

// ---- Lines of the text ----

int TRivInplaceEdit::LineOfPosition(int Position) const {
  const String text = Text();
  const size_t end = std::min(static_cast<size_t>(std::max(Position, 0)), text.size());
  return static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}

int TRivInplaceEdit::LineCount() const {
  const String text = Text();
  return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

bool TRivInplaceEdit::AtLengthLimit() const {
  return FLengthLimit > 0 && static_cast<int>(Text().size()) == FLengthLimit && SelLength() == 0;
}

void TRivInplaceEdit::ShowBalloon(const String& Title, const String& Text, TInvalidEntryIcon Icon) {
  EDITBALLOONTIP tip;
  tip.pszTitle = Title.c_str();
  tip.pszText = Text.c_str();
  tip.ttiIcon = Icon == ieInfo ? TTI_INFO : Icon == ieWarning ? TTI_WARNING : Icon == ieError ? TTI_ERROR : TTI_NONE;
  Perform(EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
}
