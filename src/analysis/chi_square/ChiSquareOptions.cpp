#include "analysis/chi_square/ChiSquareOptions.h"

#include <limits>

#include "analysis/chi_square/ChiSquareSims.h"
#include "app/OptionsFormParts.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TChiSquareOpts* ChiSquareOpts = nullptr;

namespace {


// Expected counts as the grid shows and the file keeps them: 7 significant digits, 7 decimals.
String ExpectedText(double Value) { return FloatToStrF(Value, ffFixed, 7, 7); }

// Whether a comma separates cells in an expected-matrix file. Under a regional setting whose
// decimal separator is the comma, a file whose first line separates its cells by spaces (as
// "Save &As" writes it) holds its decimals with commas: "12,5" is one cell there.
bool CommaSeparates(const String& Text) {
  if (FormatSettings.DecimalSeparator != ',') return true;
  const size_t end = Text.find_first_of("\r\n");
  return Text.substr(0, end).find(' ') == String::npos;
}

}  // namespace

TChiSquareOpts::TChiSquareOpts(TComponent* AOwner) : TForm(AOwner) {
  SetName("ChiSquareOpts");
  SetCaption("Zorvan Professional: Chi-square Options");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 560, 460);

  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  PreferencesSheet = NewPage(this, PageControl1, "PreferencesSheet", "Preferences");
  GeneralSheet = NewPage(this, PageControl1, "GeneralSheet", "General");
  PageControl1->SetActivePage(PreferencesSheet);

  RandomizationGroup = New<TRadioGroup>(this);
  RandomizationGroup->SetName("RandomizationGroup");
  RandomizationGroup->SetCaption("Si&mulation options");
  for (const char* item : {"randomize matrix", "randomize columns", "randomize rows"})
    RandomizationGroup->Items()->Add(item);
  RandomizationGroup->SetItemIndex(0);
  RandomizationGroup->SetBounds(8, 8, 200, 96);
  RandomizationGroup->SetParent(PreferencesSheet);

  ExpectedGroup = NewGroup(this, PreferencesSheet, "ExpectedGroup", "Expected matrix", 8, 112, 528, 270);
  ExpectedGrid = New<TStringGrid>(this);
  ExpectedGrid->SetName("ExpectedGrid");
  ExpectedGrid->SetFixedCols(0);
  ExpectedGrid->SetFixedRows(0);
  ExpectedGrid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing});
  ExpectedGrid->SetBounds(8, 18, 512, 244);
  ExpectedGrid->SetParent(ExpectedGroup);

  TGeneralPage p = BuildGeneralPage(this, GeneralSheet, {260, "!99999;1; ", "1000 ", "Iterations must be >0 and < 1,000,000"});
  FileEdit = p.FileEdit;
  FileLabel = p.FileLabel;
  IterationsEdit = p.IterationsEdit;
  IterationsLabel = p.IterationsLabel;
  RandomSeedEdit = p.RandomSeedEdit;
  RandomSeedLabel = p.RandomSeedLabel;
  SaveMatrixCheckBox = p.SaveMatrixCheckBox;

  OpenDialog1 = New<TOpenDialog>(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->Filter = kTextFilter;
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = kTextFilter;

  TOptionsMenu m = BuildOptionsMenu(
      this, [this](TObject* s) { Run1Click(s); }, [this](TObject* s) { Cancel1Click(s); },
      [this](TObject* s) { Help1Click(s); }, [this](TObject* s) { resetDefaults1Click(s); });
  MainMenu1 = m.MainMenu1;
  Run1 = m.Run1;
  Cancel1 = m.Cancel1;
  Help1 = m.Help1;
  resetDefaults1 = m.ResetDefaults1;
  Expectedmatrix1 = New<TMenuItem>(this);
  Expectedmatrix1->SetName("Expectedmatrix1");
  Expectedmatrix1->SetCaption("Expected &matrix");
  MainMenu1->Items()->Insert(0, Expectedmatrix1);
  Calculateexpectedmatrix2 = Expectedmatrix1->AddItem("Calculate &expected matrix", scNone,
                                                      [this](TObject* s) { Calculateexpectedmatrix2Click(s); });
  Expectedmatrix1->AddSeparator();
  Open1 = Expectedmatrix1->AddItem("&Open expected matrix", scNone, [this](TObject* s) { Open1Click(s); });
  SaveAs1 = Expectedmatrix1->AddItem("Save &As", scNone, [this](TObject* s) { SaveAs1Click(s); });

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

bool TChiSquareOpts::CalculateExpectedMatrix() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int R = grid->RowCount(), C = grid->ColCount();
  const size_t rows = static_cast<size_t>(std::max(R - 1, 0)), cols = static_cast<size_t>(std::max(C - 1, 0));
  ExpectedGrid->SetRowCount(R);
  ExpectedGrid->SetColCount(C);
  // Sums as 64-bit integers: a table whose totals do not fit the randomisations' counters is
  // refused instead of overflowing.
  std::vector<Int64> rowSum(rows, 0), colSum(cols, 0);
  for (size_t r = 0; r < rows; ++r) {
    for (size_t c = 0; c < cols; ++c) {
      Integer value = 0;
      if (!TryStrToInt(grid->Cells(static_cast<int>(c) + 1, static_cast<int>(r) + 1), value)) {
        ShowMessage("Cell value is not a valid integer.");
        return false;
      }
      rowSum[r] += value;
      colSum[c] += value;
    }
  }
  Int64 grand = 0;
  for (Int64 t : colSum) grand += t;
  auto fits = [](Int64 v) { return v >= std::numeric_limits<Integer>::min() && v <= std::numeric_limits<Integer>::max(); };
  bool inRange = fits(grand);
  for (Int64 t : rowSum) inRange = inRange && fits(t);
  for (Int64 t : colSum) inRange = inRange && fits(t);
  if (!inRange) {
    ShowMessage("Table totals too large.");
    return false;
  }
  // Every cell read as an integer, so its real value is that integer ("$10" counts 16).
  IntegerRowTotal.assign(rowSum.begin(), rowSum.end());
  IntegerColTotal.assign(colSum.begin(), colSum.end());
  RowTotal.assign(rowSum.begin(), rowSum.end());
  ColTotal.assign(colSum.begin(), colSum.end());
  MatrixTotal = 0;
  for (double t : ColTotal) MatrixTotal += t;

  for (int r = 0; r < R; ++r) ExpectedGrid->SetCells(0, r, grid->Cells(0, r));
  for (int c = 0; c < C; ++c) ExpectedGrid->SetCells(c, 0, grid->Cells(c, 0));
  Real_Matrix expected;
  const bool counted = ExpectedCounts(RowTotal, ColTotal, expected);
  // Without a grand total the data cells keep what they held.
  if (counted)
    for (int c = 1; c < C; ++c)
      for (int r = 1; r < R; ++r) ExpectedGrid->SetCells(c, r, ExpectedText(expected[c - 1][r - 1]));
  if (MatrixTotal > 0) IntegerMatrixTotal = static_cast<Integer>(grand);
  return counted;
}

