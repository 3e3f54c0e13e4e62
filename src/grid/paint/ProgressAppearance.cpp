// The progress appearance and the modified-row mark.
#include "grid/paint/ProgressAppearance.h"

#include <algorithm>

void TGridProgressAppearance::Assign(TPersistent* Source) {
  const auto* source = dynamic_cast<const TGridProgressAppearance*>(Source);
  if (source == nullptr) return;
  FSettings = source->FSettings;
  if (OnChange) OnChange(this);
}

double ProgressPercentage(double Value, int Min, int Max) {
  if (Max == Min) return Value >= Max ? 100.0 : 0.0;
  const double percent = (Value - Min) * 100.0 / (static_cast<double>(Max) - Min);
  return std::clamp(percent, 0.0, 100.0);
}

void TShowModified::SetColor(TColor Value) {
  FColor = Value;
  if (OnChange) OnChange(this);
}

void TShowModified::Assign(TPersistent* Source) {
  const auto* source = dynamic_cast<const TShowModified*>(Source);
  if (source == nullptr) return;
  FColor = source->FColor;
  Enabled = source->Enabled;
}
