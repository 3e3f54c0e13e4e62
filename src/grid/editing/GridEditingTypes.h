// The event types of the data grid's editing: validation, the end of an edit, the cell
// changing and advancing events, the inplace editor's clipboard and sizing events.
#pragma once

#include <functional>

#include "classlib/Types.h"

class TObject;

using TCellValidateEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, WideString& Value, bool& Valid)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TAutoAdvanceEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, int ACol)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
// The edit link is nullptr for the plain inplace editor.
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TObject* AEditLink)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardPasteCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, String& Value, bool& Allow)>;
using TClipboardAfterPasteCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, bool& CanShow)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& S)>;

// The special editors' events.
using TSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TComboChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const String& Value, TDateTime& ADate)>;
using TColorSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& Color, String& Value)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, int& Index)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& NewUnit)>;
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)>;
