// TControlLook: the look of controls drawn in cells (check boxes, radio buttons, progress bars,
// comment marks, drop-down and spin buttons) and the published face of the grid's fixed-cell,
// hover and pressed gradient colours.
#pragma once

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Persistent.h"
#include "grid/model/GridTypes.h"

class TComponent;
class TRivErodovOzar;
class THeaderAppearance;
class TFooterAppearance;

// The drop-down appearances are made and freed in ControlLookAppearances.cpp: their unit's
// names clash with the grid's, so no unit sees both.
struct TAppearanceDeleter {
  void operator()(THeaderAppearance* P) const;
  void operator()(TFooterAppearance* P) const;
};

class TControlLook : public TPersistent {
 public:
  explicit TControlLook(TRivErodovOzar* AOwner);
  ~TControlLook() override;

  // Copies from another control look only; the gradient colours are stored, not passed on.
  void Assign(TPersistent* Source) override;

  int CheckSize() const { return FCheckSize; }
  void SetCheckSize(int Value);
  int RadioSize() const { return FRadioSize; }
  void SetRadioSize(int Value);
  TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
  void SetCheckedGlyph(TBitmap* Value);
  TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
  void SetUnCheckedGlyph(TBitmap* Value);
  TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
  void SetRadioOnGlyph(TBitmap* Value);
  TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
  void SetRadioOffGlyph(TBitmap* Value);
  RivGrid::TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(RivGrid::TControlStyle Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor CommentColor() const { return FCommentColor; }
  void SetCommentColor(TColor Value);
  TColor ProgressBorderColor() const { return FProgressBorderColor; }
  void SetProgressBorderColor(TColor Value) { FProgressBorderColor = Value; }
  int ProgressMarginX() const { return FProgressMarginX; }
  void SetProgressMarginX(int Value);
  int ProgressMarginY() const { return FProgressMarginY; }
  void SetProgressMarginY(int Value);
  bool ProgressXP() const { return FProgressXP; }
  void SetProgressXP(bool Value);
  bool FlatButton() const { return FFlatButton; }
  void SetFlatButton(bool Value);
  bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
  void SetNoDisabledCheckRadioLook(bool Value);
  bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
  void SetNoDisabledButtonLook(bool Value);
  bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
  void SetCheckAlwaysActive(bool Value) { FCheckAlwaysActive = Value; }
  bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
  void SetRadioAlwaysActive(bool Value) { FRadioAlwaysActive = Value; }
  bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value);
  bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool Value);
  bool FixedDropDownButton() const { return FFixedDropDownButton; }
  void SetFixedDropDownButton(bool Value) { FFixedDropDownButton = Value; }
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* Value);
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* Value);

  TColor FixedGradientFrom() const { return FFixedGradientFrom; }
  void SetFixedGradientFrom(TColor Value);
  TColor FixedGradientTo() const { return FFixedGradientTo; }
  void SetFixedGradientTo(TColor Value);
  TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
  void SetFixedGradientMirrorFrom(TColor Value);
  TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
  void SetFixedGradientMirrorTo(TColor Value);
  TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
  void SetFixedGradientHoverFrom(TColor Value);
  TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
  void SetFixedGradientHoverTo(TColor Value);
  TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
  void SetFixedGradientHoverMirrorFrom(TColor Value);
  TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
  void SetFixedGradientHoverMirrorTo(TColor Value);
  TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
  void SetFixedGradientHoverBorder(TColor Value);
  TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
  void SetFixedGradientDownFrom(TColor Value);
  TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
  void SetFixedGradientDownTo(TColor Value);
  TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
  void SetFixedGradientDownMirrorFrom(TColor Value);
  TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
  void SetFixedGradientDownMirrorTo(TColor Value);
  TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
  void SetFixedGradientDownBorder(TColor Value);

 private:
  friend class TRivErodovOzar;  // the older colour schemes store colours without passing them on
  void Changed();
  void CopyGlyph(std::unique_ptr<TBitmap>& Glyph, TBitmap* Value);
  void CreateAppearances(TComponent* AOwner);
  void AssignAppearances(const TControlLook& Source);

  TRivErodovOzar* FOwner;
  int FCheckSize = 15;
  int FRadioSize = 10;
  std::unique_ptr<TBitmap> FCheckedGlyph;
  std::unique_ptr<TBitmap> FUnCheckedGlyph;
  std::unique_ptr<TBitmap> FRadioOnGlyph;
  std::unique_ptr<TBitmap> FRadioOffGlyph;
  RivGrid::TControlStyle FControlStyle = RivGrid::csTheme;
  TColor FColor = 0;
  TColor FCommentColor = 0x0000FF;
  TColor FProgressBorderColor = 0x808080;
  int FProgressMarginX = 2;
  int FProgressMarginY = 2;
  bool FProgressXP = false;
  bool FFlatButton = false;
  bool FNoDisabledCheckRadioLook = false;
  bool FNoDisabledButtonLook = false;
  bool FCheckAlwaysActive = false;
  bool FRadioAlwaysActive = false;
  bool FDropDownAlwaysVisible = false;
  bool FSpinButtonsAlwaysVisible = false;
  bool FFixedDropDownButton = false;
  std::unique_ptr<THeaderAppearance, TAppearanceDeleter> FDropDownHeader;
  std::unique_ptr<TFooterAppearance, TAppearanceDeleter> FDropDownFooter;
  TColor FFixedGradientFrom = clNone;
  TColor FFixedGradientTo = clNone;
  TColor FFixedGradientMirrorFrom = clNone;
  TColor FFixedGradientMirrorTo = clNone;
  TColor FFixedGradientHoverFrom = 0xFFFFFF;
  TColor FFixedGradientHoverTo = 0x808080;
  TColor FFixedGradientHoverMirrorFrom = clNone;
  TColor FFixedGradientHoverMirrorTo = clNone;
  TColor FFixedGradientHoverBorder = 0xC0C0C0;
  TColor FFixedGradientDownFrom = 0xC0C0C0;
  TColor FFixedGradientDownTo = 0x808080;
  TColor FFixedGradientDownMirrorFrom = clNone;
  TColor FFixedGradientDownMirrorTo = clNone;
  TColor FFixedGradientDownBorder = 0x808080;
};
