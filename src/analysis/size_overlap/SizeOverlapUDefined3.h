// The histogram editor: the source pool's species with their sizes and colonization weights,
// from which the "Histogram" distribution draws. It starts from the analysed column of the data
// grid, keeps its rows while the data file stays the same, and reads and writes histogram files
// (every cell followed by one space, CR LF after every line).
#pragma once

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

class TSizeOverLapUD3 : public TForm {
 public:
  explicit TSizeOverLapUD3(TComponent* AOwner);

  TPanel* Panel1;
  TLabel* PoolLabel;                  // "Number of species in source pool:"
  TLabel* SpeciesPoolLabel;           // the pool size
  TButton* Button1;                   // "&Change "
  TStringGrid* SpeciesHistogramGrid;  // "Species" | "Size" | "Colonization Weight"
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;
  TMenuItem* File1;           // "&File"
  TMenuItem* Open1;           // "&Open histogram"
  TMenuItem* Save1;           // "&Save histogram"
  TMenuItem* Help1;           // "&Help"
  TMenuItem* Usehistogram1;   // "&Use histogram"
  TMenuItem* ResetDefaults1;  // "Reset &Defaults"

  bool FirstTime = true;
  String CurrentFile;

  // One species row per data grid row: its title, its cell of the analysed column, weight "1.0".
  void SetDefaults();
  // The grid's species rows follow the pool size; rows kept keep their cells.
  void SetNew();
  // Reads a histogram file into the grid, then checks its rows against the data grid.
  void OpenHistogramFile(const String& F_Name);
  // Fewer rows than the data grid: back to the defaults; otherwise the pool is the grid's rows.
  void Testfile();
  void SaveHistogramFile(const String& F_Name);

  void FormShow(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Open1Click(TObject* Sender);
  void Save1Click(TObject* Sender);
  void ResetDefaults1Click(TObject* Sender);
  void Usehistogram1Click(TObject* Sender);

 private:
  void SetRows(int Rows);
};

extern TSizeOverLapUD3* SizeOverLapUD3;
