// The enumerations and event types the drop-down edits, their pop-up window, its header and
// footer strips and their buttons share.
#pragma once

#include <functional>

#include "classlib/Types.h"

class TCanvas;

enum TDropPosition { dpAuto, dpDown, dpUp };
enum TSelectionColorStyle { scCustom, scOffice2007, scWindowsVista, scWindows7 };
enum TGradientDirection { gdHorizontal, gdVertical };
enum TDropDownEditType { etString, etNumeric, etFloat, etUppercase, etMixedCase, etLowerCase, etPassword, etMoney,
                         etRange, etHex, etAlphaNumeric, etValidChars };
enum TButtonAlignment { baLeft, baRight };

// May refuse the opening by setting acceptdrop false.
using TDropDown = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
// The grid has a clipboard event of its own with another signature; a unit may use both.
namespace RivDropDown {
using TClipboardEvent = std::function<void(TObject* Sender, const String& value, bool& allow)>;
}  // namespace RivDropDown
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;
