// The special editors of the grid: made once with the grid, laid over a cell with the cell's
// value loaded (ShowSpecialEditor) and their value written back when the edit ends
// (HideSpecialEditor).
//
// An edit ended by Escape writes nothing, and neither does an editor closed with the value it
// opened with: a cell whose text the editor could not read exactly ("12abc" in a spin editor
// opens as 12) keeps its text unless the user changed the value.
#include <cctype>
#include <cstdlib>

#include "classlib/ImgList.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/ZudAzud.h"
#include "grid/dropdowns/RivDropDownStrips.h"
#include "grid/editing/GridEditorControls.h"
#include "grid/model/CellGraphic.h"
#include "grid/model/RivErodovOzar.h"

namespace {

// The number at the start of S as the run-time library reads it: up to the first character
// that does not belong to it.
int LeadingInteger(const String& S) {
  const String t = TrimLeft(S);
  size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  size_t digits = i;
  while (digits < t.size() && std::isdigit(static_cast<unsigned char>(t[digits]))) ++digits;
  if (digits == i) return 0;
  return static_cast<int>(std::strtol(t.substr(0, digits).c_str(), nullptr, 10));
}

double LeadingFloat(const String& S) {
  String t = TrimLeft(S);
  for (char& c : t)
    if (c == FormatSettings.DecimalSeparator) c = '.';
  return std::strtod(t.c_str(), nullptr);
}

bool IsPickerType(TEditorType T) { return T >= edTrackbarDropDown && T <= edRivGridDropDown; }

// The memo's lines as one text: the lines joined by line breaks, none after the last.
String MemoValue(TStringList* Lines) {
  String t = Lines->Text();
  while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
  return t;
}

}  // namespace

// ---- Creation ---------------------------------------------------------------------------------

void TRivErodovOzar::CreateEditorControls() {
  if (IsDesigning()) return;
  // An editor lies in the grid only while it edits: a hidden child view of the grid keeps the
  // window system from repainting the grid under a modal window.
  auto hidden = [this](TWinControl* Control, bool Disabled) {
    Control->SetParent(this);
    Control->SetVisible(false);
    if (Disabled) Control->SetEnabled(false);
    Control->SetParent(nullptr);
  };
  EditCombo = New<TGridCombo>(this);
  hidden(EditCombo, true);
  EditCombo->IsWinXP = IsWinXPOrLater();
  EditCombo->IsVista = IsVistaOrLater() && IsComCtl6();
  EditTrackBar = New<TGridTrackbarDropDown>(this);
  hidden(EditTrackBar, false);
  EditTrackBar->SetEditorEnabled(true);
  EditMemo = New<TGridMemoDropDown>(this);
  hidden(EditMemo, false);
  EditCalculator = New<TGridCalculatorDropDown>(this);
  hidden(EditCalculator, false);
  EditCalculator->SetEditorEnabled(true);
  EditTimePicker = New<TGridTimepickerDropDown>(this);
  hidden(EditTimePicker, false);
  EditDetailPicker = New<TGridDetailPickerDropDown>(this);
  hidden(EditDetailPicker, false);
  EditGridPicker = New<TGridGridDropDown>(this);
  hidden(EditGridPicker, false);
  EditColorPicker = New<TGridColorDropDown>(this);
  hidden(EditColorPicker, false);
  EditColorPicker->AddDefaultColors();
  EditColorPicker->OnSelect = [this](TObject*) {
    DoColorSelect(RealColIndex(Col()), Row(), EditColorPicker->SelectedColor(), EditColorPicker->SelectedColorText());
  };
  EditImagePicker = New<TGridImageDropDown>(this);
  hidden(EditImagePicker, false);
  EditImagePicker->OnSelect = [this](TObject*) { DoImageSelect(RealColIndex(Col()), Row(), EditImagePicker->ImageIndex()); };
  // A grid inside a drop-down makes no grid drop-down of its own: that would never end.
  if (dynamic_cast<TRivCustomDropDown*>(Owner()) == nullptr) {
    EditRivGridPicker = New<TGridRivGridDropDown>(this);
    hidden(EditRivGridPicker, false);
  }
  EditMode = false;
  EditControl = edNormal;
  EditSpin = New<TGridSpin>(this);
  hidden(EditSpin, true);
  EditSpin->BorderStyle = bsNone;
  EditSpin->SetIsWinXP(IsWinXPOrLater());
  if (DateEditorsAvailable) {
    EditDate = New<TGridDatePicker>(this);
    hidden(EditDate, true);
    EditDate->OnChange = [this](TObject*) {
      if (OnEditChange) OnEditChange(this, Col(), Row(), EditDate->Text());
    };
    EditDateTime = New<TGridDateTimePicker>(this);
    hidden(EditDateTime, true);
    EditDateTime->SetAutoTab(true);
  }
  EditCheck = New<TGridCheckBox>(this);
  hidden(EditCheck, true);
  EditBtn = New<TGridEditBtn>(this);
  hidden(EditBtn, true);
  EditBtn->SetButtonCaption("...");
  EditBtn->SetIsWinXP(IsWinXPOrLater());
  UnitEditBtn = New<TGridUnitEditBtn>(this);
  hidden(UnitEditBtn, true);
  UnitEditBtn->SetButtonCaption("...");
  UnitEditBtn->OnUnitChanged = [this](TObject*, const String& NewUnit) {
    if (OnUnitChanged) OnUnitChanged(this, RealColIndex(Col()), Row(), NewUnit);
  };
  GridButton = New<TGridButton>(this);
  hidden(GridButton, true);
}

