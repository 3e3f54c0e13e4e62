#include "analysis/macroecology/MacroEcologyUDefined2.h"

#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

TMacroEcologyUD2* MacroEcologyUD2 = nullptr;

TMacroEcologyUD2::TMacroEcologyUD2(TComponent* AOwner)
    : TMacroEcologyDialog(AOwner, {"MacroEcologyUD2",
                                   "Zorvan Professional: User-defined normal destribution",
                                   {"MeanXEdit", "SDXEdit", "MeanYEdit", "SDYEdit"},
                                   {"Mean X:", "Std. Deviation X:", "Mean Y:", "Std. Deviation Y:"},
                                   {"5", "1", "5", "1"},
                                   "OKButton",
                                   "&Use new weights",
                                   "reset &Defaults"}) {
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TMacroEcologyUD2::FormCreate(TObject*) {
  FirstTime = true;
  CurrentFile = Zorvan != nullptr ? Zorvan->FileName : String();
  // The options form may come later at start-up; its lists are empty until it is shown.
  current_x = MacroecologyOpts != nullptr ? MacroecologyOpts->XvariableList->ItemIndex() + 1 : 0;
  current_y = MacroecologyOpts != nullptr ? MacroecologyOpts->YvariableList->ItemIndex() + 1 : 0;
}

void TMacroEcologyUD2::Init() {
  std::vector<double> x, y;
  ReadColumns(x, y);
  double mean = 0, variance = 0;
  CalculateMeanVariance(static_cast<Integer>(x.size()), x, mean, variance);
  MeanXEdit->SetText(FixedText(mean));
  SDXEdit->SetText(FixedText(std::sqrt(variance)));
  CalculateMeanVariance(static_cast<Integer>(y.size()), y, mean, variance);
  MeanYEdit->SetText(FixedText(mean));
  SDYEdit->SetText(FixedText(std::sqrt(variance)));
}

TNormalParameters TMacroEcologyUD2::Parameters() const { return {Value(0), Value(1), Value(2), Value(3)}; }

bool TMacroEcologyUD2::TestInput() { return TestNormalParameters(Parameters()); }

bool TestNormalParameters(const TNormalParameters& Normal) {
  const char* failure = nullptr;
  if (Normal.MeanX < 0)
    failure = "Mean X must be >= 0 ";
  else if (Normal.SDX <= 0)
    failure = "Standard deviation X must be > 0 ";
  else if (Normal.MeanY < 0)
    failure = "Mean Y must be >= 0 ";
  else if (Normal.SDY <= 0)
    failure = "Standard deviation Y must be > 0 ";
  if (failure == nullptr) return true;
  ShowMessage(failure);
  return false;
}