void TChiSquareOpts::FormCreate(TObject*) { FirstTime = true; }

void TChiSquareOpts::FormShow(TObject*) {
  FileEdit->SetText(Zorvan->FileName);
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  if (ExpectedGrid->RowCount() != grid->RowCount() || ExpectedGrid->ColCount() != grid->ColCount()) {
    if (!CalculateExpectedMatrix()) {
      Zorvan->BringToFront();
      return;
    }
    FirstTime = false;
  }
  if (FirstTime) {
    FirstTime = false;
    CalculateExpectedMatrix();
  }
}

void TChiSquareOpts::Run1Click(TObject*) {
  Zorvan->RunSim = true;
  Close();
}

void TChiSquareOpts::Cancel1Click(TObject*) {
  Zorvan->RunSim = false;
  Close();
}

void TChiSquareOpts::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TChiSquareOpts::resetDefaults1Click(TObject*) { ResetDefaults(); }

void TChiSquareOpts::ResetDefaults() {
  RandomSeedEdit->SetText("0");
  SaveMatrixCheckBox->SetChecked(false);
  IterationsEdit->SetText("1000 ");
  CalculateExpectedMatrix();
  RandomizationGroup->SetItemIndex(0);
}

void TChiSquareOpts::Calculateexpectedmatrix2Click(TObject*) { CalculateExpectedMatrix(); }

void TChiSquareOpts::OpenExpectedFile(const String& F_Name) {
  // A read error is not ours to report: it reaches the program's error box.
  const String text = ReadFileBytes(F_Name);
  const bool comma = CommaSeparates(text);
  const int rows = ExpectedGrid->RowCount(), cols = ExpectedGrid->ColCount();
  int c = 0, r = 0;
  String cell;
  auto store = [&] {
    if (r < rows && c < cols) ExpectedGrid->SetCells(c, r, cell);
    cell.clear();
  };
  // A line end is CR LF, LF or a lone CR; what follows the last one is not a complete line.
  for (size_t k = 0; k < text.size() && r < rows; ++k) {
    const char ch = text[k];
    if (ch == '\r' || ch == '\n') {
      store();
      if (ch == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
      c = 0;
      ++r;
    } else if (ch == ' ' || (ch == ',' && comma)) {
      store();
      ++c;
    } else if (c < cols) {
      cell += ch;
    }
  }
}

void TChiSquareOpts::Open1Click(TObject*) {
  OpenDialog1->Title = "Select an ASCII file to open.";
  OpenDialog1->FileName = "";
  if (!OpenDialog1->Execute()) return;
  if (!FileExists(OpenDialog1->FileName)) {
    ShowMessage("Error opening file.");
    return;
  }
  OpenExpectedFile(OpenDialog1->FileName);
}

void TChiSquareOpts::SaveAs1Click(TObject*) {
  SaveDialog1->Title = "Select a file name.";
  SaveDialog1->FilterIndex = 1;
  SaveDialog1->FileName = "expected.txt";
  if (!SaveDialog1->Execute()) return;
  try {
    Zorvan->SaveGridToFile(ExpectedGrid, SaveDialog1->FileName);
  } catch (const Exception&) {
    ShowMessage("Error saving file.");
  }
}
