// The main window: the data grid, the batch-mode panels, the file dialogs and the run state
// every analysis reads and writes. It is the run context of the whole program.
#pragma once

#include "analysis/common/MatrixTypes.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "grid/RivErodovOzar.h"

class TZorvan : public TForm {
 public:
  explicit TZorvan(TComponent* AOwner);

  // Components.
  TRivErodovOzar* MainGrid;
  TGroupBox* BatchGroupBox;
  TMemo* Memo1;
  TGroupBox* BatchSummaryBox;
  TStringGrid* BatchGrid;
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TMainMenu* MainMenu1;

  // Menu items, by menu.
  TMenuItem* File1;
  TMenuItem* New1;
  TMenuItem* Open1;
  TMenuItem* Spacedelimitedtext1;
  TMenuItem* Commadelimitedtxt1;
  TMenuItem* Excelxls1;
  TMenuItem* Save1;
  TMenuItem* Spacedelimitedtxt1;
  TMenuItem* Commadelimitedtxt2;
  TMenuItem* Excelxls2;
  TMenuItem* Close1;
  TMenuItem* ExcelOpenOnSave1;
  TMenuItem* About2;
  TMenuItem* Batch1;
  TMenuItem* ChangeDirectory1;
  TMenuItem* Exit1;
  TMenuItem* Edit1;
  TMenuItem* LockRowTitles;
  TMenuItem* LockColumnTitles;
  TMenuItem* RestructMatrix;
  TMenuItem* Transformmatrix1;
  TMenuItem* Randomizematrix1;
  TMenuItem* N011;
  TMenuItem* N01;
  TMenuItem* N1X1001;
  TMenuItem* Analyze1;
  TMenuItem* CoOccurrence1;
  TMenuItem* GuildStructure1;
  TMenuItem* Macroecology1;
  TMenuItem* NicheOverlap1;
  TMenuItem* RangeOverlap1;
  TMenuItem* SizeOverlap1;
  TMenuItem* SpeciesOverlap1;
  TMenuItem* SpeciesDiversity1;
  TMenuItem* StandardTests1;
  TMenuItem* Anova1;
  TMenuItem* ChiSquare1;
  TMenuItem* Regression1;
  TMenuItem* RunsTest1;
  TMenuItem* Help1;
  TMenuItem* Helptopics1;
  TMenuItem* About1;

  // Run state, in declaration order.
  Integer RangeCoOccurrence = 0;
  bool Flag = false;
  bool BatchSwitch = false;
  Integer BatchFileCount = 0;
  String FileName;
  bool InterruptFlag = false;
  Integer Iterations = 1000;
  bool RunSim = false;
  String SpeciesPool;
  InfoMat info_Mat{0, 0, 0, 0};
  Integer NonZeroRows = 0;
  Integer RowError = 0;
  String HomeDir;
  String CurrentDir;

  // Commands and events.
  void FormCreate(TObject* Sender);
  void New1Click(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormShow(TObject* Sender);
  void Exit1Click(TObject* Sender);
  void LockRowTitlesClick(TObject* Sender);
  void LockColumnTitlesClick(TObject* Sender);
  void Helptopics1Click(TObject* Sender);
  void About1Click(TObject* Sender);

  // Fixes the title row and column (and sets both lock check marks).
  void LockRowColumn();
  // Opens the help file from the start-up folder.
  void RunHelp();
  // Writes the batch grid's header row.
  void BuildBatchSummaryFirstRow();

 private:
  void BuildMenu();
  void BuildLayout();
};

extern TZorvan* Zorvan;

// The help file opened by RunHelp.
inline constexpr const char* kHelpFileName = "zvphelp.chm";
