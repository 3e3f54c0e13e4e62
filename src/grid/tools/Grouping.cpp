// The grouping settings.
#include "grid/tools/Grouping.h"

#include "classlib/Controls.h"

void TGrouping::Repaint() {
  if (FGrid != nullptr) FGrid->Invalidate();
}

void TGrouping::Assign(TPersistent* Source) {
  const auto* s = dynamic_cast<const TGrouping*>(Source);
  if (s == nullptr || s == this) return;
  FMergeHeader = s->FMergeHeader;
  FMergeSummary = s->FMergeSummary;
  FSummary = s->FSummary;
  FHeaderColor = s->FHeaderColor;
  FHeaderColorTo = s->FHeaderColorTo;
  FHeaderTextColor = s->FHeaderTextColor;
  FSummaryColor = s->FSummaryColor;
  FSummaryColorTo = s->FSummaryColorTo;
  FSummaryTextColor = s->FSummaryTextColor;
  FHeaderUnderline = s->FHeaderUnderline;
  FHeaderLineWidth = s->FHeaderLineWidth;
  FHeaderLineColor = s->FHeaderLineColor;
  FSummaryLine = s->FSummaryLine;
  FSummaryLineWidth = s->FSummaryLineWidth;
  FSummaryLineColor = s->FSummaryLineColor;
  FShowGroupCount = s->FShowGroupCount;
  FGroupCountFormat = s->FGroupCountFormat;
  FAutoSelectGroup = s->FAutoSelectGroup;
  Repaint();
}
