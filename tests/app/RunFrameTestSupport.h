// A tiny analysis that exists only in the tests, built on the shared run frame: an options
// form with the iterations and seed boxes, a results form with a summary and a time memo,
// and a run whose "null model" draws one random number per iteration. The fixture launches
// it the way a menu command does and answers the modal forms.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/ProgressSims.h"
#include "app/RunFrame.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

class TToyOpts : public TForm {
 public:
  explicit TToyOpts(TComponent* AOwner) : TForm(AOwner) {
    SetName("ToyOpts");
    IterationsEdit = New<TEdit>(this);
    IterationsEdit->SetParent(this);
    IterationsEdit->SetText("5");
    RandomSeedEdit = New<TEdit>(this);
    RandomSeedEdit->SetParent(this);
    RandomSeedEdit->SetText("17");
  }
  TEdit* IterationsEdit;
  TEdit* RandomSeedEdit;
  void RunClick() {
    Zorvan->RunSim = true;
    Close();
  }
  void CancelClick() {
    Zorvan->RunSim = false;
    Close();
  }
};

class TToyResults : public TForm {
 public:
  explicit TToyResults(TComponent* AOwner) : TForm(AOwner) {
    SetName("ToyResults");
    SummaryMemo = New<TMemo>(this);
    SummaryMemo->SetParent(this);
    TimeMemo = New<TMemo>(this);
    TimeMemo->SetParent(this);
  }
  TMemo* SummaryMemo;
  TMemo* TimeMemo;
};

class TToyRun : public TAnalysisRun {
 public:
  TToyOpts* Opts = nullptr;
  TToyResults* Results = nullptr;
  std::vector<Integer> Values;
  double Observed = 0;
  Integer FailAtIteration = 0;                  // the null model fails there (0: never)
  std::function<void(Integer)> OnIteration;     // runs inside every iteration
  Integer Seed() const { return SeedInUse; }

 protected:
  bool Validate() override {
    if (Zorvan->MainGrid->RowCount() < 3) {
      ShowMessage("Too few rows.");
      return false;
    }
    return true;
  }
  String SeedText() override { return Opts->RandomSeedEdit->Text(); }
  String ModelName() override { return "Toy"; }
  TMemo* TimeMemo() override { return Results->TimeMemo; }
  void ComputeObserved() override {
    Values.clear();
    Observed = 0;
    TRivErodovOzar* g = Zorvan->MainGrid;
    for (int r = 1; r < g->RowCount(); ++r)
      for (int c = 1; c < g->ColCount(); ++c) Observed += LeadingReal(g->Cells(c, r));
  }
  bool SimulateIteration(Integer Iteration) override {
    if (OnIteration) OnIteration(Iteration);
    if (Iteration == FailAtIteration) {
      ShowMessage("Null model failed.");
      return false;
    }
    Values.push_back(Random(100));
    return true;
  }
  void ComputeStatistics() override {
    Results->SummaryMemo->Lines()->Clear();
    Results->SummaryMemo->Lines()->Add("Toy summary");
    Results->SummaryMemo->Lines()->Add("Random seed = " + IntToStr(SeedInUse));
    Results->SummaryMemo->Lines()->Add("Values = " + IntToStr(static_cast<Integer>(Values.size())));
  }
  String SesText() override { return "1.50000"; }
  String P1Text() override { return "0.25000"; }
  String P2Text() override { return "0.75000"; }
  TForm* ResultsForm() override { return Results; }
  TMemo* SummaryMemo() override { return Results->SummaryMemo; }
};

// The program started, the toy analysis ready to launch; a scratch folder for files.
class RunFrameTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Application->CreateForm(opts_);
    Application->CreateForm(results_);
    run_.Opts = opts_;
    run_.Results = results_;
    Application->Hooks.ModalForm = [this](TCustomForm* form) { AnswerModal(form); };
  }
  void TearDown() override {
    SetClockSource(nullptr);
    SetRandomizeCounter(nullptr);
    ProgramTest::TearDown();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  // Runs the launcher as a menu command does.
  void Launch(bool checksDiversityLimits = false) {
    TZorvan::TAnalysisLauncher launcher;
    launcher.OptionsForm = opts_;
    launcher.IterationsEdit = opts_->IterationsEdit;
    launcher.Run = [this] { run_.Execute(); };
    launcher.ChecksDiversityLimits = checksDiversityLimits;
    Zorvan->LaunchAnalysis(launcher);
  }

  void AnswerModal(TCustomForm* form) {
    if (form == opts_) {
      if (cancelOptions_)
        opts_->CancelClick();
      else
        opts_->RunClick();
    } else if (form == results_) {
      ++resultsShown_;
    } else {
      ADD_FAILURE() << "unexpected modal form " << form->Name();
    }
  }

  // A fresh scratch folder that becomes the working directory (the fixture restores it).
  std::filesystem::path EnterScratchFolder() {
    folder_ = std::filesystem::temp_directory_path() /
              ("zorvan-runframe-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    return folder_;
  }

  static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::vector<String> MenuStates() const {
    std::vector<String> states;
    for (TMenuItem* item : {Zorvan->New1, Zorvan->Open1, Zorvan->Close1, Zorvan->Save1, Zorvan->About2,
                            Zorvan->Edit1, Zorvan->Analyze1, Zorvan->Batch1, Zorvan->ChangeDirectory1})
      states.push_back(StripHotkey(item->Caption()) + (item->Enabled() ? " on" : " off"));
    return states;
  }

  TToyOpts* opts_ = nullptr;
  TToyResults* results_ = nullptr;
  TToyRun run_;
  bool cancelOptions_ = false;
  int resultsShown_ = 0;
  std::filesystem::path folder_;
};
