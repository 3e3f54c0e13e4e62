// The looks of TRivCustomDropDown: the selection colours per selection style, the pop-up,
// header and footer colours and the header and footer button colours per look.
#include "grid/base/ZudAzudDraw.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownButtons.h"
#include "grid/dropdowns/RivDropDownDraw.h"
#include "grid/dropdowns/RivDropDownStrips.h"

namespace {

constexpr TColor kKept = 0x7FFFFFFF;  // the frame colour a look leaves as it is

struct TPopupLook {
  TVAVStyle Style;
  TColor Popup, PopupTo, Frame;
  TColor HeaderColor, HeaderColorTo, FooterColor, FooterColorTo;
  TColor Font;
  TColor HeaderBorder, FooterBorder;
};

const TPopupLook kPopupLooks[] = {
    {tsOffice2003Blue, 0xFFFFFF, clNone, kKept, 0xFCE1CB, 0xE0A57D, 0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, 0x962D00},
    {tsOffice2003Silver, 0xFFFFFF, clNone, kKept, 0xECE2E1, 0xB39698, 0xECE2E1, 0xB39698, 0x000000, 0x947C7C, 0x947C7C},
    {tsOffice2003Olive, 0xFFFFFF, clNone, clNone, 0xCFF0EA, 0x8CC0B1, 0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, 0x588060},
    {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, clNone, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080,
     0x808080},
    {tsOffice2007Luna, 0xF3E5DA, 0xF0DED0, clNone, 0xFFEFE3, 0xFFD2AF, 0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, 0xFFD2AF},
    {tsOffice2007Obsidian, 0xFFFFFF, clNone, clNone, 0xF2F1F0, 0xC9C2BD, 0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C,
     0x5C534C},
    {tsWindowsXP, 0xFFFFFF, clNone, kKept, 0xFFFFFF, clBtnFace, 0xFFFFFF, clBtnFace, 0x000000, 0x808080, 0x808080},
    {tsWhidbey, 0xF5F9FA, 0xF5F9FA, clNone, 0xEBEEEF, 0x7E9898, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, 0x962D00},
    {tsOffice2007Silver, 0xF8F4F1, 0xF0E8E3, clNone, 0xF8F7F6, 0xE8E0DB, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F,
     0x74706F},
    {tsWindowsVista, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0xFFFAF0, 0xFFFDF9, 0x000000, 0xFCF2DA, 0xFCF2DA},
    {tsWindows7, 0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, 0xFBD6B8},
    {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, 0x000000, clNone, clNone},
    {tsOffice2010Blue, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F,
     0xC7B29F},
    {tsOffice2010Silver, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8,
     0xD2CDC8},
    {tsOffice2010Black, 0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D,
     0x6D6D6D},
};

struct TButtonLook {
  TColor Color, ColorTo, Border;
  TColor Hot, HotTo, HotBorder;
  TColor Down, DownTo, DownBorder;
  TColor Disabled, DisabledTo;
  TColor Checked, CheckedTo, CheckedBorder;
};

// The hot, down, disabled and checked colours most office looks share.
TButtonLook Common(TColor Color, TColor ColorTo) {
  return {Color,    ColorTo,  clNone,   0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF,
          0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B};
}

TButtonLook Office2010(TColor Color, TColor ColorTo, TColor Border) {
  return {Color,    ColorTo, Border,   0x8AE3FD, clNone,   0x58CAF1, 0x6CD0FF,
          clNone,   0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone, 0x4FA0CE};
}

bool ButtonLookOf(TVAVStyle Style, TButtonLook& Look) {
  switch (Style) {
    case tsOffice2003Blue: Look = Common(0xFCE1CB, 0xE0A57D); return true;
    case tsOffice2003Silver: Look = Common(0xECE2E1, 0xB39698); return true;
    case tsOffice2003Olive: Look = Common(0xCFF0EA, 0x8CC0B1); return true;
    case tsOffice2003Classic:
      Look = {0xFFFFFF, 0xC9D1D5, clNone,   0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285,
              0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080};
      return true;
    case tsOffice2007Luna: Look = Common(0xFFEFE3, 0xFFDDC4); return true;
    case tsOffice2007Obsidian: Look = Common(0xF2F1F0, 0xC9C2BD); return true;
    case tsWindowsXP:
      Look = {0xFFFFFF,          clBtnFace,   clNone,   0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption,
              clInactiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC,    0x000000};
      return true;
    case tsWhidbey: Look = Common(0xFFFFFF, 0xDFEDF0); return true;
    case tsOffice2007Silver: Look = Common(0xF9F8F8, 0xE4E2DF); return true;
    case tsWindowsVista:
      // The checked border is the same colour as the pressed one.
      Look = {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0,
              0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A};
      return true;
    case tsWindows7:
      Look = {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC,
              0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D};
      return true;
    case tsTerminal:
      Look = {clBtnFace,   clBtnFace, clNone,    0xC0C0C0,  0xC0C0C0,  0x808080,  clHighlight,
              clHighlight, 0x808080,  clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight};
      return true;
    case tsOffice2010Blue: Look = Office2010(0xFDF6EF, 0xF0DAC7, 0xC7B29F); return true;
    case tsOffice2010Silver: Look = Office2010(0xFFFFFF, 0xEDE5E0, 0xD2CDC8); return true;
    case tsOffice2010Black: Look = Office2010(0xBFBFBF, 0x919191, 0xD7D7D6); return true;
    case tsCustom: return false;
  }
  return false;
}

void ApplyButtonLook(TRivButtonAppearance* A, const TButtonLook& L) {
  A->SetColor(L.Color);
  A->SetColorTo(L.ColorTo);
  A->SetBorderColor(L.Border);
  A->SetColorHot(L.Hot);
  A->SetColorHotTo(L.HotTo);
  A->SetBorderColorHot(L.HotBorder);
  A->SetColorDown(L.Down);
  A->SetColorDownTo(L.DownTo);
  A->SetBorderColorDown(L.DownBorder);
  A->SetColorDisabled(L.Disabled);
  A->SetColorDisabledTo(L.DisabledTo);
  A->SetColorChecked(L.Checked);
  A->SetColorCheckedTo(L.CheckedTo);
  A->SetBorderColorChecked(L.CheckedBorder);
}

}  // namespace

void TRivCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  FSelectionColorStyle = Value;
  switch (Value) {
    case scOffice2007:
      FSelectionColor = 0xD7FFFD;
      FSelectionColorTo = 0x58D4FC;
      break;
    case scWindowsVista:
      FSelectionColor = 0xFDF8F1;
      FSelectionColorTo = 0xFCEFD5;
      break;
    case scWindows7:
      FSelectionColor = 0xFCEBDC;
      FSelectionColorTo = 0xFCDBC1;
      break;
    case scCustom:
      break;
  }
}

void TRivCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, TRect R, TColor Background, int Segment) {
  if (Canvas == nullptr) return;
  if (FSelectionColorStyle == scCustom) {
    Canvas->Brush()->SetColor(FSelectionColor);
    Canvas->Pen()->SetColor(FSelectionColor);
    Canvas->Rectangle(R);
    return;
  }
  TColor edge = 0xC3D9DF, border = 0x8DD7D3, bottom = 0xCAF8FF, top = 0xF4FEFF, mirror = 0x58D4FC, mirrorTo = 0xB3F1FC;
  if (FSelectionColorStyle == scWindowsVista) {
    edge = 0xFCEDCB, border = 0xFDDE99, bottom = 0xFDF5E7, top = 0xFDFBF6, mirror = clNone, mirrorTo = clNone;
  } else if (FSelectionColorStyle == scWindows7) {
    edge = 0xE0C5AE, border = 0xCEA27D, bottom = 0xFDEADB, top = 0xFDF4EB, mirror = clNone, mirrorTo = clNone;
  }
  DrawStyledSelection(Canvas, FSelectionColor, FSelectionColorTo, mirror, mirrorTo, top, bottom, border, edge,
                      Background, R, Segment);
}

void TRivCustomDropDown::DrawGradientBackground(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps, TRect R,
                                                TGradientDirection Direction) {
  FillGradientRect(Canvas, Color, ColorTo, Steps, R, Direction == gdHorizontal);
}

void TRivCustomDropDown::SetComponentStyle(TVAVStyle AStyle) {
  FVAVStyle = AStyle;
  if (AStyle == tsCustom) return;
  for (const TPopupLook& look : kPopupLooks) {
    if (look.Style != AStyle) continue;
    SetDropDownColor(look.Popup);
    FDropDownColorTo = look.PopupTo;
    if (look.Frame != kKept) FDropDownBorderColor = look.Frame;
    FDropDownHeader->SetColor(look.HeaderColor);
    FDropDownHeader->SetColorTo(look.HeaderColorTo);
    FDropDownHeader->Font()->SetColor(look.Font);
    FDropDownHeader->SetBorderColor(look.HeaderBorder);
    FDropDownFooter->SetColor(look.FooterColor);
    FDropDownFooter->SetColorTo(look.FooterColorTo);
    FDropDownFooter->Font()->SetColor(look.Font);
    FDropDownFooter->SetBorderColor(look.FooterBorder);
    break;
  }
  TButtonLook buttons;
  if (ButtonLookOf(AStyle, buttons)) ApplyButtonLook(FButtonAppearance.get(), buttons);
}
