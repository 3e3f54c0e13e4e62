// The species-diversity options form: the sample unit (individuals of one column, or whole
// sample columns), the column analysed, the sampling levels (default or typed into the levels
// editor), the algorithm (accumulation or rarefaction curve), the index, and the "General" tab.
// The run reads the controls directly.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TSpeciesDiversityOpts : public TForm {
 public:
  explicit TSpeciesDiversityOpts(TComponent* AOwner);

  TPageControl* PageControl1;
  TTabSheet* PreferencesSheet;         // "Preferences"
  TTabSheet* GeneralSheet;             // "General"

  TRadioGroup* SpeciesGroup;           // "Sample &Unit": Individuals, Samples
  TGroupBox* ColumnToAnalyzeBox;       // "Co&Lumn to analyze"
  TComboBox* ColumnList;
  TRadioGroup* SampleLevelsGroup;      // "Sa&mple Levels" (samples only)
  TButton* DefineButton2;              // its "&Edit"
  TRadioGroup* AbundanceLevelsGroup;   // "&Abundance Levels" (individuals only)
  TButton* DefineButton;               // its "&Edit"
  TRadioGroup* RandomizationGroup;     // "Randomi&zation Algorithm"
  TGroupBox* IndexGroup;               // "Species diversity &Index"
  TComboBox* IndexList;

  TEdit* FileEdit;
  TMaskEdit* IterationsEdit;
  TEdit* RandomSeedEdit;
  TCheckBox* SaveMatrixCheckBox;
  TLabel* FileLabel;
  TLabel* IterationsLabel;
  TLabel* RandomSeedLabel;

  TMainMenu* MainMenu1;
  TMenuItem* Run1;                     // "&Run"
  TMenuItem* Cancel1;                  // "&Cancel"
  TMenuItem* Help1;                    // "&Help"
  TMenuItem* resetDefaults1;           // "reset &Defaults"

  // The column and index list positions when the form last closed.
  Integer CurrentColumn = 0;
  Integer CurrentIndex = 0;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Run1Click(TObject* Sender);
  void Cancel1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void resetDefaults1Click(TObject* Sender);
  void Resetdefaults();
  void SpeciesGroupClick(TObject* Sender);
  void AbundanceLevelsGroupClick(TObject* Sender);
  void SampleLevelsGroupClick(TObject* Sender);
  void DefineButtonClick(TObject* Sender);
  void DefineButton2Click(TObject* Sender);
  // Refills ColumnList with the main grid's column titles, columns 1 onward.
  void ColumnTitlesToList();

 private:
  TRadioGroup* NewRadioGroup(const String& Name, const String& Caption, std::initializer_list<const char*> Items,
                             int ItemIndex, int Left, int Top, int Width, int Height);
  TButton* NewEditButton(const String& Name, int Left, int Top);
  // Selects position Index of ColumnList, the first title when the list is shorter.
  void SelectColumn(Integer Index);
};

extern TSpeciesDiversityOpts* SpeciesDiversityOpts;

// The options' item positions the run reads.
inline constexpr int kUnitIndividuals = 0;
inline constexpr int kUnitSamples = 1;
inline constexpr int kLevelsDefault = 0;
inline constexpr int kLevelsUserDefined = 1;
inline constexpr int kAccumulationCurve = 0;
inline constexpr int kRarefactionCurve = 1;
