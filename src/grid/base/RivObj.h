// Unit RivObj: the grid's support lists and objects, its settings objects, the alignment and
// gradient kinds of the cell model, and TObjStringGrid, the step between the platform string
// grid and the base grid.
#pragma once

#include "classlib/Grids.h"
#include "grid/base/RivObjLists.h"
#include "grid/base/RivObjSettings.h"
#include "grid/base/ZudAzud.h"

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
// The cell editor kinds, in the order the grid's stored cell properties number them.
enum TEditorType { edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
                   edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat,
                   edCapital, edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit,
                   edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone,
                   edDateTimeEdit, edValidChars, edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown,
                   edTimePickerDropDown, edDetailDropDown, edGridDropDown, edColorPickerDropDown,
                   edImagePickerDropDown, edRivGridDropDown, edPositiveFloat };

class TObjStringGrid : public TStringGrid {
 public:
  explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};
