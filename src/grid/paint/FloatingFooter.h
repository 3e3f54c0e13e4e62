// TFloatingFooter, the settings of the strip docked at the grid's bottom that stays in view
// while the rows scroll (the grid's last row, a preview of one column of the current row, or a
// template filled from it), and TFooterPanel, the strip itself.
#pragma once

#include "classlib/Controls.h"
#include "classlib/Persistent.h"
#include "grid/paint/GridPaintTypes.h"

class TRivErodovOzar;

class TFloatingFooter : public TPersistent {
 public:
  explicit TFloatingFooter(TRivErodovOzar* AOwner);
  // Copies from another floating footer only.
  void Assign(TPersistent* Source) override;
  // Repaints the panel.
  void Invalidate();

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TFooterStyle FooterStyle() const { return FFooterStyle; }
  void SetFooterStyle(TFooterStyle Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  int Column() const { return FColumn; }
  void SetColumn(int Value);
  const String& CustomTemplate() const { return FCustomTemplate; }
  void SetCustomTemplate(const String& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // Set first: a footer shown with Height 0 or 1 has no visible height.
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  bool CalculateHiddenRows = true;
  bool EnableCalculation = true;
  TCalcFooterEvent OnCalcFooter;

 private:
  TRivErodovOzar* FGrid;
  bool FVisible = false;
  TFooterStyle FFooterStyle = fsFixedLastRow;
  TColor FColor = clBtnFace;
  TColor FBorderColor = clNone;
  int FColumn = 0;
  String FCustomTemplate;
  bool FShowHint = false;
  int FHeight = 0;
};

class TFooterPanel : public TCustomControl {
 public:
  // The owner must be a TRivErodovOzar (EInvalidCast otherwise).
  explicit TFooterPanel(TComponent* AOwner);
  TRivErodovOzar* Grid() const { return FGrid; }
  // The grid column under panel x: the column before the left column over the fixed
  // columns, -1 right of the last column.
  int ColumnAt(int X) const;
  int LastHintX() const { return FLastHintX; }
  // The hint the grid's OnGridHint gives for panel x (empty when none or ShowHint is off).
  String HintAt(int X);

 protected:
  void CreateWnd() override;
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WndProc(TMessage& Message) override;

 private:
  // The column index j of the walk (ColumnAt is j - 1).
  int ColumnWalk(int X) const;
  int VisibleWidth() const;
  void PaintLastRow(TCanvas* C, const TRect& Strip);
  void PaintPreview(TCanvas* C, const TRect& Strip);
  TRivErodovOzar* FGrid;
  int FLastHintX = -1;
};

// The template with every "<#n>" replaced by the text of column n of row ARow; a placeholder
// that is not a number is dropped.
String FillFooterTemplate(TRivErodovOzar* Grid, const String& Template, int ARow);
