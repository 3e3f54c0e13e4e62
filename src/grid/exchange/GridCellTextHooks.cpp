// The per-cell text hooks every loader and saver of the grid goes through.
#include "grid/model/RivErodovOzar.h"
#include "grid/base/HTMLTextOperations.h"
#include "grid/base/ZudAzud.h"

String TRivErodovOzar::GetSavedCellText(int ACol, int ARow) {
  String text = SaveVirtCells ? Cells(ACol, ARow) : GetRawCellText(ACol, ARow);
  // An empty checkbox cell saves its state as the checked or unchecked text.
  if (text.empty()) {
    const TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
    if (graphic != nullptr && graphic->CellType == ctCheckBox) {
      if (graphic->CellBoolean) GetCheckTrue(ACol, ARow, text);
      else GetCheckFalse(ACol, ARow, text);
    }
  }
  switch (CellTextKind(text, true)) {
    case 1:
      if (!SaveWithHTML) text = HTMLToPlainText(text);
      break;
    case 2:
      // Rich text keeps its source on one line.
      std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
      break;
    default:
      break;
  }
  if (OnSaveCell) OnSaveCell(this, ACol, ARow, text);
  return text;
}

void TRivErodovOzar::SetLoadedCellText(int ACol, int ARow, const String& Value) {
  if (!OnLoadCell) {
    SetRawCellText(ACol, ARow, Value);
    return;
  }
  String text = Value;
  OnLoadCell(this, ACol, ARow, text);
  SetRawCellText(ACol, ARow, text);
}
