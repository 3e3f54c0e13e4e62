// The speed button: a windowless push button with a glyph and a caption, used on tool bars
// and inside the editors' embedded buttons. It is pressed while the left mouse button is held
// on it and clicks when released over it.
#pragma once

#include <memory>

#include "classlib/Controls.h"

class TBitmap;

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  // The glyph: a strip of NumGlyphs images side by side (up, disabled, down, exclusive); the
  // first is drawn. Setting copies the bitmap; nullptr empties it.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  TButtonState State() const { return FState; }
  // Whether the mouse is over the button (between CM_MOUSEENTER and CM_MOUSELEAVE).
  bool MouseInControl() const { return FMouseInControl; }
  int GroupIndex = 0;
  bool AllowAllUp = false;
  TButtonLayout Layout = blGlyphLeft;

  void WndProc(TMessage& Message) override;
  void Click() override;

  // The classic button face over R: a raised frame, sunken when Down; R shrinks to the inside.
  static void DrawButtonFace(TCanvas* Canvas, TRect& R, bool Down, bool Flat);
  // The glyph's first image (its transparent colour left out) and the caption centred in R,
  // moved by (1, 1) when Down.
  void DrawGlyphAndCaption(TCanvas* Canvas, const TRect& R, bool Down);

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  virtual void MouseEnter();
  virtual void MouseLeave();
  void SetState(TButtonState Value);

  TButtonState FState = bsUp;
  bool FDragging = false;

 private:
  std::unique_ptr<TBitmap> FGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  bool FDown = false;
  bool FMouseInControl = false;
};
