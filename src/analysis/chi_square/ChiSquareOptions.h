// The chi-square options form: the randomisation, the expected counts (computed from the data
// grid's totals, typed, or opened from a file) and the general page. It keeps the data's row,
// column and grand totals of its last calculation, which the randomisations distribute, so
// typing or opening expected counts never changes what is randomised.
#pragma once

#include <vector>

#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Mask.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TChiSquareOpts : public TForm {
 public:
  explicit TChiSquareOpts(TComponent* AOwner);

  TPageControl* PageControl1;
  TTabSheet* PreferencesSheet;  // "Preferences"
  TTabSheet* GeneralSheet;      // "General"
  TRadioGroup* RandomizationGroup;  // "Si&mulation options"
  TGroupBox* ExpectedGroup;         // "Expected matrix"
  TStringGrid* ExpectedGrid;

  TEdit* FileEdit;
  TMaskEdit* IterationsEdit;
  TEdit* RandomSeedEdit;
  TCheckBox* SaveMatrixCheckBox;
  TLabel* FileLabel;
  TLabel* IterationsLabel;
  TLabel* RandomSeedLabel;

  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* Expectedmatrix1;          // "Expected &matrix"
  TMenuItem* Calculateexpectedmatrix2; // "Calculate &expected matrix"
  TMenuItem* Open1;                    // "&Open expected matrix"
  TMenuItem* SaveAs1;                  // "Save &As"
  TMenuItem* Run1;
  TMenuItem* Cancel1;
  TMenuItem* Help1;
  TMenuItem* resetDefaults1;

  bool FirstTime = true;
  // Totals of the data grid's rows and columns at the last calculation.
  std::vector<double> RowTotal, ColTotal;
  double MatrixTotal = 0;
  std::vector<Integer> IntegerRowTotal, IntegerColTotal;
  Integer IntegerMatrixTotal = 0;

  // Expected counts and totals from the data grid. False when a data cell is not an integer
  // ("Cell value is not a valid integer."), when a total does not fit a 32-bit integer ("Table
  // totals too large."), or when the grand total is 0: there are no expected counts to give,
  // so the grid's data cells keep what they held (its titles and the row and column totals are
  // the data's; IntegerMatrixTotal keeps its last positive value).
  bool CalculateExpectedMatrix();
  void ResetDefaults();

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Run1Click(TObject* Sender);
  void Cancel1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void resetDefaults1Click(TObject* Sender);
  void Calculateexpectedmatrix2Click(TObject* Sender);
  void Open1Click(TObject* Sender);
  void SaveAs1Click(TObject* Sender);

  // Reads an expected-matrix file into ExpectedGrid from cell (0, 0) on; the grid keeps its
  // size (cells beyond it are not read, cells the file does not reach keep their texts).
  void OpenExpectedFile(const String& F_Name);
};

extern TChiSquareOpts* ChiSquareOpts;