// ---- Showing ----------------------------------------------------------------------------------

void TRivErodovOzar::ShowSpecialEditor(int ACol, int ARow) {
  const TEditorType type = EditControl;
  if ((type == edDateEdit || type == edDateEditUpDown || type == edTimeEdit || type == edDateTimeEdit) &&
      EditDate == nullptr)
    return;
  if (type == edRivGridDropDown && EditRivGridPicker == nullptr) return;
  if (type == edCustom || type == edRichEdit || type == edDataCheckBox) return;
  // The plain editor of an earlier edit ends first (as the platform ends it when no plain
  // editor is shown), so that ending this edit does not write its stale text later.
  if (InplaceEditor() != nullptr) TBaseGrid::HideEditor();
  // Validation compares with and writes to the cell this editor edits.
  StoreOldCell(ACol, ARow);
  FEditing = true;
  FSpecialEditor = true;
  FEditActive = true;
  FSpecialCancelled = false;
  FSpecialCol = ACol;
  FSpecialRow = ARow;
  TRect r = CellRect(ACol, ARow);
  const TPoint base = BaseCell(ACol, ARow);
  if (base.X != ACol || base.Y != ARow) r = CellRect(base.X, base.Y);
  const int c = RealColIndex(ACol);
  const int w = r.Right - r.Left - 1;
  const int h = r.Bottom - r.Top - 1;
  TBrush brush;
  TFont font;
  {
    TGridDrawState state{gdSelected};
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd = GradientVertical;
    brush.SetColor(Color());
    font.Assign(Font());
    GetVisualProperties(c, ARow, state, false, false, true, &brush, colorTo, mirror, mirrorTo, &font, ha, va, ww, gd);
  }
  const TColor b = brush.Color();
  EditCtrl = nullptr;
  FLastValidation = true;
  const String text = GetEditText(ACol, ARow);
  const char startChar = FStartEditChar;
  EditMode = true;

  // Placed over the cell, coloured, shown, focused, and the typed character that started the
  // edit delivered to it.
  auto place = [&](TWinControl* Control, bool Colour, bool StartChar) {
    Control->SetParent(this);
    Control->SetBounds(r.Left, r.Top, w, h);
    if (Colour) Control->SetColor(b);
    Control->SetVisible(true);
    Control->SetEnabled(true);
    if (Control->CanFocus()) Control->SetFocus();
    if (StartChar && startChar != '\0') PostMessage(Control->Handle(), WM_CHAR, static_cast<unsigned char>(startChar), 0);
    EditCtrl = Control;
  };

  switch (type) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
      EditSpin->ReCreate();
      DoGetEditorProp(c, ARow, nullptr);
      EditSpin->ExcelStyleDecimalSeparator = ExcelStyleDecimalSeparator;
      if (type == edSpinEdit) {
        EditSpin->SetSpinType(sptNormal);
        EditSpin->SetValue(LeadingInteger(text));
      } else if (type == edFloatSpinEdit) {
        EditSpin->SetSpinType(sptFloat);
        EditSpin->SetFloatValue(LeadingFloat(UnformatFinancial(text)));
      } else if (type == edTimeSpinEdit) {
        EditSpin->SetSpinType(sptTime);
        EditSpin->SetText(text);
      } else {
        EditSpin->SetSpinType(sptDate);
        TDateTime d = 0;
        EditSpin->SetDateValue(!Trim(text).empty() && ParseDateTimeLocale(text, d) ? d : Now());
      }
      if (FSpinUpClick) EditSpin->UpClick(false);
      if (FSpinDnClick) EditSpin->DownClick(false);
      place(EditSpin, true, true);
      break;
    }
    case edComboEdit:
    case edComboList: {
      DoGetEditorProp(c, ARow, nullptr);
      EditCombo->DroppedDown = false;
      EditCombo->SetStyle(type == edComboEdit ? csDropDown : csDropDownList);
      EditCombo->SetFlat(FLook == glSoft || FLook == glVAV || FLook == glXP || FLook == glListView ||
                         FLook == glVista || FLook == glWin7 || FLook == glOffice2007);
      EditCombo->SetEtched(EditCombo->Flat());
      bool firstChosen = false;
      if (type == edComboEdit) {
        EditCombo->MaxLength = MaxComboLength;
        EditCombo->SetText(text);
        if (FComboIdx != -1 && EditCombo->ItemIndex() < 0) EditCombo->SetItemIndex(FComboIdx);
      } else {
        const int i = EditCombo->Items()->IndexOf(GetRawCellText(base.X == ACol ? c : RealColIndex(base.X), base.Y));
        if (i >= 0) {
          EditCombo->SetItemIndex(i);
        } else if (FComboIdx == -1) {
          EditCombo->SetItemIndex(EditCombo->Items()->Count() > 0 ? 0 : -1);
          firstChosen = EditCombo->Items()->Count() > 0;
        } else {
          EditCombo->SetItemIndex(FComboIdx);
        }
      }
      if (Navigation()->AutoComboDropSize)
        EditCombo->SizeDropDownWidth();
      place(EditCombo, true, type == edComboEdit);
      EditCombo->SetBounds(r.Left, r.Top, w, EditCombo->Height());
      if (firstChosen) {
        const String first = EditCombo->Items()->Strings(0);
        if (OnComboChange) OnComboChange(this, c, ARow, 0, first);
        if (OnComboObjectChange) OnComboObjectChange(this, c, ARow, 0, first, EditCombo->Items()->Objects(0));
      }
      if (MouseActions()->DirectComboDrop || ControlLook()->DropDownAlwaysVisible()) EditCombo->DroppedDown = true;
      break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
      EditBtn->ReCreate();
      EditBtn->SetText(text);
      EditBtn->SetMaxLength(MaxEditLength);
      place(EditBtn, true, true);
      break;
    case edUnitEditBtn:
      UnitEditBtn->ReCreate();
      UnitEditBtn->SetMaxLength(MaxEditLength);
      UnitEditBtn->SetUnitID("");
      UnitEditBtn->SetText("");
      DoGetEditorProp(c, ARow, nullptr);
      UnitEditBtn->SetTextAndUnit(text);
      place(UnitEditBtn, true, true);
      break;
    case edCheckBox:
      EditCheck->ReCreate();
      EditCheck->SetCaption(text);
      EditCheck->SetState(cbUnchecked);
      place(EditCheck, false, false);
      EditCtrl = nullptr;
      break;
    case edButton:
      GridButton->ReCreate();
      GridButton->SetCaption(text);
      place(GridButton, false, false);
      GridButton->SetBounds(r.Left - 1, r.Top - 1, w + 2, h + 2);
      break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: {
      EditDate->ReCreate();
      TDateTime d = Now();
      if (type == edTimeEdit) {
        TDateTime t = 0;
        if (TryReadTime(text, t)) d = t;
        EditDate->SetKind(dtkTime);
      } else {
        if (!text.empty() && OnCustomStrToDate) {
          OnCustomStrToDate(this, text, d);
        } else if (!text.empty()) {
          TDateTime v = 0;
          if (ParseDateTimeLocale(text, v)) {
            d = v;
            if (EditDate->MaxDate != 0 && d > EditDate->MaxDate) d = EditDate->MaxDate - 1;
            if (EditDate->MinDate != 0 && d <= EditDate->MinDate) d = EditDate->MinDate + 1;
          }
        }
        EditDate->SetKind(dtkDate);
        EditDate->DateMode = type == edDateEditUpDown ? dmUpDown : dmComboBox;
        DoGetEditorProp(c, ARow, nullptr);
      }
      EditDate->SetDateTime(d);
      place(EditDate, true, type != edTimeEdit);
      if (type == edTimeEdit) DoGetEditorProp(c, ARow, nullptr);
      break;
    }
    case edDateTimeEdit: {
      EditDateTime->ReCreate();
      TDateTime d = Now();
      TDateTime v = 0;
      if (!text.empty() && ParseDateTimeLocale(text, v)) d = v;
      FDateTimeSaved = d;
      EditDateTime->SetDateTime(d);
      EditDateTime->SetKind(dkDateTime);
      EditDateTime->SetBorderStyle(bsNone);
      place(EditDateTime, true, false);
      EditDateTime->SetBounds(r.Left, r.Top, w, std::max(EditDateTime->Height(), h));
      EditCtrl = nullptr;
      break;
    }
    default:
      if (!IsPickerType(type)) break;
      {
        TRivCustomDropDown* picker = nullptr;
        switch (type) {
          case edTrackbarDropDown: picker = EditTrackBar; break;
          case edMemoDropDown: picker = EditMemo; break;
          case edCalculatorDropDown: picker = EditCalculator; break;
          case edTimePickerDropDown: picker = EditTimePicker; break;
          case edDetailDropDown: picker = EditDetailPicker; break;
          case edGridDropDown: picker = EditGridPicker; break;
          case edColorPickerDropDown: picker = EditColorPicker; break;
          case edImagePickerDropDown: picker = EditImagePicker; break;
          default: picker = EditRivGridPicker; break;
        }
        picker->SetDropDownFooter(ControlLook()->DropDownFooter());
        picker->SetDropDownHeader(ControlLook()->DropDownHeader());
        picker->SetComponentStyle(static_cast<TVAVStyle>(FStyle));
        picker->OnDropDownHeaderButtonClick = [this](TObject*, int ButtonIndex) {
          if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(this, RealColIndex(Col()), Row(), ButtonIndex);
        };
        picker->OnDropDownFooterButtonClick = [this](TObject*, int ButtonIndex) {
          if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(this, RealColIndex(Col()), Row(), ButtonIndex);
        };
        DoGetEditorProp(c, ARow, nullptr);
        if (type == edTimePickerDropDown || type == edDetailDropDown || type == edGridDropDown ||
            type == edRivGridDropDown)
          picker->SetEditorEnabled(true);
        if (type == edGridDropDown) {
          EditGridPicker->BeginUpdate();
          EditGridPicker->EndUpdate();
        } else if (type == edRivGridDropDown) {
          EditRivGridPicker->BeginUpdate();
          EditRivGridPicker->EndUpdate();
          if (EditRivGridPicker->GetGrid() != nullptr) EditRivGridPicker->GetGrid()->SetFixedRowAlways(true);
        }
        picker->BorderStyle = bsNone;
        if (type == edTrackbarDropDown) {
          EditTrackBar->SetPosition(LeadingInteger(text));
        } else if (type == edGridDropDown) {
          const int i = EditGridPicker->GetItemIndex(text);
          EditGridPicker->SetItemIndex(text.empty() ? 0 : i);
          EditGridPicker->SetText(text);
        } else if (type == edColorPickerDropDown) {
          EditColorPicker->SetSelectedColor(GetCellType(c, ARow) == ctShape ? GetShapeColor(c, ARow)
                                                                           : GetCellBackColor(c, ARow));
        } else if (type == edImagePickerDropDown) {
          const TCellType cellType = GetCellType(c, ARow);
          if ((cellType == ctImageList || cellType == ctDataImage) && GridImages() != nullptr) {
            EditImagePicker->SetImages(GridImages());
            if (EditImagePicker->Items()->Count() == 0)
              for (int i = 0; i < GridImages()->Count(); ++i) EditImagePicker->Items()->Add()->SetImageIndex(i);
            int index = -1;
            if (cellType == ctImageList)
              GetImageIdx(c, ARow, index);
            else
              index = LeadingInteger(text);
            EditImagePicker->SetImageIndex(index);
          }
        } else if (type == edMemoDropDown) {
          EditMemo->MemoText()->SetText(text);
        } else {
          picker->SetText(text);
        }
        place(picker, true, true);
        if (type == edDetailDropDown) EditDetailPicker->SetItemIndex(EditDetailPicker->Items()->IndexOf(EditDetailPicker->Text()));
        if (MouseActions()->DirectComboDrop) picker->ShowDropDown();
      }
      break;
  }
  FSpecialLoadedValue = SpecialEditorValue();
  FStartEditChar = '\0';
}

