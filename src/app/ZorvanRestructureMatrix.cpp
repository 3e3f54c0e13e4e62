#include "app/ZorvanRestructureMatrix.h"

#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

TZorvanRedoMatrix* ZorvanRedoMatrix = nullptr;

namespace {

TLabel* AddLabel(TForm* Form, const char* Name, const char* Caption, int Top) {
  auto* label = New<TLabel>(Form);
  label->SetName(Name);
  label->SetCaption(Caption);
  label->SetBounds(16, Top + 3, 120, 16);
  label->SetParent(Form);
  return label;
}

TEdit* AddEdit(TForm* Form, const char* Name, TLabel* Label, int Top, int Width) {
  auto* edit = New<TEdit>(Form);
  edit->SetName(Name);
  edit->SetBounds(160, Top, Width, 22);
  edit->SetParent(Form);
  Label->SetFocusControl(edit);
  return edit;
}

}  // namespace

TZorvanRedoMatrix::TZorvanRedoMatrix(TComponent* AOwner) : TForm(AOwner) {
  SetName("ZorvanRedoMatrix");
  SetCaption("Zorvan Professional: Resize Matrix");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 420, 190);

  FileLabel = AddLabel(this, "FileLabel", "File:", 16);
  FileNameEdit = AddEdit(this, "FileNameEdit", FileLabel, 16, 236);
  FileNameEdit->SetReadOnly(true);
  RowsLabel = AddLabel(this, "RowsLabel", "Number of Rows:", 48);
  Edit1 = AddEdit(this, "Edit1", RowsLabel, 48, 80);
  ColsLabel = AddLabel(this, "ColsLabel", "Number of Columns&", 80);
  Edit2 = AddEdit(this, "Edit2", ColsLabel, 80, 80);

  OKButton = New<TButton>(this);
  OKButton->SetName("OKButton");
  OKButton->SetCaption("&OK");
  OKButton->Default = true;
  OKButton->SetBounds(120, 120, 80, 28);
  OKButton->OnClick = [this](TObject* s) { OKButtonClick(s); };
  OKButton->SetParent(this);

  CancelButton = New<TButton>(this);
  CancelButton->SetName("CancelButton");
  CancelButton->SetCaption("&Cancel");
  CancelButton->Cancel = true;
  CancelButton->ModalResult = mrCancel;
  CancelButton->SetBounds(216, 120, 80, 28);
  CancelButton->SetParent(this);

  // The control chosen by Init or About takes the focus when the dialog appears, so typing
  // goes to the row count rather than to the read-only file name.
  OnShow = [this](TObject*) { FocusControl(ActiveControl()); };
}

void TZorvanRedoMatrix::SetSizeEditable(bool Editable) {
  Edit1->SetReadOnly(!Editable);
  Edit2->SetReadOnly(!Editable);
}

void TZorvanRedoMatrix::Init(Integer Cols, Integer Rows) {
  SetCaption("Resize Matrix");
  FileNameEdit->SetText(Zorvan->FileName);
  Old_Rows = New_Rows = Rows - 1;
  Old_Cols = New_Cols = Cols - 1;
  Edit1->SetText(IntToStr(Old_Rows));
  Edit2->SetText(IntToStr(Old_Cols));
  SetSizeEditable(true);
  SetActiveControl(Edit1);
}

void TZorvanRedoMatrix::About() {
  SetCaption("About " + Zorvan->FileName);
  FileNameEdit->SetText(Zorvan->FileName);
  Edit1->SetText(IntToStr(Zorvan->MainGrid->RowCount() - 1));
  Edit2->SetText(IntToStr(Zorvan->MainGrid->ColCount() - 1));
  SetSizeEditable(false);
  SetActiveControl(OKButton);
}

void TZorvanRedoMatrix::OKButtonClick(TObject*) {
  Integer rows = LeadingInt(Edit1->Text());
  if (rows <= 0) {
    ShowMessage("Rows must be >= 1");
    return;
  }
  New_Rows = rows;
  Integer cols = LeadingInt(Edit2->Text());
  if (cols <= 0) {
    ShowMessage("Cols must be >= 1");
    return;
  }
  New_Cols = cols;
  SetModalResult(mrOk);
}
