#include "analysis/macroecology/MacroEcologyDialog.h"

#include "analysis/macroecology/MacroecologyOptions.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TMacroEcologyDialog::TMacroEcologyDialog(TComponent* AOwner, const TLayout& Layout) : TForm(AOwner) {
  SetName(Layout.Name);
  SetCaption(Layout.Caption);
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 340, 204);
  for (int i = 0; i < 4; ++i) {
    const int top = 16 + 32 * i;
    Edits[i] = New<TEdit>(this);
    Edits[i]->SetName(Layout.EditNames[i]);
    Edits[i]->SetText(Layout.Texts[i]);
    Edits[i]->SetBounds(170, top, 120, 22);
    Edits[i]->SetParent(this);
    Labels[i] = New<TLabel>(this);
    Labels[i]->SetName(String(Layout.EditNames[i]) + "Label");
    Labels[i]->SetCaption(Layout.LabelCaptions[i]);
    Labels[i]->SetBounds(24, top + 3, 140, 16);
    Labels[i]->SetFocusControl(Edits[i]);
    Labels[i]->SetParent(this);
  }
  UseButton = New<TButton>(this);
  UseButton->SetName(Layout.UseName);
  UseButton->SetCaption(Layout.UseCaption);
  UseButton->Default = true;
  UseButton->SetBounds(24, 156, 150, 28);
  UseButton->OnClick = [this](TObject* s) { UseButtonClick(s); };
  UseButton->SetParent(this);
  ResetButton = New<TButton>(this);
  ResetButton->SetName("ResetButton");
  ResetButton->SetCaption(Layout.ResetCaption);
  ResetButton->SetBounds(186, 156, 120, 28);
  ResetButton->OnClick = [this](TObject* s) { ResetButtonClick(s); };
  ResetButton->SetParent(this);
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TMacroEcologyDialog::FormShow(TObject*) {
  const Integer x = MacroecologyOpts->XvariableList->ItemIndex() + 1;
  const Integer y = MacroecologyOpts->YvariableList->ItemIndex() + 1;
  if (FirstTime || Zorvan->FileName != CurrentFile) {
    FirstTime = false;
    CurrentFile = Zorvan->FileName;
    Init();
  }
  if (x != StoredX) {
    StoredX = x;
    Init();
  }
  if (y != StoredY) {
    StoredY = y;
    Init();
  }
  FocusControl(Edits[0]);
}

void TMacroEcologyDialog::UseButtonClick(TObject*) {
  if (Check()) Close();
}

void TMacroEcologyDialog::ResetButtonClick(TObject*) { Init(); }

double TMacroEcologyDialog::Value(int Edit) const { return LeadingReal(Edits[Edit]->Text()); }

void TMacroEcologyDialog::ReadColumns(std::vector<double>& X, std::vector<double>& Y) const {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int xColumn = MacroecologyOpts->XColumn(), yColumn = MacroecologyOpts->YColumn();
  X.clear();
  Y.clear();
  for (int r = 1; r < grid->RowCount(); ++r) {
    X.push_back(LeadingReal(grid->Cells(xColumn, r)));
    Y.push_back(LeadingReal(grid->Cells(yColumn, r)));
  }
}
