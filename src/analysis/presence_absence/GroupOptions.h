// What the guild-structure and species-overlap options forms share: the "General" tab (data
// file, iterations, seed, "&Save simulated matrices"), the index list with its remembered
// selection, and the menu ("&Run", "&Cancel", "&Help", "Reset &Defaults"). Each analysis adds
// its own "Preferences" controls and defaults.
#pragma once

#include <initializer_list>

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TGroupOptions : public TForm {
 public:
  TPageControl* PageControl1;
  TTabSheet* PreferencesSheet;  // "Preferences"
  TTabSheet* GeneralSheet;      // "General"

  TGroupBox* IndexGroup;
  TComboBox* IndexList;

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

  // The index list's selection, remembered from one showing to the next.
  Integer CurrentIndex = 0;

  // Each analysis's design defaults.
  virtual void ResetDefaults() = 0;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Run1Click(TObject* Sender);
  void Cancel1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void ResetDefaults1Click(TObject* Sender);

 protected:
  struct TLayout {
    const char* Name;          // form name
    const char* Caption;       // window title
    const char* IndexCaption;  // the index list's group box
    std::initializer_list<const char*> Indices;
    const char* IterationsMask;
    const char* IterationsHint;
  };
  TGroupOptions(TComponent* AOwner, const TLayout& Layout);

  // The controls every form resets: seed "0", box off, "1000 " iterations, first index.
  void ResetGeneral();

  // A radio group on the "Preferences" page with its design selection (no rule runs).
  TRadioGroup* NewRadioGroup(const String& Name, const String& Caption, std::initializer_list<const char*> Items,
                             int ItemIndex, int Left, int Top, int Width, int Height);

 private:
  void BuildGeneral(const TLayout& Layout);
  void BuildMenu();
};
