// Helpers of the macroecology tests: the program started headless in a working folder of its
// own, the options form answered as a person would answer it (the constraint dialogs too),
// and the summary's blocks computed here from simulated values, independently of the run.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/macroecology/MacroEcologyUDefined1.h"
#include "analysis/macroecology/MacroEcologyUDefined2.h"
#include "analysis/macroecology/MacroecologyMain.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "analysis/standard_tests/StandardRunSupport.h"

namespace macro_test {

using namespace standard_test;

struct MacroAnswer {
  int x = 0, y = 1;
  int symmetry = 0, constraint = 0, shape = 0, boundary = 0;
  String iterations = "3";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
  // What the constraint dialog gets typed (empty: left as it is), and whether it is closed
  // with its close box instead of its button.
  std::vector<String> dialog;
  bool dialogCloseBox = false;
};

class MacroRunTest : public StandardFilesTest {
 protected:
  void SetUp() override {
    StandardFilesTest::SetUp();
    Application->Hooks.ModalForm = [this](TCustomForm* form) { OnMacroModal(form); };
  }

  void OnMacroModal(TCustomForm* form) {
    if (form == MacroecologyOpts) {
      TMacroecologyOpts* o = MacroecologyOpts;
      ++optionsShown;
      if (onOptions) onOptions();
      if (macro.cancel) return o->Cancel1->Click();
      o->XvariableList->SetItemIndex(macro.x);
      o->YvariableList->SetItemIndex(macro.y);
      o->SymmetryGroup->SetItemIndex(macro.symmetry);
      // The selected item opens no dialog again; "&Edit" does.
      const bool selected = o->ConstraintsGroup->ItemIndex() == macro.constraint;
      o->ConstraintsGroup->SetItemIndex(macro.constraint);
      if (selected && !macro.dialog.empty()) o->EditButton->Click();
      o->PatternGroup->SetItemIndex(macro.shape);
      o->BoundaryGroup->SetItemIndex(macro.boundary);
      o->IterationsEdit->SetText(macro.iterations);
      o->RandomSeedEdit->SetText(macro.seed);
      o->SaveMatrixCheckBox->SetChecked(macro.saveMatrices);
      o->Run1->Click();
    } else if (form == MacroEcologyUD1 || form == MacroEcologyUD2) {
      auto* d = static_cast<TMacroEcologyDialog*>(form);
      ++dialogsShown;
      if (onDialog) return onDialog(d);
      for (size_t i = 0; i < macro.dialog.size(); ++i) d->Edits[i]->SetText(macro.dialog[i]);
      if (!macro.dialogCloseBox) d->UseButton->Click();
    } else if (form == MacroEcology) {
      ++resultsShown;
      if (onResults) onResults();
      MacroEcology->Close1->Click();
    } else {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  MacroAnswer macro;
  int dialogsShown = 0;
  std::function<void(TMacroEcologyDialog*)> onDialog;
};

struct BlockWords {
  const char *title, *observed, *mean, *variance, *noun, *plural;
};

// A block of the summary from the simulated values, counted here.
inline Lines Block(const BlockWords& w, double observed, std::vector<double> values) {
  const double n = static_cast<double>(values.size());
  double mean = 0;
  for (double v : values) mean += v / n;
  double ss = 0;
  int less = 0, equal = 0, greater = 0;
  for (double v : values) {
    ss += (v - mean) * (v - mean);
    if (std::fabs(observed - v) <= 1e-15)
      ++equal;
    else
      (observed < v ? less : greater)++;
  }
  const double variance = n < 2 || ss / (n - 1) <= 1e-17 ? 0 : ss / (n - 1);
  const String o = w.noun, p = w.plural;
  Lines out{String(46, '_'), "", w.title,
            w.observed + StatText(observed),
            w.mean + StatText(mean),
            w.variance + StatText(variance),
            "",
            "Number of times observed " + o + " < simulated " + p + " = " + std::to_string(less),
            "Number of times observed " + o + " = simulated " + p + " = " + std::to_string(equal),
            "Number of times observed " + o + " > simulated " + p + " = " + std::to_string(greater),
            "Standardized Effect Size = " + StatText(variance > 0 ? (observed - mean) / std::sqrt(variance) : 0),
            "p(observed <= expected) = " + StatText((greater + equal) / n),
            "p(observed >= expected) = " + StatText((less + equal) / n),
            "",
            "Simulation frequencies:",
            "Histogram          # Simulations"};
  std::sort(values.begin(), values.end());
  String marker, edges, counts;
  BuildHistogram_LastIndex(static_cast<Integer>(values.size()) - 1, values, observed, marker);
  HistogramToText(edges, counts);
  TStringList e, c;
  e.SetText(edges);
  c.SetText(counts);
  for (int k = 0; k < 13; ++k) out.push_back(e.Strings(k) + "  " + c.Strings(k));
  return out;
}

inline const BlockWords kDispersionWords{"DISPERSION", "Observed dispersion = ", "Mean of simulated dispersions = ",
                                         "Variance of simulated dispersions = ", "dispersion", "dispersions"};
inline const BlockWords kSlopeWords{"REGRESSION SLOPE", "Observed slope = ", "Mean of simulated slope = ",
                                    "Variance of simulated slope = ", "slope", "slope"};
inline BlockWords PointsWords(const char* title) {
  return {title, "Observed Points within space = ", "Mean of simulated # of points = ",
          "Variance of simulated # of points = ", "# of points", "# of points"};
}
inline BlockWords SquaresWords(const char* title) {
  return {title, "Observed Sum of Squares = ", "Mean of simulated ss = ", "Variance of simulated ss = ", "ss", "ss"};
}

}  // namespace macro_test
