// The niche-overlap options form: niche breadth and zero states (which together choose the
// randomisation algorithm), the overlap index, whether resource states carry user weights (the
// weights editor opens when they do), and the "General" page every analysis has.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TNicheOverlapOpts : public TForm {
 public:
  explicit TNicheOverlapOpts(TComponent* AOwner);

  TPageControl* PageControl1;
  TTabSheet* PreferencesSheet;        // "Preferences"
  TTabSheet* GeneralSheet;            // "General"

  TRadioGroup* NicheBreadthGroup;     // "Retained", "Relaxed"
  TRadioGroup* ZeroStatesGroup;       // "Reshuffled", "Retained"
  TRadioGroup* IndexGroup;            // "Pianka", "Czekanowski"
  TRadioGroup* ResourceStatesGroup;   // "Equiprobable", "User-defined"
  TButton* DefineButtonCols;          // "&Edit", visible while "User-defined" is chosen

  TEdit* FileEdit;
  TMaskEdit* IterationsEdit;
  TEdit* RandomSeedEdit;
  TCheckBox* SaveMatrixCheckBox;
  TLabel* FileLabel;
  TLabel* IterationsLabel;
  TLabel* RandomSeedLabel;

  TMainMenu* MainMenu1;
  TMenuItem* Run1;
  TMenuItem* Cancel1;
  TMenuItem* Help1;
  TMenuItem* ResetDefaults1;

  void FormShow(TObject* Sender);
  void Run1Click(TObject* Sender);
  void Cancel1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void ResetDefaults1Click(TObject* Sender);
  void resetDefaults();
  void ResourceStatesGroupClick(TObject* Sender);
  void DefineButtonColsClick(TObject* Sender);

  // Item positions, named once.
  static constexpr int kBreadthRelaxed = 1;
  static constexpr int kZerosRetained = 1;
  static constexpr int kCzekanowski = 1;
  static constexpr int kUserDefined = 1;
};

extern TNicheOverlapOpts* NicheOverlapOpts;
