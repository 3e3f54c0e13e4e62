// The matrix commands of the File and Edit menus: delimited text in and out, close, the file
// report, resize, transpose and random fills. The data grid is the only store of the matrix.
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "app/MatrixCellLimit.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanRestructureMatrix.h"
#include "classlib/Dialogs.h"
#include "classlib/Random.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "xls/vavUOle2Impl.h"

namespace {


// A random title suffix: a real in [0, 1) with 7 significant digits and 7 decimals.
String RandomTitleNumber() { return FloatToStrF(RandomReal(), ffFixed, 7, 7); }

}  // namespace

void TZorvan::WireFileCommands() {
  Spacedelimitedtext1->OnClick = [this](TObject* s) { Spacedelimitedtext1Click(s); };
  Commadelimitedtxt1->OnClick = [this](TObject* s) { Commadelimitedtxt1Click(s); };
  Spacedelimitedtxt1->OnClick = [this](TObject* s) { Spacedelimitedtxt1Click(s); };
  Commadelimitedtxt2->OnClick = [this](TObject* s) { Commadelimitedtxt2Click(s); };
  Close1->OnClick = [this](TObject* s) { Close1Click(s); };
  About2->OnClick = [this](TObject* s) { About2Click(s); };
  RestructMatrix->OnClick = [this](TObject* s) { RestructMatrixClick(s); };
  Transformmatrix1->OnClick = [this](TObject* s) { Transformmatrix1Click(s); };
  N011->OnClick = [this](TObject* s) { N011Click(s); };
  N01->OnClick = [this](TObject* s) { N01Click(s); };
  N1X1001->OnClick = [this](TObject* s) { N1X1001Click(s); };
}

// ---------------------------------------------------------------------------------------------
// Open

namespace {

// Reads the fields of a delimited text file. Raises the reader's error (missing or unreadable
// file, "File is empty") before anything of the program has changed; a file with more data cells
// than an analysis takes is refused with the reason as soon as reading reaches the limit.
GridCSV::TCellTexts ReadDelimitedFile(const String& FileName, char Delimiter) {
  GridCSV::TCellTexts cells;
  if (!GridCSV::ReadCells(ReadFileBytes(FileName), Delimiter, -1, kCellLimit, cells)) {
    // Reading stopped at the line that went over: its fields so far give the size reached.
    if (cells.TooLarge && !cells.Rows.empty()) {
      const size_t cols = std::max(cells.Widest, cells.Rows.back().Texts.size());
      CheckCellLimit(FileName, static_cast<int64_t>(cells.Rows.size()), static_cast<int64_t>(cols));
    }
    throw EFOpenError("Cannot open file \"" + FileName + "\"");
  }
  if (cells.Rows.empty()) throw Exception("File is empty");
  return cells;
}

// Asks for a delimited text file and makes it the matrix. The file is read completely before
// the grid changes, so a failed read leaves the matrix, FileName and the caption as they were.
void OpenMatrixFile(TZorvan& Window, char Delimiter) {
  TOpenDialog* dialog = Window.OpenDialog1;
  dialog->Filter = kTextFilter;
  dialog->Title = "Select an ASCII file to open.";
  dialog->FileName = "";
  if (!dialog->Execute()) return;
  const String chosen = dialog->FileName;

  TRivErodovOzar* grid = Window.MainGrid;
  grid->FDelimiter = Delimiter;
  GridCSV::TCellTexts file = ReadDelimitedFile(chosen, Delimiter);

  // The grid holds exactly the file's matrix: as many rows as lines, as many columns as the
  // widest line, so no column of an earlier matrix stays behind.
  const int rows = static_cast<int>(file.Rows.size());
  const int cols = std::max(1, static_cast<int>(file.Widest));
  if (rows < 2 || cols < 2) {
    ShowMessage("Row and Column counts incorrect.");
    Window.New1Click(&Window);
    return;
  }
  grid->Clear();
  grid->SetRowCount(rows);
  grid->SetColCount(cols);
  // The rows read become the grid's cells as they are: no cell is held twice.
  grid->TakeRows(std::move(file.Rows));

  Window.FileName = chosen;
  Window.SetCaption("Zorvan Professional: " + ExpandFileName(chosen));
  Window.LockRowColumn();
}

}  // namespace

void TZorvan::Spacedelimitedtext1Click(TObject*) { OpenMatrixFile(*this, ' '); }

void TZorvan::Commadelimitedtxt1Click(TObject*) { OpenMatrixFile(*this, ','); }

// ---------------------------------------------------------------------------------------------
// Save

