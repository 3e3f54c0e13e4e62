#include "analysis/common/ZorvanHelpersGrid.h"
#include "app/ChangeDirectoryDialog.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

namespace {

// Runs the analysis once for every name of the batch list, from the first line on, until an
// empty line, the end of the list, a file that cannot be used or a run that stops.
void RunBatchLoop(TZorvan& Z, const TZorvan::TAnalysisLauncher& Launcher) {
  while (Z.Flag && !Z.InterruptFlag) {
    const String name = Z.Memo1->Lines()->Strings(Z.BatchFileCount);
    Z.FileName = name.empty() ? String() : ExpandFileName(name);
    if (Z.FileName.empty()) {
      Z.Flag = false;
      break;
    }
    Z.OpenBatchFile();
    ++Z.BatchFileCount;
    if (Z.Flag && Launcher.ChecksDiversityLimits && !CheckDiversityLimits()) {
      ShowMessage("File error: " + Z.FileName);
      Z.Flag = false;
    }
    if (Z.Flag) Launcher.Run();
  }
}

// A batch file's text split as the batch reader reads it: every space or comma ends a cell,
// every line break (CR LF, LF or a lone CR) ends a cell and a line. The last entry holds
// what follows the last line break, which is not a line of the matrix.
struct TBatchText {
  std::vector<std::vector<String>> Lines{1};
  int Columns = 1;        // separators of the first line + 1
  bool HasLineBreak = false;
};

TBatchText SplitBatchText(const String& Text) {
  TBatchText result;
  String token;
  const size_t n = Text.size();
  for (size_t k = 0; k < n; ++k) {
    const char ch = Text[k];
    if (ch == '\r' || ch == '\n') {
      result.Lines.back().push_back(std::move(token));
      token.clear();
      if (ch == '\r' && k + 1 < n && Text[k + 1] == '\n') ++k;
      result.HasLineBreak = true;
      result.Lines.emplace_back();
    } else if (ch == ' ' || ch == ',') {
      result.Lines.back().push_back(std::move(token));
      token.clear();
      if (!result.HasLineBreak) ++result.Columns;
    } else {
      token += ch;
    }
  }
  return result;
}

}  // namespace

void TZorvan::WireBatchCommands() {
  Batch1->OnClick = [this](TObject* s) { Batch1Click(s); };
  ChangeDirectory1->OnClick = [this](TObject* s) { Changedirectory1Click(s); };
}

void TZorvan::LaunchAnalysis(const TAnalysisLauncher& Launcher) {
  if (Launcher.ClearsBatchGrid) ClearBatchGrid();
  BatchFileCount = 0;
  InterruptFlag = false;
  RunSim = false;
  Flag = false;
  if (Launcher.Particulars) Launcher.Particulars();
  Launcher.OptionsForm->ShowModal();
  if (RunSim) {
    Iterations = LeadingInt(Launcher.IterationsEdit->Text());
    Flag = true;
  }
  {
    RunFrame::TRunScope running;
    if (Flag && !BatchSwitch)
      Launcher.Run();
    else
      RunBatchLoop(*this, Launcher);
  }
  if (Launcher.BringsMainWindowToFront) BringToFront();
}

void TZorvan::EnableCommands(bool Enabled) {
  // Batch mode keeps the matrix commands off for as long as it lasts; a run ending inside it
  // must not turn them back on.
  const bool matrixCommands = Enabled && !BatchSwitch;
  for (TMenuItem* item : {New1, Open1, Close1, Save1, Edit1}) item->SetEnabled(matrixCommands);
  for (TMenuItem* item : {Analyze1, Batch1, ChangeDirectory1}) item->SetEnabled(Enabled);
  // A cell typed during a run would not be in the analysed matrix but would be in its report.
  TGridOptions options = MainGrid->Options();
  if (Enabled) {
    options.Include(goEditing);
  } else {
    MainGrid->SetEditorMode(false);
    options.Exclude(goEditing);
  }
  MainGrid->SetOptions(options);
}

void TZorvan::Batch1Click(TObject*) {
  if (!BatchSwitch) {
    BatchSwitch = true;
    Batch1->SetChecked(true);
    CurrentDir = GetCurrentDir();
    SetCaption("Zorvan Professional Batch file processing..." + CurrentDir);
    BatchGroupBox->SetVisible(true);
    Memo1->SetVisible(true);
    ChangeDirectory1->SetVisible(true);
    MainGrid->SetVisible(false);
    BatchSummaryBox->SetVisible(true);
    ClearBatchGrid();
    BatchGrid->SetVisible(true);
    for (TMenuItem* item : {New1, Open1, Close1, Save1, About2, Edit1}) item->SetEnabled(false);
    SetUpBatch();
    return;
  }
  Batch1->SetChecked(false);
  BatchFileCount = 0;
  BatchSwitch = false;
  MainGrid->SetVisible(true);
  BatchSummaryBox->SetVisible(false);
  BatchGrid->SetVisible(false);
  ClearBatchGrid();
  BatchGroupBox->SetVisible(false);
  Memo1->SetVisible(false);
  ChangeDirectory1->SetVisible(false);
  for (TMenuItem* item : {New1, Open1, RestructMatrix, Close1, Save1, About2, Edit1}) item->SetEnabled(true);
  // The last batch file's matrix gives way to a new random one.
  New1Click(this);
  SetCaption(kCaptionPrefix + ExpandFileName(FileName));
}

void TZorvan::Changedirectory1Click(TObject*) {
  ChangeDirectory->ShowModal();
  CurrentDir = GetCurrentDir();
  SetCaption("Zorvan Professional Batch processing..." + CurrentDir);
  SetUpBatch();
}

void TZorvan::SetUpBatch() {
  const String dir = GetCurrentDir();
  CurrentDir = IncludeTrailingPathDelimiter(dir) + "*.txt";
  String list;
  for (const String& name : ListFiles(dir, "*.txt")) {
    // A name with a line break in it cannot stand on one line of the list.
    if (name.find_first_of("\r\n") != String::npos) continue;
    list += name + "\r\n";
  }
  Memo1->Lines()->SetText(list);
}

void TZorvan::OpenBatchFile() {
  String text;
  bool readable = FileExists(FileName);
  if (readable) {
    try {
      text = ReadFileBytes(FileName);
    } catch (const Exception&) {
      readable = false;
    }
  }
  if (!readable) {
    ShowMessage(FileName + ": Error opening file.");
    Flag = false;
    return;
  }

  const TBatchText batch = SplitBatchText(text);
  Flag = batch.HasLineBreak;
  // Each line break adds a row; the text after the last one is not a row. The grid keeps at
  // least one row and column.
  const int rows = std::max<int>(1, static_cast<int>(batch.Lines.size()) - 1);
  const int cols = batch.Columns;
  MainGrid->SetRowCount(rows);
  MainGrid->SetColCount(cols);
  // Cells beyond the first line's width fall outside the grid; short lines leave theirs empty.
  for (int r = 0; r < rows; ++r) {
    const std::vector<String>& line = batch.Lines[static_cast<size_t>(r)];
    for (int c = 0; c < cols; ++c)
      MainGrid->SetCells(c, r, c < static_cast<int>(line.size()) ? line[static_cast<size_t>(c)] : String());
  }

  if (rows < 2 || cols < 2) {
    ShowMessage("Row and Column counts incorrect.");
    // A single row or column is no matrix to analyse.
    Flag = false;
    return;
  }
  SetCaption(kCaptionPrefix + FileName);
  LockRowColumn();
}