// ---- Writing back and hiding ------------------------------------------------------------------

String TRivErodovOzar::SpecialEditorValue() {
  switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: return EditSpin->Text();
    case edComboEdit:
    case edComboList: return EditCombo->Text();
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: return EditBtn->Text();
    case edUnitEditBtn: return UnitEditBtn->TextAndUnit();
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: return EditDate != nullptr && EditDate->Checked() ? EditDate->Text() : String();
    case edDateTimeEdit:
      return EditDateTime != nullptr && EditDateTime->Checked()
                 ? FormatDateTime(FormatSettings.ShortDateFormat + " " + FormatSettings.ShortTimeFormat,
                                  EditDateTime->DateTime())
                 : String();
    case edTrackbarDropDown: return EditTrackBar->Text();
    case edMemoDropDown: return MemoValue(EditMemo->MemoText());
    case edCalculatorDropDown: return EditCalculator->Text();
    case edTimePickerDropDown: return EditTimePicker->Text();
    case edDetailDropDown: return EditDetailPicker->Text();
    case edGridDropDown: return EditGridPicker->Text();
    case edRivGridDropDown: return EditRivGridPicker != nullptr ? EditRivGridPicker->Text() : String();
    case edColorPickerDropDown: return IntToStr(EditColorPicker->SelectedColor());
    case edImagePickerDropDown: return IntToStr(EditImagePicker->ImageIndex());
    default: return String();
  }
}

