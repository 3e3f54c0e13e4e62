// The main window: the data grid, the batch-mode panels, the file dialogs and the run state
// every analysis reads and writes. It is the run context of the whole program.
#pragma once

#include <functional>
#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "grid/model/RivErodovOzar.h"
#include "xls/vavRivGridExcel.h"

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
  TRivGridExcelIO* RivGridExcelIO1;

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
  TMenuItem* E1;
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

  // --- Result writers and simulation files (ZorvanWriters.cpp) ---
  // Every row and column of the grid, titles included; cells joined by one space (comma),
  // CR LF after every row. Failures show "Error writing file." and go no further.
  void SaveGridToFile(TStringGrid* Grid, const String& F_Name);
  void SaveGridToFileComma(TStringGrid* Grid, const String& F_Name);
  void SaveSimulation(Integer Sim, Integer Subset, TStringGrid* Grid);
  void SaveSimulation_2(Integer Sim, Integer Subset, const Matrix& F_Mat);
  void SaveSimulation_4(Integer Sim, Integer Subset, const Matrix& F_Mat);
  void SaveSimulation_3(Integer Sim, Integer Subset, const Real_Matrix& F_Mat);
  void SaveNumberLineToFile(Integer Sim, Integer N, const std::vector<double>& Values);
  void SaveTwoColumnsToFile(Integer Sim, Integer N, const std::vector<double>& X,
                            const std::vector<double>& Y, const String& Label1, const String& Label2);
  void SaveTwoColumnsToFile_Real_Integer(Integer Sim, Integer N, const std::vector<double>& X,
                                         const std::vector<int32_t>& Y, const String& Label1,
                                         const String& Label2);
  void SaveTwoColumnsToFile_Labels(Integer Sim, Integer N, const TStrings* Groups,
                                   const std::vector<double>& Values, const String& Label1,
                                   const String& Label2);

  // --- Batch summary (ZorvanBatchSummary.cpp) ---
  // Writes the batch grid's header row.
  void BuildBatchSummaryFirstRow();
  // Appends one row: the name part of FName and the three statistics texts.
  void BuildBatchSummaryFile(const String& FName, const String& Ses, const String& fP1, const String& fP2);
  // Empties the batch grid to its header row.
  void ClearBatchGrid();
  // Saves M as "Summary" + name part of FileName and the batch grid as "BatchSummary.txt" in
  // the working directory; false (after its message) when the summary cannot be written.
  bool SaveBatchSummary(TMemo* M);

  // --- Analysis launchers and batch mode (ZorvanBatch.cpp) ---
  struct TAnalysisLauncher {
    TForm* OptionsForm = nullptr;              // shown modally
    TCustomEdit* IterationsEdit = nullptr;     // read after "&Run"
    std::function<void()> Particulars;         // the analysis's own settings before the form shows
    std::function<void()> Run;                 // the analysis's Run
    bool ClearsBatchGrid = true;               // species diversity keeps the batch grid
    bool ChecksDiversityLimits = false;        // species diversity's per-file check
    bool BringsMainWindowToFront = true;       // co-occurrence and range overlap do not
    std::function<bool()> Prepare;             // before the form shows; false: nothing runs
    std::function<bool()> CheckBatchFile;      // after each batch file is read; false ends the batch
  };
  // The common launcher: reset, options form, then one run or the batch loop over Memo1.
  void LaunchAnalysis(const TAnalysisLauncher& Launcher);
  void Batch1Click(TObject* Sender);
  void Changedirectory1Click(TObject* Sender);
  void SetUpBatch();
  void OpenBatchFile();
  // Disables (false) or restores (true) the commands that change the matrix or start another
  // analysis; a run in progress holds them disabled.
  void EnableCommands(bool Enabled);

  // --- Matrix files and editing commands (ZorvanFileCommands.cpp) ---
  void Spacedelimitedtext1Click(TObject* Sender);
  void Commadelimitedtxt1Click(TObject* Sender);
  void Spacedelimitedtxt1Click(TObject* Sender);
  void Commadelimitedtxt2Click(TObject* Sender);
  void Close1Click(TObject* Sender);
  void About2Click(TObject* Sender);
  void RestructMatrixClick(TObject* Sender);
  void Transformmatrix1Click(TObject* Sender);
  void N011Click(TObject* Sender);
  void N01Click(TObject* Sender);
  void N1X1001Click(TObject* Sender);
  // Transposes any plain string grid in place, titles included.
  void TransformMatrix(TStringGrid* Grid);
  void RestructureGrid(Integer Old_Cols, Integer Old_Rows, Integer New_Cols, Integer New_Rows);

  // --- Workbook commands (ZorvanExcelCommands.cpp) ---
  void eXcelxls1Click(TObject* Sender);
  void Excelxls2Click(TObject* Sender);
  void E1Click(TObject* Sender);

  // --- Analysis launchers of each analysis (one file per analysis) ---
  void CoOccurrence1Click(TObject* Sender);
  void N5RangeOverlap1Click(TObject* Sender);
  void N7GuildStructure1Click(TObject* Sender);
  void SpeciesOverlap1Click(TObject* Sender);
  void regression1Click(TObject* Sender);
  void Anova1Click(TObject* Sender);
  void NicheOverlap1Click(TObject* Sender);
  void SizeOverlap1Click(TObject* Sender);
  void SpeciesDiversity1Click(TObject* Sender);
  void Macroecology1Click(TObject* Sender);
  void ChiSquare1Click(TObject* Sender);
  void RunsTest1Click(TObject* Sender);

 private:
  void BuildMenu();
  void BuildLayout();
  // Each command family connects its own menu items.
  void WireBatchCommands();
  void WireFileCommands();
  void WireExcelCommands();
  void WireAnalysisLaunchers();
};

extern TZorvan* Zorvan;

// The name of a matrix that has no file of its own.
inline constexpr const char* kUntitled = "Untitled.txt";
// The main window's caption before its file name.
inline constexpr const char* kCaptionPrefix = "Zorvan Professional ";

// The help file opened by RunHelp.
inline constexpr const char* kHelpFileName = "zvphelp.chm";
