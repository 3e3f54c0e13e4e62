// The tree-node look settings.
#include "grid/model/CellNode.h"

#include "classlib/Bitmap.h"
#include "classlib/Controls.h"

TCellNode::TCellNode(TControl* AGrid)
    : FExpandGlyph(std::make_unique<TBitmap>()), FContractGlyph(std::make_unique<TBitmap>()), FGrid(AGrid) {}

TCellNode::~TCellNode() = default;

void TCellNode::Repaint() {
  if (FGrid != nullptr) FGrid->Invalidate();
}

void TCellNode::SetExpandGlyph(TBitmap* Value) { FExpandGlyph->Assign(Value); }

void TCellNode::SetContractGlyph(TBitmap* Value) { FContractGlyph->Assign(Value); }

void TCellNode::SetNodeType(TNodeType Value) {
  if (Value == FNodeType) return;
  FNodeType = Value;
  Repaint();
}

void TCellNode::SetShowTree(bool Value) {
  if (Value == FShowTree) return;
  FShowTree = Value;
  Repaint();
}

void TCellNode::SetShowTreeFull(bool Value) {
  if (Value == FShowTreeFull) return;
  FShowTreeFull = Value;
  Repaint();
}

void TCellNode::SetNodeIndent(int Value) {
  if (Value == FNodeIndent) return;
  FNodeIndent = Value;
  Repaint();
}

void TCellNode::SetTreeColor(TColor Value) {
  if (Value == FTreeColor) return;
  FTreeColor = Value;
  Repaint();
}

void TCellNode::Assign(TPersistent* Source) {
  const auto* source = dynamic_cast<const TCellNode*>(Source);
  if (source == nullptr || source == this) return;
  FColor = source->FColor;
  FNodeColor = source->FNodeColor;
  FExpandOne = source->FExpandOne;
  FExpandGlyph->Assign(source->FExpandGlyph.get());
  FContractGlyph->Assign(source->FContractGlyph.get());
  SetNodeType(source->FNodeType);
  SetShowTree(source->FShowTree);
  SetShowTreeFull(source->FShowTreeFull);
  SetNodeIndent(source->FNodeIndent);
  SetTreeColor(source->FTreeColor);
}
