// TCellProperties: the per-cell properties object a base grid keeps in a cell's object slot
// (looks, editor kind, a caller's integer, merging). It owns none of the objects it refers to.
//
// Merging as stored here: a plain cell has spans -1 and is a base cell; the base (top-left)
// cell of a block has spans width - 1 and height - 1; every other cell of the block is not a
// base cell and holds its offset from the base in its spans.
#pragma once

#include "classlib/GraphicsObjects.h"
#include "classlib/StdCtrls.h"
#include "grid/base/RivObj.h"

class TBaseGrid;
class TControl;

enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM };

class TCellProperties : public TPersistent {
 public:
  TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  int OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int Value) { FOwnerCol = Value; }
  int OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(int Value) { FOwnerRow = Value; }
  int CellObject() const { return FObject; }
  void SetCellObject(int Value) { FObject = Value; }
  TObject* GraphicObject() const { return FGraphicObject; }
  void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }
  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
  // The four setters below repaint the owner cell.
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor BrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  int FontSize() const { return FFontSize; }
  void SetFontSize(int Value) { FFontSize = Value; }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
  int CellSpanY() const { return FCellSpanY; }
  void SetCellSpanY(int Value) { FCellSpanY = Value; }
  int CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(int Value) { FCellSpanX = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  int PaintID() const { return FPaintID; }
  void SetPaintID(int Value) { FPaintID = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
  TColumnCalcType CalcType() const { return FCalcType; }
  void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
  TObject* CalcObject() const { return FCalcObject; }
  int NodeLevel() const { return FNodeLevel; }
  void SetNodeLevel(int Value) { FNodeLevel = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value) { FEditor = Value; }
  const String& FontName() const { return FFontName; }
  void SetFontName(const String& Value) { FFontName = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TCellGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }

  // The base cell of (ACol, ARow) by these properties: the cell less its offset for a non-base
  // cell of a block, else the cell itself.
  TPoint GetBaseCell(int ACol, int ARow) const;

  // Copies the stored settings of another cell's properties; the gradient end and direction,
  // the graphic object, the owner grid, the paint stamp and the calculation stay.
  void Assign(TPersistent* Source) override;

 private:
  friend class TBaseGrid;  // sets a new object's look without repainting
  void RepaintOwnerCell();

  TBaseGrid* FOwnerGrid;
  int FOwnerCol;
  int FOwnerRow;
  int FObject = 0;
  TObject* FGraphicObject = nullptr;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  int FFontSize = 0;
  TColor FFontColor = clNone;
  TFontStyles FFontStyle;
  int FCellSpanY = -1;
  int FCellSpanX = -1;
  int FBorderWidth = 0;
  TColor FBorderColor = 0;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  int FPaintID = 0;
  bool FWordWrap;
  bool FIsBaseCell = true;
  TColumnCalcType FCalcType = acNONE;
  TObject* FCalcObject = nullptr;
  int FNodeLevel = 0;
  TEditorType FEditor = edNormal;
  String FFontName;
  bool FReadOnly = false;
  TCellGradientDirection FGradientDirection = GradientVertical;
  TControl* FControl = nullptr;
};
