#include "analysis/presence_absence/CoOccurrenceUserWeights.h"

#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kUserDefinedItem = 3;

// One grid's check: its size against the data grid's count, then its weights in row order.
bool CheckWeightsGrid(const TStringGrid* Grid, int DataCount, const char* CountMessage) {
  if (Grid->RowCount() != DataCount) {
    ShowMessage(CountMessage);
    return false;
  }
  return CheckWeightsPositive(Grid, "\n");
}

}  // namespace

bool CheckUserWeights() {
  bool ok = true;
  if (CoOccurrenceOpts->ColumnGroup->ItemIndex() == kUserDefinedItem)
    ok = CheckWeightsGrid(CoOccurrenceUserDefined->SitesWeightsGrid, Zorvan->MainGrid->ColCount(),
                          kSitesWeightsCountError) && ok;
  if (CoOccurrenceOpts->RowGroup->ItemIndex() == kUserDefinedItem)
    ok = CheckWeightsGrid(CoOccurrenceUserDefined->SpeciesWeightsGrid, Zorvan->MainGrid->RowCount(),
                          kSpeciesWeightsCountError) && ok;
  return ok;
}

std::vector<double> WeightsFromGrid(const TStringGrid* Grid) {
  std::vector<double> weights;
  for (int r = 1; r < Grid->RowCount(); ++r) weights.push_back(LeadingReal(Grid->Cells(1, r)));
  return weights;
}
