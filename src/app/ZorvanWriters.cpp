// The text writers of grids and simulated data. Every file is written whole through a
// temporary file beside it, so a failed save leaves the file that was there untouched.
//
// Two kinds of failure handling: the grid and species-list writers report a failure themselves
// ("Error writing file.") and let the caller go on; the matrix writers of the "Sim" files let
// it reach the run, after saving the lines they built before it.
#include <exception>
#include <functional>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ZorvanAdvancedEditor.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

namespace {

constexpr const char* kCrLf = "\r\n";

// "Sim" + k + ".txt", or "Sim" + k + "_" + s + ".txt" for a subset s other than 0.
String SimFileName(Integer Sim, Integer Subset) {
  String name = "Sim";
  name += IntToStr(Sim);
  if (Subset != 0) {
    name += '_';
    name += IntToStr(Subset);
  }
  return name + ".txt";
}

// Builds the text and writes it as F_Name; any failure shows "Error writing file." and the
// old file stays as it was. A value that is not a number is no failure of the file: it ends
// the run that wanted it written (FiniteStatistic).
void WriteOrReport(const String& F_Name, const std::function<String()>& Build,
                   TWriteDurability Durability = TWriteDurability::Durable) {
  try {
    WriteFileAtomically(F_Name, Build(), Durability);
  } catch (const EMathError&) {
    throw;
  } catch (const std::exception&) {
    ShowMessage("Error writing file.");
  }
}

// A cell's text for a line of the file. A line break would split the row, so such a cell is
// quoted (inner quotes doubled) and each break (CR LF, LF or CR) becomes a vertical tab, which
// the grid's reader turns back into a line break. Any other text is written as it is.
void AppendCellText(String& Text, const String& Cell) {
  if (Cell.find_first_of("\r\n") == String::npos) {
    Text += Cell;
    return;
  }
  Text += '"';
  for (size_t i = 0; i < Cell.size(); ++i) {
    const char ch = Cell[i];
    if (ch == '"') {
      Text += "\"\"";
    } else if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i + 1 < Cell.size() && Cell[i + 1] == '\n') ++i;
      Text += '\v';
    } else {
      Text += ch;
    }
  }
  Text += '"';
}

String CellText(const String& Cell) {
  String text;
  AppendCellText(text, Cell);
  return text;
}

String GridText(TStringGrid* Grid, char Separator) {
  String text;
  for (int r = 0; r < Grid->RowCount(); ++r) {
    for (int c = 0; c < Grid->ColCount(); ++c) {
      if (c > 0) text += Separator;
      AppendCellText(text, Grid->Cells(c, r));
    }
    text += kCrLf;
  }
  return text;
}

void WriteGrid(TStringGrid* Grid, const String& F_Name, char Separator) {
  WriteOrReport(F_Name, [&] { return GridText(Grid, Separator); });
}

// Element i of a caller's array; an array shorter than the count it came with is a range error.
template <typename T>
const T& At(const std::vector<T>& Values, Integer i) {
  if (i < 0 || static_cast<size_t>(i) >= Values.size()) RaiseRangeError();
  return Values[static_cast<size_t>(i)];
}

// The "Sim" files come one per iteration, thousands in a run: they are not flushed to the
// disk one by one (that would cost the run a hundred times its writing time).
constexpr TWriteDurability kSimFileDurability = TWriteDurability::Buffered;

// The species-list files: Header, then "species" + i + " " + Fields(i - 1) for i = 1..N.
void WriteSpeciesLines(Integer Sim, const String& Header, Integer N, const std::function<String(Integer)>& Fields) {
  WriteOrReport(
      SimFileName(Sim, 0),
      [&] {
        String text = Header + kCrLf;
        for (Integer i = 1; i <= N; ++i) text += "species" + IntToStr(i) + " " + Fields(i - 1) + kCrLf;
        return text;
      },
      kSimFileDurability);
}

String TwoColumnsHeader(const String& Label1, const String& Label2) { return "species " + Label1 + " " + Label2; }

