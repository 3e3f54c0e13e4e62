// The resize dialog: shows the data file and the matrix size (titles not counted) and asks for
// a new size. The same dialog, read-only, reports the size of the current matrix.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TZorvanRedoMatrix : public TForm {
 public:
  explicit TZorvanRedoMatrix(TComponent* AOwner);

  TLabel* FileLabel;
  TEdit* FileNameEdit;
  TLabel* RowsLabel;
  TEdit* Edit1;
  TLabel* ColsLabel;
  TEdit* Edit2;
  TButton* OKButton;
  TButton* CancelButton;

  // Data sizes without the title row and column.
  Integer Old_Rows = 0;
  Integer Old_Cols = 0;
  Integer New_Rows = 0;
  Integer New_Cols = 0;

  // Prepares the dialog for resizing a grid of Cols columns and Rows rows (titles included).
  void Init(Integer Cols, Integer Rows);
  // Prepares the dialog to report the main window's file and matrix size, read-only.
  void About();

  // Accepts the typed size only when both counts are at least 1; a refused count keeps the
  // dialog open, a count accepted before the refusal stays in its field.
  void OKButtonClick(TObject* Sender);

 private:
  void SetSizeEditable(bool Editable);
};

extern TZorvanRedoMatrix* ZorvanRedoMatrix;
