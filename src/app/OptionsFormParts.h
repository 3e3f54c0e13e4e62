// The parts every analysis's options form shares: the "General" page (the data file the run
// will read, the number of iterations, the random seed, "&Save simulated matrices") and the
// menu bar "&Run", "&Cancel", "&Help", "Reset &Defaults".
#pragma once

#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

struct TGeneralPage {
  TEdit* FileEdit;
  TLabel* FileLabel;
  TMaskEdit* IterationsEdit;
  TLabel* IterationsLabel;
  TEdit* RandomSeedEdit;
  TLabel* RandomSeedLabel;
  TCheckBox* SaveMatrixCheckBox;
};

// What differs between the analyses: the file box's width and the iteration box's mask, start
// text and hint.
struct TGeneralPageLayout {
  int FileWidth;
  String IterationsMask;
  String Iterations;
  String IterationsHint;
};

// Makes the page's controls on Page, owned by Owner, with their design names and places.
TGeneralPage BuildGeneralPage(TComponent* Owner, TWinControl* Page, const TGeneralPageLayout& Layout);

// A caption for a field: placed left of the field's row, its access key focusing the field.
TLabel* NewFieldLabel(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption,
                      TWinControl* Focus, int Top);

struct TOptionsMenu {
  TMainMenu* MainMenu1;
  TMenuItem* Run1;
  TMenuItem* Cancel1;
  TMenuItem* Help1;
  TMenuItem* ResetDefaults1;
};

// Gives Form the options forms' menu bar with the four commands.
TOptionsMenu BuildOptionsMenu(TCustomForm* Form, TNotifyEvent Run, TNotifyEvent Cancel, TNotifyEvent Help,
                              TNotifyEvent ResetDefaults, const String& ResetCaption = "Reset &Defaults");
