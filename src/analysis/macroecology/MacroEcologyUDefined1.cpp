#include "analysis/macroecology/MacroEcologyUDefined1.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Dialogs.h"

TMacroEcologyUD1* MacroEcologyUD1 = nullptr;

TMacroEcologyUD1::TMacroEcologyUD1(TComponent* AOwner)
    : TMacroEcologyDialog(AOwner, {"MacroEcologyUD1",
                                   "Zorvan Professional:  User-defined end points",
                                   {"MinimumXEdit", "MaximumXEdit", "MinimumYEdit", "MaximumYEdit"},
                                   {"Minimum X:", "Maximum X:", "Minimum Y:", "Maximum Y:"},
                                   {"0", "1", "0", "1"},
                                   "OkButton",
                                   "&Use new end points",
                                   "Reset &Defaults"}) {}

void TMacroEcologyUD1::Init() {
  std::vector<double> x, y;
  ReadColumns(x, y);
  const Integer n = static_cast<Integer>(x.size());
  MinimumXEdit->SetText(FixedText(FindMinimum(n, x)));
  MaximumXEdit->SetText(FixedText(FindMaximum(n, x)));
  MinimumYEdit->SetText(FixedText(FindMinimum(n, y)));
  MaximumYEdit->SetText(FixedText(FindMaximum(n, y)));
}

TUniformBox TMacroEcologyUD1::EndPoints() const { return {Value(0), Value(1), Value(2), Value(3)}; }

bool TMacroEcologyUD1::TestUserInput() { return TestEndPoints(EndPoints()); }

bool TestEndPoints(const TUniformBox& Box) {
  const char* failure = nullptr;
  if (Box.MinX < 0)
    failure = "Minimum X must be >= 0.";
  else if (Box.MinY < 0)
    failure = "Minimum Y must be >= 0.";
  else if (Box.MaxX <= 0)
    failure = "Maximum X must be > 0 ";
  else if (Box.MaxY <= 0)
    failure = "Maximum Y must be > 0 ";
  else if (Box.MinX >= Box.MaxX)
    failure = "Maximum X must be > Minimum X";
  else if (Box.MaxY <= Box.MinY)
    failure = "Maximum Y must be > Minimum Y";
  if (failure == nullptr) return true;
  ShowMessage(failure);
  return false;
}
