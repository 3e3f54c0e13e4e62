#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

namespace {

String GridText(TStringGrid* Grid, char Separator) {
  String text;
  for (int r = 0; r < Grid->RowCount(); ++r) {
    for (int c = 0; c < Grid->ColCount(); ++c) {
      if (c > 0) text += Separator;
      text += Grid->Cells(c, r);
    }
    text += "\r\n";
  }
  return text;
}

void WriteGrid(TStringGrid* Grid, const String& F_Name, char Separator) {
  try {
    WriteFileAtomically(F_Name, GridText(Grid, Separator));
  } catch (const Exception&) {
    ShowMessage("Error writing file.");
  }
}

}  // namespace

void TZorvan::SaveGridToFile(TStringGrid* Grid, const String& F_Name) { WriteGrid(Grid, F_Name, ' '); }

void TZorvan::SaveGridToFileComma(TStringGrid* Grid, const String& F_Name) { WriteGrid(Grid, F_Name, ','); }
