#include "analysis/standard_tests/StandardChecks.h"

#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/Grids.h"

bool CheckStandardRun(const std::function<bool()>& Init) {
  if (Zorvan->Iterations < 1) {
    ShowMessage("Iterations must be > 0.");
    return false;
  }
  if (!Init()) {
    ShowMessage("Initialization failed.");
    return false;
  }
  return true;
}

bool CheckColumnPair(int XIndex, int YIndex) {
  if (XIndex != YIndex) return true;
  ShowMessage("XVariable cannot equal YVariable.");
  return false;
}

bool CheckDataRows(const TStringGrid* Grid) {
  if (Grid->RowCount() - 1 >= 1) return true;
  ShowMessage("At least 1 row of data required.");
  return false;
}
