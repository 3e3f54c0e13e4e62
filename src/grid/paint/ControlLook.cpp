// The control look: every setter repaints the grid or passes a gradient colour on to it.
#include "grid/paint/ControlLook.h"

#include "grid/model/RivErodovOzar.h"

TControlLook::TControlLook(TRivErodovOzar* AOwner)
    : FOwner(AOwner),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()) {
  CreateAppearances(AOwner);
  // The hover and pressed mirror colours of the grid start as no colour.
  SetFixedGradientHoverMirrorFrom(clNone);
  SetFixedGradientHoverMirrorTo(clNone);
  SetFixedGradientDownMirrorFrom(clNone);
  SetFixedGradientDownMirrorTo(clNone);
}

void TControlLook::Changed() {
  if (FOwner != nullptr) FOwner->Invalidate();
}

void TControlLook::CopyGlyph(std::unique_ptr<TBitmap>& Glyph, TBitmap* Value) {
  Glyph->Assign(Value);
  Changed();
}

void TControlLook::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TControlLook*>(Source);
  if (src == nullptr) return;
  FCheckSize = src->FCheckSize;
  FRadioSize = src->FRadioSize;
  FControlStyle = src->FControlStyle;
  FCheckedGlyph->Assign(src->FCheckedGlyph.get());
  FUnCheckedGlyph->Assign(src->FUnCheckedGlyph.get());
  FRadioOnGlyph->Assign(src->FRadioOnGlyph.get());
  FRadioOffGlyph->Assign(src->FRadioOffGlyph.get());
  FProgressMarginX = src->FProgressMarginX;
  FProgressMarginY = src->FProgressMarginY;
  FCommentColor = src->FCommentColor;
  FColor = src->FColor;
  FProgressBorderColor = src->FProgressBorderColor;
  FCheckAlwaysActive = src->FCheckAlwaysActive;
  FRadioAlwaysActive = src->FRadioAlwaysActive;
  FFixedGradientFrom = src->FFixedGradientFrom;
  FFixedGradientTo = src->FFixedGradientTo;
  FFixedGradientMirrorFrom = src->FFixedGradientMirrorFrom;
  FFixedGradientMirrorTo = src->FFixedGradientMirrorTo;
  FFixedGradientHoverFrom = src->FFixedGradientHoverFrom;
  FFixedGradientHoverTo = src->FFixedGradientHoverTo;
  FFixedGradientHoverMirrorFrom = src->FFixedGradientHoverMirrorFrom;
  FFixedGradientHoverMirrorTo = src->FFixedGradientHoverMirrorTo;
  FFixedGradientHoverBorder = src->FFixedGradientHoverBorder;
  FFixedGradientDownFrom = src->FFixedGradientDownFrom;
  FFixedGradientDownTo = src->FFixedGradientDownTo;
  FFixedGradientDownMirrorFrom = src->FFixedGradientDownMirrorFrom;
  FFixedGradientDownMirrorTo = src->FFixedGradientDownMirrorTo;
  FFixedGradientDownBorder = src->FFixedGradientDownBorder;
  FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
  AssignAppearances(*src);
}

