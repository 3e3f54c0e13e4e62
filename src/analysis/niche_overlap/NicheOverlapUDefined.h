// The niche-overlap weights editor: the availability weight of every resource state (site),
// edited in a grid, opened from and saved to a "Sites Weights" file.
#pragma once

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"

class TNicheOverlapUserDefined : public TForm {
 public:
  explicit TNicheOverlapUserDefined(TComponent* AOwner);

  TStringGrid* SitesWeightsGrid;  // "Sites" | "Weights", one row per data grid column

  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* File1;               // "&File"
  TMenuItem* Open1;               // "&Open weights"
  TMenuItem* Save1;               // "&Save weights"
  TMenuItem* Help1;               // "&Help"
  TMenuItem* ResetDefaults1;      // "Reset &Defaults"
  TMenuItem* Usenewweights1;      // "&Use new weights"

  bool FirstTime = true;
  String CurrentFile;

  // The default layout: one row per data grid column, every weight "1.0".
  void SetColumns();
  // True when every weight is a positive number; otherwise shows "Weights must be > 0 " and
  // "error row: " + row, joined by CR LF, and returns false.
  bool TestUserDefined();
  // Reads a weights file into the grid; a row count other than the data grid's column count
  // shows "Weights row count must = MainGrid col count." and restores the default layout.
  void OpenWeightsFile(const String& F_Name);
  void SaveWeightsFile(const String& F_Name);
  // The weights file: every cell followed by one blank, CR LF after every row; "Error writing
  // file." when that fails.
  void SaveGridToFile(TStringGrid* Grid, const String& F_Name);

  void FormShow(TObject* Sender);
  void Open1Click(TObject* Sender);
  void Save1Click(TObject* Sender);
  void Help1Click(TObject* Sender);
  void SetColumnsClick(TObject* Sender);
  void Usenewweights1Click(TObject* Sender);

 private:
  void FixTitles();
};

extern TNicheOverlapUserDefined* NicheOverlapUserDefined;
