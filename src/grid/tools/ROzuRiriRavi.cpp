#include "grid/tools/ROzuRiriRavi.h"

#include "classlib/Exceptions.h"
#include "grid/model/RivErodovOzar.h"

namespace {
constexpr int kOffsetTwips = 40;
}

ROzuRiriRavi::ROzuRiriRavi(TComponent* AOwner) : TRichEdit(AOwner), FGrid(dynamic_cast<TRivErodovOzar*>(AOwner)) {
  if (FGrid == nullptr) throw EInvalidCast("Invalid class typecast");
  OnResizeRequest = [this](TObject* Sender) { RequestResize(Sender); };
}

void ROzuRiriRavi::ReCreate() {
  if (!HandleAllocated()) return;
  TWinControl* parent = Parent();
  SetParent(nullptr);
  SetParent(parent);
}

void ROzuRiriRavi::SelNormal() { SelAttributes()->SetOffset(0); }
void ROzuRiriRavi::SelSubscript() { SelAttributes()->SetOffset(-kOffsetTwips); }
void ROzuRiriRavi::SelSuperscript() { SelAttributes()->SetOffset(kOffsetTwips); }
bool ROzuRiriRavi::IsSelNormal() { return SelAttributes()->Offset() == 0; }
bool ROzuRiriRavi::IsSelSubscript() { return SelAttributes()->Offset() == -kOffsetTwips; }
bool ROzuRiriRavi::IsSelSuperscript() { return SelAttributes()->Offset() == kOffsetTwips; }

void ROzuRiriRavi::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KILLFOCUS) {
    // While the grid moves the focus itself, the editor stays as it is.
    if (FGrid->InvokedFocusChange) return;
    if (reinterpret_cast<HWND>(Message.WParam) != nullptr && reinterpret_cast<HWND>(Message.WParam) == FGrid->Handle())
      FGrid->HideInplaceEdit();
  }
  TRichEdit::WndProc(Message);
}

void ROzuRiriRavi::KeyDown(Word& Key, TShiftState Shift) {
  TRichEdit::KeyDown(Key, Shift);
  // The arrows leave a one-line editor.
  if ((Key == VK_UP || Key == VK_DOWN) && !FGrid->WordWrap() && !FGrid->Multilinecells) {
    FGrid->SetFocus();
    FGrid->KeyDown(Key, Shift);
  }
}

void ROzuRiriRavi::RequestResize(TObject*) {
  if (this == FGrid->RichEdit()) {
    FReqWidth = ReqWidth();
    FReqHeight = ReqHeight();
    return;
  }
  if (this != FGrid->InplaceRichEdit() || !FGrid->SizeWhileTyping()->Height || FLocked) return;
  const int h = ReqHeight();
  const int row = FGrid->Row();
  if (FGrid->RowHeights(row) < h + 5 && FGrid->CellRect(FGrid->Col(), row).Top + h + 5 < FGrid->Height()) {
    SetHeight(h + 9);
    FGrid->SetRowHeights(row, h + 10);
    if (FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, row);
  }
}

ROzuRiriRavi* TRivErodovOzar::InplaceRichEdit() {
  if (FInplaceRichEdit == nullptr) {
    FInplaceRichEdit = New<ROzuRiriRavi>(this);
    FInplaceRichEdit->SetVisible(false);
    FInplaceRichEdit->SetBounds(0, 0, 0, 0);
  }
  return FInplaceRichEdit;
}