namespace {

// Asks for the name to save under; true with the name in FileName when confirmed.
bool AskSaveName(TSaveDialog* Dialog, String& FileName) {
  Dialog->Title = "Select a file name.";
  Dialog->Filter = kTextFilter;
  Dialog->FilterIndex = 1;
  Dialog->FileName = "data";
  Dialog->DefaultExt = "txt";
  if (!Dialog->Execute()) return false;
  FileName = Dialog->FileName;
  return true;
}

// Whether Name is an Excel workbook: named ".xls", or a file that begins as a compound file
// does. Text written under its name would destroy it.
bool IsWorkbookFile(const String& Name) {
  if (SameText(ExtractFileExt(Name), ".xls")) return true;
  if (!FileExists(Name)) return false;
  try {
    TFileStream file(Name, fmOpenRead | fmShareDenyNone);
    std::array<Byte, 8> head{};
    return file.Read(head.data(), static_cast<Integer>(head.size())) == static_cast<Integer>(head.size()) &&
           head == TOle2Header::FileSignature;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

void TZorvan::Spacedelimitedtxt1Click(TObject*) {
  // A matrix without a file of its own, or whose file is a workbook, asks for a name; any
  // other is written back to its file.
  if (ExtractFileName(FileName) == kUntitled || IsWorkbookFile(FileName)) {
    if (AskSaveName(SaveDialog1, FileName)) SaveGridToFile(MainGrid, FileName);
  } else {
    SaveGridToFile(MainGrid, FileName);
  }
  SetCaption(kCaptionPrefix + FileName);
}

void TZorvan::Commadelimitedtxt2Click(TObject*) {
  if (AskSaveName(SaveDialog1, FileName)) SaveGridToFileComma(MainGrid, FileName);
  SetCaption(kCaptionPrefix + FileName);
}

// ---------------------------------------------------------------------------------------------
// Close and the file report

void TZorvan::Close1Click(TObject*) {
  MainGrid->SetRowCount(6);
  MainGrid->SetColCount(6);
  for (int r = 0; r <= 5; ++r) MainGrid->SetCells(0, r, "species" + IntToStr(r));
  for (int c = 0; c <= 5; ++c) MainGrid->SetCells(c, 0, "site" + IntToStr(c));
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c) MainGrid->SetCells(c, r, "0");
  MainGrid->SetCells(0, 0, "species");
  FileName = kUntitled;
  SetCaption(kCaptionPrefix + FileName);
  LockRowColumn();
}

void TZorvan::About2Click(TObject*) {
  ZorvanRedoMatrix->About();
  ZorvanRedoMatrix->ShowModal();
}

// ---------------------------------------------------------------------------------------------
// Resize

void TZorvan::RestructMatrixClick(TObject*) {
  ZorvanRedoMatrix->Init(MainGrid->ColCount(), MainGrid->RowCount());
  // Only a confirmed size is applied: after Cancel the matrix stays as it is, even when a
  // count was accepted before another was refused.
  if (ZorvanRedoMatrix->ShowModal() != mrOk) return;
  RestructureGrid(ZorvanRedoMatrix->Old_Cols, ZorvanRedoMatrix->Old_Rows, ZorvanRedoMatrix->New_Cols,
                  ZorvanRedoMatrix->New_Rows);
}

void TZorvan::RestructureGrid(Integer Old_Cols, Integer Old_Rows, Integer New_Cols, Integer New_Rows) {
  if (New_Rows == Old_Rows && New_Cols == Old_Cols) return;
  // Counted in 64 bits: a product that wraps around in 32 bits must not pass as a small one.
  const int64_t cells = static_cast<int64_t>(New_Rows) * New_Cols;
  if (cells > kCellLimit || cells <= 0) {
    ShowMessage("1 < Cell limits < 440,000, e.g. 200x2200.");
    return;
  }
  if (New_Rows < 1) {
    ShowMessage("Rows must be >= 1");
    return;
  }
  if (New_Cols < 1) {
    ShowMessage("Columns must be >= 1");
    return;
  }
  MainGrid->SetRowCount(New_Rows + 1);
  MainGrid->SetColCount(New_Cols + 1);
  // Added rows first, then added columns: the titles are drawn in that order.
  for (Integer r = Old_Rows + 1; r <= New_Rows; ++r) {
    MainGrid->SetCells(0, r, "species" + RandomTitleNumber());
    for (Integer c = 1; c <= New_Cols; ++c) MainGrid->SetCells(c, r, "1");
  }
  for (Integer c = Old_Cols + 1; c <= New_Cols; ++c) {
    MainGrid->SetCells(c, 0, "site" + RandomTitleNumber());
    for (Integer r = 1; r <= New_Rows; ++r) MainGrid->SetCells(c, r, "1");
  }
}

// ---------------------------------------------------------------------------------------------
// Transpose and random fills

void TZorvan::Transformmatrix1Click(TObject*) { TransformMatrix(MainGrid); }

void TZorvan::TransformMatrix(TStringGrid* Grid) {
  const int rows = Grid->RowCount();
  const int cols = Grid->ColCount();
  std::vector<String> cells;
  cells.reserve(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) cells.push_back(Grid->Cells(c, r));
  Grid->SetRowCount(cols);
  Grid->SetColCount(rows);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      Grid->SetCells(r, c, cells[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)]);
}

namespace {

// Writes Value() into every data cell, row by row; the titles stay.
template <typename Draw>
void FillDataCells(TStringGrid* Grid, Draw Value) {
  for (int r = 1; r < Grid->RowCount(); ++r)
    for (int c = 1; c < Grid->ColCount(); ++c) Grid->SetCells(c, r, Value());
}

}  // namespace

void TZorvan::N011Click(TObject*) {
  FillDataCells(MainGrid, [] { return IntToStr(Random(2)); });
}

void TZorvan::N01Click(TObject*) {
  FillDataCells(MainGrid, [] { return FloatToStrF(RandomReal(), ffFixed, 7, 5); });
}

void TZorvan::N1X1001Click(TObject*) {
  FillDataCells(MainGrid, [] { return IntToStr(Random(10)); });
}