void TControlLook::SetCheckSize(int Value) { FCheckSize = Value, Changed(); }
void TControlLook::SetRadioSize(int Value) { FRadioSize = Value, Changed(); }
void TControlLook::SetCheckedGlyph(TBitmap* Value) { CopyGlyph(FCheckedGlyph, Value); }
void TControlLook::SetUnCheckedGlyph(TBitmap* Value) { CopyGlyph(FUnCheckedGlyph, Value); }
void TControlLook::SetRadioOnGlyph(TBitmap* Value) { CopyGlyph(FRadioOnGlyph, Value); }
void TControlLook::SetRadioOffGlyph(TBitmap* Value) { CopyGlyph(FRadioOffGlyph, Value); }
void TControlLook::SetControlStyle(RivGrid::TControlStyle Value) { FControlStyle = Value, Changed(); }
void TControlLook::SetColor(TColor Value) { FColor = Value, Changed(); }
void TControlLook::SetCommentColor(TColor Value) { FCommentColor = Value, Changed(); }
void TControlLook::SetProgressMarginX(int Value) { FProgressMarginX = Value, Changed(); }
void TControlLook::SetProgressMarginY(int Value) { FProgressMarginY = Value, Changed(); }
void TControlLook::SetProgressXP(bool Value) { FProgressXP = Value, Changed(); }
void TControlLook::SetFlatButton(bool Value) { FFlatButton = Value, Changed(); }
void TControlLook::SetNoDisabledCheckRadioLook(bool Value) { FNoDisabledCheckRadioLook = Value, Changed(); }
void TControlLook::SetNoDisabledButtonLook(bool Value) { FNoDisabledButtonLook = Value, Changed(); }
void TControlLook::SetDropDownAlwaysVisible(bool Value) { FDropDownAlwaysVisible = Value, Changed(); }
void TControlLook::SetSpinButtonsAlwaysVisible(bool Value) { FSpinButtonsAlwaysVisible = Value, Changed(); }

// From and to reach the grid only as real colours; the mirror colours always (clNone clears).
void TControlLook::SetFixedGradientFrom(TColor Value) {
  FFixedGradientFrom = Value;
  if (Value != clNone) FOwner->SetVAVGradientFrom(Value);
}

void TControlLook::SetFixedGradientTo(TColor Value) {
  FFixedGradientTo = Value;
  if (Value != clNone) FOwner->SetVAVGradientTo(Value);
}

void TControlLook::SetFixedGradientMirrorFrom(TColor Value) {
  FFixedGradientMirrorFrom = Value;
  FOwner->SetVAVGradientMirrorFrom(Value);
}

void TControlLook::SetFixedGradientMirrorTo(TColor Value) {
  FFixedGradientMirrorTo = Value;
  FOwner->SetVAVGradientMirrorTo(Value);
}

// Hover and pressed colours go straight into the grid's fields, without a repaint.
void TControlLook::SetFixedGradientHoverFrom(TColor Value) {
  FFixedGradientHoverFrom = Value;
  if (Value != clNone) FOwner->FVAVGradHoverFrom = Value;
}

void TControlLook::SetFixedGradientHoverTo(TColor Value) {
  FFixedGradientHoverTo = Value;
  if (Value != clNone) FOwner->FVAVGradHoverTo = Value;
}

void TControlLook::SetFixedGradientHoverMirrorFrom(TColor Value) {
  FFixedGradientHoverMirrorFrom = Value;
  FOwner->FVAVGradHoverMirrorFrom = Value;
}

void TControlLook::SetFixedGradientHoverMirrorTo(TColor Value) {
  FFixedGradientHoverMirrorTo = Value;
  FOwner->FVAVGradHoverMirrorTo = Value;
}

void TControlLook::SetFixedGradientHoverBorder(TColor Value) {
  FFixedGradientHoverBorder = Value;
  if (Value != clNone) FOwner->FVAVGradHoverBorder = Value;
}

void TControlLook::SetFixedGradientDownFrom(TColor Value) {
  FFixedGradientDownFrom = Value;
  if (Value != clNone) FOwner->FVAVGradDownFrom = Value;
}

void TControlLook::SetFixedGradientDownTo(TColor Value) {
  FFixedGradientDownTo = Value;
  if (Value != clNone) FOwner->FVAVGradDownTo = Value;
}

void TControlLook::SetFixedGradientDownMirrorFrom(TColor Value) {
  FFixedGradientDownMirrorFrom = Value;
  FOwner->FVAVGradDownMirrorFrom = Value;
}

void TControlLook::SetFixedGradientDownMirrorTo(TColor Value) {
  FFixedGradientDownMirrorTo = Value;
  FOwner->FVAVGradDownMirrorTo = Value;
}

void TControlLook::SetFixedGradientDownBorder(TColor Value) {
  FFixedGradientDownBorder = Value;
  if (Value != clNone) FOwner->FVAVGradDownBorder = Value;
}
