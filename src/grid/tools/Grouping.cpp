// The grouping settings.
#include "grid/tools/Grouping.h"

#include "classlib/Controls.h"

void TGrouping::Repaint() {
  if (FGrid != nullptr) FGrid->Invalidate();
}

void TGrouping::Assign(TPersistent* Source) {
  const auto* s = dynamic_cast<const TGrouping*>(Source);
  if (s == nullptr || s == this) return;
  // The look of headers and summaries; the target keeps its own line widths and colours,
  // its Summary and AutoSelectGroup.
  FGroupCountFormat = s->FGroupCountFormat;
  FHeaderColor = s->FHeaderColor;
  FHeaderColorTo = s->FHeaderColorTo;
  FHeaderTextColor = s->FHeaderTextColor;
  FHeaderUnderline = s->FHeaderUnderline;
  FMergeHeader = s->FMergeHeader;
  FMergeSummary = s->FMergeSummary;
  FShowGroupCount = s->FShowGroupCount;
  FSummaryColor = s->FSummaryColor;
  FSummaryColorTo = s->FSummaryColorTo;
  FSummaryTextColor = s->FSummaryTextColor;
  FSummaryLine = s->FSummaryLine;
  Repaint();
}
