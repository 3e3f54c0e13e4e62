// TGrouping: how a grouped grid shows its group headers and summary rows, and whether the
// header shows the group's row count.
#pragma once

#include "classlib/GraphicsObjects.h"

class TControl;

class TGrouping : public TPersistent {
 public:
  // AGrid is repainted when a setting changes; it may be nullptr.
  explicit TGrouping(TControl* AGrid) : FGrid(AGrid) {}
  String ClassName() const override { return "TGrouping"; }
  // Copies every setting from another TGrouping; ignores any other source.
  void Assign(TPersistent* Source) override;

  bool MergeHeader() const { return FMergeHeader; }
  void SetMergeHeader(bool Value) { Change(FMergeHeader, Value); }
  bool MergeSummary() const { return FMergeSummary; }
  void SetMergeSummary(bool Value) { Change(FMergeSummary, Value); }
  bool Summary() const { return FSummary; }
  void SetSummary(bool Value) { Change(FSummary, Value); }
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { Change(FHeaderColor, Value); }
  TColor HeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { Change(FHeaderColorTo, Value); }
  TColor HeaderTextColor() const { return FHeaderTextColor; }
  void SetHeaderTextColor(TColor Value) { Change(FHeaderTextColor, Value); }
  TColor SummaryColor() const { return FSummaryColor; }
  void SetSummaryColor(TColor Value) { Change(FSummaryColor, Value); }
  TColor SummaryColorTo() const { return FSummaryColorTo; }
  void SetSummaryColorTo(TColor Value) { Change(FSummaryColorTo, Value); }
  TColor SummaryTextColor() const { return FSummaryTextColor; }
  void SetSummaryTextColor(TColor Value) { Change(FSummaryTextColor, Value); }
  bool HeaderUnderline() const { return FHeaderUnderline; }
  void SetHeaderUnderline(bool Value) { Change(FHeaderUnderline, Value); }
  int HeaderLineWidth() const { return FHeaderLineWidth; }
  void SetHeaderLineWidth(int Value) { Change(FHeaderLineWidth, Value); }
  TColor HeaderLineColor() const { return FHeaderLineColor; }
  void SetHeaderLineColor(TColor Value) { Change(FHeaderLineColor, Value); }
  bool SummaryLine() const { return FSummaryLine; }
  void SetSummaryLine(bool Value) { Change(FSummaryLine, Value); }
  int SummaryLineWidth() const { return FSummaryLineWidth; }
  void SetSummaryLineWidth(int Value) { Change(FSummaryLineWidth, Value); }
  TColor SummaryLineColor() const { return FSummaryLineColor; }
  void SetSummaryLineColor(TColor Value) { Change(FSummaryLineColor, Value); }
  bool ShowGroupCount() const { return FShowGroupCount; }
  void SetShowGroupCount(bool Value) { Change(FShowGroupCount, Value); }
  // A format with one integer argument; empty: " (n)".
  const String& GroupCountFormat() const { return FGroupCountFormat; }
  void SetGroupCountFormat(const String& Value) { Change(FGroupCountFormat, Value); }
  // Read by the mouse handling: a click on a header selects its group.
  bool AutoSelectGroup() const { return FAutoSelectGroup; }
  void SetAutoSelectGroup(bool Value) { Change(FAutoSelectGroup, Value); }

 private:
  template <class T>
  void Change(T& Field, const T& Value) {
    if (Field == Value) return;
    Field = Value;
    Repaint();
  }
  void Repaint();

  TControl* FGrid;
  bool FMergeHeader = false;
  bool FMergeSummary = false;
  bool FSummary = false;
  TColor FHeaderColor = clNone;
  TColor FHeaderColorTo = clNone;
  TColor FHeaderTextColor = clNone;
  TColor FSummaryColor = clNone;
  TColor FSummaryColorTo = clNone;
  TColor FSummaryTextColor = clNone;
  bool FHeaderUnderline = false;
  int FHeaderLineWidth = 2;
  TColor FHeaderLineColor = clBlue;
  bool FSummaryLine = false;
  int FSummaryLineWidth = 2;
  TColor FSummaryLineColor = clBlue;
  bool FShowGroupCount = false;
  String FGroupCountFormat;
  bool FAutoSelectGroup = false;
};
