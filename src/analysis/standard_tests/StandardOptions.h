// The options forms of the tests that read two columns of the data grid (regression: X and Y;
// ANOVA: labels and values): "Preferences" with a drop-down list of the grid's column titles
// for each column, "General" with the data file, iterations, seed and "&Save simulated
// matrices", and the options menu. The two choices are remembered from one showing to the next.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TColumnPairOpts : public TForm {
 public:
  TPageControl* PageControl1;
  TTabSheet* PreferencesSheet;  // "Preferences"
  TTabSheet* GeneralSheet;      // "General"
  TComboBox* FirstList;
  TLabel* FirstLabel;
  TComboBox* SecondList;
  TLabel* SecondLabel;

  TEdit* FileEdit;
  TMaskEdit* IterationsEdit;
  TEdit* RandomSeedEdit;
  TCheckBox* SaveMatrixCheckBox;
  TLabel* FileLabel;
  TLabel* IterationsLabel;
  TLabel* RandomSeedLabel;

  TMainMenu* MainMenu1;
  TMenuItem* Run1;            // "&Run"
  TMenuItem* Cancel1;         // "&Cancel"
  TMenuItem* Help1;           // "&Help"
  TMenuItem* ResetDefaults1;  // "Reset &Defaults"

  // The two lists' item indexes, stored whenever the form closes.
  Integer CurrentFirst = 0;
  Integer CurrentSecond = 1;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Run1Click(TObject* Sender);
  void Cancel1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void ResetDefaults1Click(TObject* Sender);
  // Seed "0", box off, "1000 " iterations, the first two columns.
  void ResetDefaults();

  // Fills both lists with the data grid's column titles (columns 1 to the last) and selects
  // items 0 and 1; false when there are fewer than two titles.
  bool ColumnTitlesToList();
  // The titles of the remembered items ("" when a remembered item is not in the list).
  String FirstTitle() const;
  String SecondTitle() const;

 protected:
  struct TLayout {
    const char* Name;
    const char* Caption;
    const char* FirstName;
    const char* FirstCaption;
    const char* SecondName;
    const char* SecondCaption;
  };
  TColumnPairOpts(TComponent* AOwner, const TLayout& Layout);
};