// A matrix with the titles of Grid (the main grid): line 0 the title row, then per species row
// its title and ValueText(c, r) for the data columns c = 1..ColCount-1, single spaces between,
// trailing blanks removed. The grid's size decides, not the matrix's. The lines go to the
// hidden editor's memo and to the file even when ValueText fails part way; the failure (or a
// failure to write) then reaches the caller.
void WriteMatrixFile(TStringGrid* Grid, Integer Sim, Integer Subset, const std::function<String(int, int)>& ValueText) {
  TMemo* memo = ZorvanEditor != nullptr ? ZorvanEditor->Memo1 : nullptr;
  const int columns = Grid->ColCount() - 1;
  const int rows = Grid->RowCount() - 1;
  String text;
  // Adding memo lines one by one re-lays the memo's whole text each time, so the lines are
  // gathered here and the memo takes them at once, replacing what it held.
  auto save = [&] {
    if (memo != nullptr) memo->Lines()->SetText(text);
    WriteFileAtomically(SimFileName(Sim, Subset), text, kSimFileDurability);
  };
  try {
    String line = CellText(Grid->Cells(0, 0));
    for (int c = 1; c <= columns; ++c) {
      line += ' ';
      AppendCellText(line, Grid->Cells(c, 0));
    }
    text += TrimRight(line) + kCrLf;
    for (int r = 1; r <= rows; ++r) {
      line = CellText(Grid->Cells(0, r)) + " ";
      for (int c = 1; c <= columns; ++c) {
        if (c > 1) line += " ";
        line += ValueText(c, r);
      }
      text += TrimRight(line) + kCrLf;
    }
  } catch (...) {
    save();
    throw;
  }
  save();
}

}  // namespace

void TZorvan::SaveGridToFile(TStringGrid* Grid, const String& F_Name) { WriteGrid(Grid, F_Name, ' '); }

void TZorvan::SaveGridToFileComma(TStringGrid* Grid, const String& F_Name) { WriteGrid(Grid, F_Name, ','); }

void TZorvan::SaveSimulation(Integer Sim, Integer Subset, TStringGrid* Grid) {
  SaveGridToFile(Grid, SimFileName(Sim, Subset));
}

void TZorvan::SaveSimulation_2(Integer Sim, Integer Subset, const Matrix& F_Mat) {
  WriteMatrixFile(MainGrid, Sim, Subset, [&](int c, int r) {
    F_Mat.RequireIndex(c, r);
    return IntToStr(F_Mat[c][r]);
  });
}

void TZorvan::SaveSimulation_4(Integer Sim, Integer Subset, const Matrix& F_Mat) {
  WriteMatrixFile(MainGrid, Sim, Subset, [&](int c, int r) {
    F_Mat.RequireIndex(c - 1, r - 1);
    return IntToStr(F_Mat[c - 1][r - 1]);
  });
}

void TZorvan::SaveSimulation_3(Integer Sim, Integer Subset, const Real_Matrix& F_Mat) {
  WriteMatrixFile(MainGrid, Sim, Subset, [&](int c, int r) {
    F_Mat.RequireIndex(c, r);
    return FloatToStr(FiniteStatistic(F_Mat[c][r]));
  });
}

void TZorvan::SaveNumberLineToFile(Integer Sim, Integer N, const std::vector<double>& Values) {
  WriteSpeciesLines(Sim, "species size", N, [&](Integer i) { return StatText(At(Values, i)); });
}

void TZorvan::SaveTwoColumnsToFile(Integer Sim, Integer N, const std::vector<double>& X, const std::vector<double>& Y,
                                   const String& Label1, const String& Label2) {
  WriteSpeciesLines(Sim, TwoColumnsHeader(Label1, Label2), N,
                    [&](Integer i) { return StatText(At(X, i)) + " " + StatText(At(Y, i)); });
}

void TZorvan::SaveTwoColumnsToFile_Real_Integer(Integer Sim, Integer N, const std::vector<double>& X,
                                                const std::vector<int32_t>& Y, const String& Label1,
                                                const String& Label2) {
  WriteSpeciesLines(Sim, TwoColumnsHeader(Label1, Label2), N,
                    [&](Integer i) { return StatText(At(X, i)) + " " + IntToStr(At(Y, i)); });
}

void TZorvan::SaveTwoColumnsToFile_Labels(Integer Sim, Integer N, const TStrings* Groups,
                                          const std::vector<double>& Values, const String& Label1,
                                          const String& Label2) {
  WriteSpeciesLines(Sim, TwoColumnsHeader(Label1, Label2), N, [&](Integer i) {
    if (Groups == nullptr || i >= Groups->Count()) RaiseRangeError();
    return Groups->Strings(i) + " " + StatText(At(Values, i));
  });
}
