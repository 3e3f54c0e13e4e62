// Helpers of the runs test run tests: the options form answered as a person answers it.
#pragma once

#include "analysis/runs_test/RunsTestMain.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "analysis/standard_tests/StandardRunSupport.h"
#include "classlib/Random.h"

namespace runs_test {

using namespace standard_test;

struct RunsAnswer {
  int x = 0, y = 1;
  int constraints = 0, sampling = 0, dataType = 0;
  String iterations = "3";
  String seed = "7";
  bool saveMatrices = false;
  bool cancel = false;
};

template <class Base>
class RunsFixture : public Base {
 protected:
  bool OnOtherModal(TCustomForm* form) override {
    TRunsTestOpts* o = RunsTestOpts;
    if (form == o) {
      ++runsOptionsShown;
      if (onRunsOptions) onRunsOptions();
      if (runs.cancel) {
        o->Cancel1->Click();
        return true;
      }
      o->XvariableList->SetItemIndex(runs.x);
      o->YvariableList->SetItemIndex(runs.y);
      o->SimulationGroup->SetItemIndex(runs.constraints);
      o->SamplingAlgorithmGroup->SetItemIndex(runs.sampling);
      o->DataTypeGroup->SetItemIndex(runs.dataType);
      o->IterationsEdit->SetText(runs.iterations);
      o->RandomSeedEdit->SetText(runs.seed);
      o->SaveMatrixCheckBox->SetChecked(runs.saveMatrices);
      o->Run1->Click();
      return true;
    }
    if (form == RunsTestShell) {
      ++this->resultsShown;
      if (this->onResults) this->onResults();
      RunsTestShell->Close1->Click();
      return true;
    }
    return false;
  }

  RunsAnswer runs;
  int runsOptionsShown = 0;
  std::function<void()> onRunsOptions;
};

}  // namespace runs_test
