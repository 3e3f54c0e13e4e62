// The options form of the co-occurrence and range-overlap analyses. The run and the null
// models read its controls after it closes; its selections last while the program runs.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TCoOccurrenceOpts : public TForm {
 public:
  explicit TCoOccurrenceOpts(TComponent* AOwner);

  TPageControl* PageControl1;
  TTabSheet* PreferencesSheet;  // "Preferences"
  TTabSheet* GeneralSheet;      // "General"

  TGroupBox* IndexGroup;        // "Co-occurrence &Index"
  TComboBox* IndexList;
  TGroupBox* RangeGroup;        // "Range &Overlap Index"
  TComboBox* RangeList;
  TRadioGroup* RowGroup;        // "Ro&w Constraints"
  TRadioGroup* ColumnGroup;     // "Co&Lumn Constraints"
  TButton* DefineButtonRows;    // "Edit"
  TButton* DefineButtonCols;    // "Edit"
  TRadioGroup* DegenerateGroup; // "Degenerate &Matrices"
  TRadioGroup* PatternGroup;    // "&Empty Sites"
  TRadioGroup* FixedFixedGroup; // "Fixed-Fixed Randomization Algorithm"

  TEdit* FileEdit;
  TMaskEdit* IterationsEdit;
  TEdit* RandomSeedEdit;
  TCheckBox* SaveMatrixCheckBox;
  TLabel* FileLabel;            // "Data file:"
  TLabel* IterationsLabel;      // "Number of iterations:"
  TLabel* RandomSeedLabel;      // "Random number seed:"

  TMainMenu* MainMenu1;
  TMenuItem* Run1;              // "&Run"
  TMenuItem* Cancel1;           // "&Cancel"
  TMenuItem* Help1;             // "&Help"
  TMenuItem* ResetDefaults1;    // "Reset &Defaults"

  Integer CoOccurrenceIndex = 0;
  Integer RangeIndex = 0;
  Integer DefineWeights = 0;    // 0 species weights, 1 site weights

  void ResetDefaults();

  // Events and control rules.
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void RowGroupClick(TObject* Sender);
  void ColumnGroupClick(TObject* Sender);
  void DefineButtonRowsClick(TObject* Sender);
  void DefineButtonColsClick(TObject* Sender);
  void DegenerateGroupClick(TObject* Sender);
  void IndexListChange(TObject* Sender);
  void FixedFixedGroupClick(TObject* Sender);
  void Run1Click(TObject* Sender);
  void Cancel1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void ResetDefaults1Click(TObject* Sender);

 private:
  void BuildPreferences();
  void BuildGeneral();
  void BuildMenu();
  // Whether the form serves range overlap (the main window's RangeCoOccurrence is 1).
  static bool IsRangeOverlap();
  // Empty Sites := "Include" and hidden.
  void IncludeEmptySitesHidden();
};

extern TCoOccurrenceOpts* CoOccurrenceOpts;
