// TCellNode: how the tree nodes of a grid look (node boxes, tree lines, indent per level).
#pragma once

#include <memory>

#include "classlib/GraphicsObjects.h"

class TBitmap;
class TControl;

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TPersistent {
 public:
  // AGrid is repainted when a look setting changes; it may be nullptr.
  explicit TCellNode(TControl* AGrid);
  ~TCellNode() override;
  TCellNode(const TCellNode&) = delete;
  TCellNode& operator=(const TCellNode&) = delete;

  // Plain settings, stored without a repaint.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor NodeColor() const { return FNodeColor; }
  void SetNodeColor(TColor Value) { FNodeColor = Value; }
  // Expanding a node collapses the others unless this is set.
  bool ExpandOne() const { return FExpandOne; }
  void SetExpandOne(bool Value) { FExpandOne = Value; }
  // Owned; writing copies the given bitmap.
  TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
  void SetExpandGlyph(TBitmap* Value);
  TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
  void SetContractGlyph(TBitmap* Value);

  // These repaint the grid when the value changes.
  TNodeType NodeType() const { return FNodeType; }
  void SetNodeType(TNodeType Value);
  bool ShowTree() const { return FShowTree; }
  void SetShowTree(bool Value);
  bool ShowTreeFull() const { return FShowTreeFull; }
  void SetShowTreeFull(bool Value);
  // Pixels per node level.
  int NodeIndent() const { return FNodeIndent; }
  void SetNodeIndent(int Value);
  TColor TreeColor() const { return FTreeColor; }
  void SetTreeColor(TColor Value);

  TControl* Grid() const { return FGrid; }
  // Copies every setting from another TCellNode; ignores any other source.
  void Assign(TPersistent* Source) override;

 private:
  void Repaint();

  TColor FColor = 0xC0C0C0;
  TNodeType FNodeType = cnXP;
  TColor FNodeColor = 0;
  std::unique_ptr<TBitmap> FExpandGlyph;
  std::unique_ptr<TBitmap> FContractGlyph;
  bool FExpandOne = false;
  TControl* FGrid;
  bool FShowTree = true;
  bool FShowTreeFull = true;
  int FNodeIndent = 12;
  TColor FTreeColor = 0x808080;
};