void TRivErodovOzar::HideSpecialEditor(int ACol, int ARow) {
  FSpecialEditor = false;
  FBlockKill = true;
  const int c = RealColIndex(ACol);
  FStartEditChar = '\0';
  const bool write = EditMode && !FSpecialCancelled && SpecialEditorValue() != FSpecialLoadedValue;
  auto hide = [](TWinControl* Control) {
    if (Control == nullptr) return;
    Control->SetVisible(false);
    Control->SetEnabled(false);
    Control->SetParent(nullptr);
  };
  switch (EditControl) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
      if (write) {
        if (EditSpin->AllowEmptyValue && Trim(EditSpin->Text()).empty())
          TBaseGrid::SetCells(c, ARow, "");
        else if (EditControl == edSpinEdit)
          SetCellInteger(c, ARow, EditSpin->Value());
        else if (EditControl == edFloatSpinEdit)
          SetCellFloat(c, ARow, EditSpin->FloatValue());
        else if (EditControl == edDateSpinEdit)
          SetCellDate(c, ARow, EditSpin->DateValue());
        else
          SetEditCellText(ACol, ARow, EditSpin->Text());
      }
      hide(EditSpin);
      break;
    case edComboEdit:
    case edComboList:
      if (write) SetEditCellText(ACol, ARow, EditCombo->Text());
      EditCombo->DroppedDown = false;
      hide(EditCombo);
      break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
      if (write) SetEditCellText(ACol, ARow, EditBtn->Text());
      hide(EditBtn);
      break;
    case edUnitEditBtn:
      if (write) SetEditCellText(ACol, ARow, UnitEditBtn->TextAndUnit());
      hide(UnitEditBtn);
      break;
    case edCheckBox: hide(EditCheck); break;
    case edButton: hide(GridButton); break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
      if (write) SetEditCellText(ACol, ARow, SpecialEditorValue());
      hide(EditDate);
      break;
    case edDateTimeEdit:
      if (write) SetEditCellText(ACol, ARow, SpecialEditorValue());
      hide(EditDateTime);
      break;
    case edColorPickerDropDown:
      if (write) {
        TColor k = EditColorPicker->SelectedColor();
        String t = EditColorPicker->SelectedColorText();
        if (OnColorSelected) OnColorSelected(this, c, ARow, k, t);
        SetEditCellText(ACol, ARow, t);
        if (GetCellType(c, ARow) == ctShape)
          SetShapeColor(c, ARow, k);
        else
          SetCellBackColor(c, ARow, k);
      }
      EditColorPicker->HideDropDown(false);
      hide(EditColorPicker);
      break;
    case edImagePickerDropDown:
      if (write) {
        int index = EditImagePicker->ImageIndex();
        if (OnImageSelected) OnImageSelected(this, c, ARow, index);
        if (GetCellType(c, ARow) == ctImageList)
          SetImageIdx(c, ARow, index);
        else if (GetCellType(c, ARow) == ctDataImage)
          SetEditCellText(ACol, ARow, IntToStr(index));
      }
      EditImagePicker->HideDropDown(false);
      hide(EditImagePicker);
      break;
    default:
      if (IsPickerType(EditControl)) {
        TRivCustomDropDown* picker = nullptr;
        switch (EditControl) {
          case edTrackbarDropDown: picker = EditTrackBar; break;
          case edMemoDropDown: picker = EditMemo; break;
          case edCalculatorDropDown: picker = EditCalculator; break;
          case edTimePickerDropDown: picker = EditTimePicker; break;
          case edDetailDropDown: picker = EditDetailPicker; break;
          case edGridDropDown: picker = EditGridPicker; break;
          default: picker = EditRivGridPicker; break;
        }
        if (picker != nullptr) {
          if (write) SetEditCellText(ACol, ARow, SpecialEditorValue());
          picker->HideDropDown(false);
          hide(picker);
        }
      }
      break;
  }
  EditMode = false;
  EditCtrl = nullptr;
  if (EditControl != edNormal && FEditActive) DoEditingDone(c, ARow);
  FBlockKill = false;
  FEditActive = false;
  FSpecialCancelled = false;
}

bool TRivErodovOzar::ValidateSpecialEdit(const String& Value) {
  if (FSpecialEditor && SpecialEditorValue() == FSpecialLoadedValue) {
    FSpecialCancelled = true;
    FNewCellText = Value;
    return true;
  }
  // Changed after an earlier Enter found it unchanged: this value is written.
  FSpecialCancelled = false;
  SetCurrentCell(Value);
  return ValidateCell(Value);
}

void TRivErodovOzar::HideCellEdit() { HideSpecialEditor(Col(), Row()); }

void TRivErodovOzar::ShowCellEdit() { SendMessage(Handle(), WM_KEYDOWN, VK_F2, 0); }
