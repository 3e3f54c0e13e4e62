#include "grid/model/SortSettings.h"

TSortSettings::TSortSettings(std::function<void()> Repaint) : FRepaint(std::move(Repaint)) {}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSortSettings*>(Source);
  if (src == nullptr) return;
  FShow = src->FShow;
  Row = src->Row;
  Column = src->Column;
  Direction = src->Direction;
  FixedCols = src->FixedCols;
  IndexShow = src->IndexShow;
  IndexColor = src->IndexColor;
  FUpGlyph->Assign(src->FUpGlyph.get());
  FDownGlyph->Assign(src->FDownGlyph.get());
  FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
  FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
  FHeaderColor = src->FHeaderColor;
  FHeaderColorTo = src->FHeaderColorTo;
  FHeaderMirrorColor = src->FHeaderMirrorColor;
  FHeaderMirrorColorTo = src->FHeaderMirrorColorTo;
  if (FRepaint) FRepaint();
}

void TSortSettings::SetShow(bool Value) {
  if (Value == FShow) return;
  FShow = Value;
  if (FRepaint) FRepaint();
}

void TSortSettings::SetHeaderColor(TColor Value) {
  FHeaderColor = Value;
  if (FRepaint) FRepaint();
}

void TSortSettings::SetHeaderColorTo(TColor Value) {
  FHeaderColorTo = Value;
  if (FRepaint) FRepaint();
}

void TSortSettings::SetHeaderMirrorColor(TColor Value) {
  FHeaderMirrorColor = Value;
  if (FRepaint) FRepaint();
}

void TSortSettings::SetHeaderMirrorColorTo(TColor Value) {
  FHeaderMirrorColorTo = Value;
  if (FRepaint) FRepaint();
}
