#include <algorithm>
#include <set>

#include "analysis/common/ZorvanHelpersGrid.h"
#include "app/ChangeDirectoryDialog.h"
#include "app/MatrixCellLimit.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"
#include "grid/exchange/GridCSV.h"

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
    if (Z.Flag && Launcher.CheckBatchFile && !Launcher.CheckBatchFile()) Z.Flag = false;
    if (Z.Flag) Launcher.Run();
  }
}

// A batch file's text split as the batch reader reads it: every space or comma ends a cell,
// every line break (CR LF, LF or a lone CR) ends a cell and a line. What follows the last line
// break is not a line of the matrix, unless the text has no line break at all. Cells beyond
// the first line's width are not kept: they fall outside the grid.
struct TBatchText {
  TStringGridRows Rows;   // a detached cell store, taken whole by the grid
  int Columns = 1;        // separators of the first line + 1
  bool HasLineBreak = false;
  bool TooLarge = false;  // more data cells than an analysis takes; reading stopped there
};

TBatchText SplitBatchText(const String& Text) {
  TBatchText result;
  const size_t n = Text.size();
  const size_t firstBreak = std::min(Text.find_first_of("\r\n"), n);
  for (size_t k = 0; k < firstBreak; ++k)
    if (Text[k] == ' ' || Text[k] == ',') ++result.Columns;
  // Rows count at their line breaks: the first line is the titles, the rest data rows.
  auto beyondLimit = [&] {
    const int64_t breaks = static_cast<int64_t>(result.Rows.size()) - 1;
    const int64_t rows = std::max<int64_t>(breaks - 1, 0);
    const int64_t cols = result.Columns - 1;
    return cols > kCellLimit || rows > kCellLimit || rows * cols > kCellLimit;
  };
  // Every row is allocated once at the width it can hold; the limit bounds rows x width.
  result.Rows.reserve(std::min<size_t>(GridCSV::CountLines(Text) + 1, kCellLimit + 3));
  auto newRow = [&] {
    std::vector<TCellText>& texts = result.Rows.emplace_back().Texts;
    if (beyondLimit()) return false;
    texts.reserve(static_cast<size_t>(result.Columns));
    return true;
  };
  result.TooLarge = !newRow();
  String token;
  auto endCell = [&] {
    std::vector<TCellText>& line = result.Rows.back().Texts;
    if (static_cast<int>(line.size()) < result.Columns) line.emplace_back(token);
    token.clear();
  };
  for (size_t k = 0; k < n && !result.TooLarge; ++k) {
    const char ch = Text[k];
    if (ch == '\r' || ch == '\n') {
      endCell();
      if (ch == '\r' && k + 1 < n && Text[k + 1] == '\n') ++k;
      result.HasLineBreak = true;
      result.TooLarge = !newRow();
    } else if (ch == ' ' || ch == ',') {
      endCell();
    } else if (static_cast<int>(result.Rows.back().Texts.size()) < result.Columns) {
      // Text of cells that are not kept is not gathered either.
      token += ch;
    }
  }
  if (result.HasLineBreak) result.Rows.pop_back();
  return result;
}

// Whether Text is an optional minus sign and then one or more digits.
bool IsInteger(const String& Text) {
  size_t i = !Text.empty() && Text[0] == '-' ? 1 : 0;
  if (i == Text.size()) return false;
  for (; i < Text.size(); ++i)
    if (Text[i] < '0' || Text[i] > '9') return false;
  return true;
}

// "Sim" + k + ".txt" or "Sim" + k + "_" + s + ".txt": a simulated data set a run saved.
bool IsSimFileName(const String& Name) {
  const String prefix = "Sim";
  const String ext = ".txt";
  if (Name.size() <= prefix.size() + ext.size() || Name.compare(0, prefix.size(), prefix) != 0 ||
      Name.compare(Name.size() - ext.size(), ext.size(), ext) != 0)
    return false;
  const String numbers = Name.substr(prefix.size(), Name.size() - prefix.size() - ext.size());
  const size_t bar = numbers.find('_');
  if (bar == String::npos) return IsInteger(numbers);
  return IsInteger(numbers.substr(0, bar)) && IsInteger(numbers.substr(bar + 1));
}

// The files a run writes into the folder it reads: the batch summary, one "Summary" + name
// (and for species diversity one "DiversityCurve " + name) per data file and the "Sim" files.
// They are results, not matrices to analyse.
std::vector<String> DataFileNames(const std::vector<String>& Names) {
  const std::set<String> all(Names.begin(), Names.end());
  auto resultOfDataFile = [&all](const String& name, const String& prefix) {
    return name.compare(0, prefix.size(), prefix) == 0 && all.count(name.substr(prefix.size())) != 0;
  };
  std::vector<String> data;
  for (const String& name : Names) {
    if (name == "BatchSummary.txt" || IsSimFileName(name)) continue;
    if (resultOfDataFile(name, "Summary") || resultOfDataFile(name, "DiversityCurve ")) continue;
    data.push_back(name);
  }
  return data;
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
  if (Launcher.Prepare && !Launcher.Prepare()) {
    Flag = false;
    return;
  }
  Flag = false;
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
  for (const String& name : DataFileNames(ListFiles(dir, "*.txt"))) {
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
  TBatchText batch;
  if (readable) {
    batch = SplitBatchText(text);
    String().swap(text);
    readable = !batch.TooLarge;
  }
  if (!readable) {
    ShowMessage(FileName + ": Error opening file.");
    Flag = false;
    return;
  }

  Flag = batch.HasLineBreak;
  // Each line break adds a row; the text after the last one is not a row. The grid keeps at
  // least one row and column, and the limit bounds rows x columns.
  const int rows = std::max<int>(1, static_cast<int>(batch.Rows.size()));
  const int cols = batch.Columns;
  // No cell of the previous file stays behind the new counts, where an analysis reading a
  // remembered column would find it; a short line's missing cells read empty.
  MainGrid->Clear();
  MainGrid->SetRowCount(rows);
  MainGrid->SetColCount(cols);
  MainGrid->TakeRows(std::move(batch.Rows));

  if (rows < 2 || cols < 2) {
    ShowMessage("Row and Column counts incorrect.");
    // A single row or column is no matrix to analyse.
    Flag = false;
    return;
  }
  SetCaption(kCaptionPrefix + FileName);
  LockRowColumn();
}
