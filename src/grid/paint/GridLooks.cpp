// The grid's looks: the Look presets, the office and desktop styles, the older colour schemes,
// following the office theme, the look names and the outer border.
#include <array>

#include "classlib/Colors.h"
#include "grid/editing/GridEditorControls.h"
#include "grid/model/RivErodovOzar.h"

namespace {

constexpr std::array<const char*, 9> kLookNames = {"glStandard", "glSoft",     "glClassic", "glVAV",       "glXP",
                                                    "glListView", "glVista",   "glWin7",    "glOffice2007"};
constexpr std::array<const char*, 9> kLookDisplayNames = {"Standard", "Soft",          "Classic",   "VAV",       "Windows XP",
                                                           "ListView", "Windows Vista", "Windows 7", "Office2007"};

}  // namespace

void TRivErodovOzar::GetLookName(TGridLook Value, String& Name) {
  if (Value < glCustom) Name = kLookNames[Value];
}

void TRivErodovOzar::GetLookDisplayName(TGridLook Value, String& Name) {
  if (Value < glCustom) Name = kLookDisplayNames[Value];
}

// ---- Gradient fields ----

void TRivErodovOzar::SetVAVGradientFrom(TColor Value) {
  FVAVGradFrom = ColorToRGB(Value);
  Invalidate();
}

void TRivErodovOzar::SetVAVGradientTo(TColor Value) {
  FVAVGradTo = ColorToRGB(Value);
  Invalidate();
}

void TRivErodovOzar::SetVAVGradientMirrorFrom(TColor Value) {
  FVAVGradMirrorFrom = ColorToRGB(Value);
  Invalidate();
}

void TRivErodovOzar::SetVAVGradientMirrorTo(TColor Value) {
  FVAVGradMirrorTo = ColorToRGB(Value);
  Invalidate();
}

void TRivErodovOzar::SetGridGradient(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
  SetVAVGradientFrom(From);
  SetVAVGradientTo(To);
  SetVAVGradientMirrorFrom(MirrorFrom);
  SetVAVGradientMirrorTo(MirrorTo);
}

void TRivErodovOzar::SetControlLookGradient(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
  FControlLook->SetFixedGradientFrom(From);
  FControlLook->SetFixedGradientTo(To);
  FControlLook->SetFixedGradientMirrorFrom(MirrorFrom);
  FControlLook->SetFixedGradientMirrorTo(MirrorTo);
}

void TRivErodovOzar::SetHoverColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
  FControlLook->SetFixedGradientHoverFrom(From);
  FControlLook->SetFixedGradientHoverTo(To);
  FControlLook->SetFixedGradientHoverMirrorFrom(MirrorFrom);
  FControlLook->SetFixedGradientHoverMirrorTo(MirrorTo);
}

void TRivErodovOzar::SetDownColors(TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo, TColor Border) {
  FControlLook->SetFixedGradientDownFrom(From);
  FControlLook->SetFixedGradientDownTo(To);
  FControlLook->SetFixedGradientDownMirrorFrom(MirrorFrom);
  FControlLook->SetFixedGradientDownMirrorTo(MirrorTo);
  FControlLook->SetFixedGradientDownBorder(Border);
}

void TRivErodovOzar::SetFlat(bool Value) {
  FFlat = Value;
  if (!IsStreaming()) Invalidate();
}

// ---- Look ----

void TRivErodovOzar::SetLook(TGridLook Value) {
  if (Value == FLook) return;
  FLook = Value;
  if (Value != glCustom) {
    SetControlLookGradient(clNone, clNone, clNone, clNone);
    SetGridGradient(clNone, clNone, clNone, clNone);
    FSortSettings->SetHeaderColor(clNone);
  }
  switch (Value) {
    case glVista:
      SetStyle(gsWindowsVista);
      SetSelectionStyle(ssVista);
      FStyle = gsWindowsVista;
      break;
    case glWin7:
      SetStyle(gsWindows7);
      SetSelectionStyle(ssWin7);
      FStyle = gsWindows7;
      break;
    case glOffice2007:
      SetStyle(gsOffice2007Luna);
      SetSelectionStyle(ssOffice2007);
      FStyle = gsOffice2007Luna;
      break;
    case glCustom: break;
    default: ApplyLookPreset(Value); break;
  }
  Invalidate();
}

// The colour presets of the looks that bring no office style. The grid's drop-down editor
// controls would take tsWindowsXP here; the grid has none yet.
void TRivErodovOzar::ApplyLookPreset(TGridLook Value) {
  SetSelectionStyle(ssDefault);
  if (ComponentState().Contains(csLoading)) return;
  const bool classic = Value == glStandard || Value == glSoft || Value == glClassic;
  if (classic) {
    SetFixedColor(clBtnFace);
    FControlLook->SetFixedGradientFrom(clBtnFace);
    FControlLook->SetFixedGradientTo(clNone);
  } else {
    FControlLook->SetFixedGradientFrom(0xFFFFFF);
    FControlLook->SetFixedGradientTo(clBtnFace);
  }
  SetGridFixedLineColor(0x808080);
  FControlLook->SetFixedGradientMirrorFrom(clNone);
  FControlLook->SetFixedGradientMirrorTo(clNone);
  SetVAVGradientMirrorFrom(clNone);
  SetVAVGradientMirrorTo(clNone);
  SetGridLineColor(0xC0C0C0);
  if (classic || Value == glListView) {
    ActiveCellColor = 0x808080;
    ActiveCellColorTo = clNone;
    SelectionColor = clHighlight;
    SelectionTextColor = clHighlightText;
    SearchFooter()->SetColor(clBtnFace);
    SearchFooter()->SetColorTo(clBtnFace);
    return;
  }
  ActiveCellColor = 0xEACAB6;
  ActiveCellColorTo = clNone;
  SelectionColor = 0xEACAB6;
  SelectionColorTo = clNone;
  SelectionTextColor = 0x000000;
  SearchFooter()->SetColor(FVAVGradFrom);
  SearchFooter()->SetColorTo(FVAVGradTo);
  FControlLook->SetFixedGradientFrom(0xFFFFFF);
  FControlLook->SetFixedGradientTo(Value == glXP ? clBtnFace : 0xC0C0C0);
  SetHoverColors(0xCFD0D1, 0xBEC6C8, 0xBEC6C8, 0xABBCBF);
  FControlLook->SetFixedGradientDownFrom(0x868788);
  FControlLook->SetFixedGradientDownTo(0x737C7E);
  FControlLook->SetFixedGradientDownMirrorFrom(0x737C7E);
  FControlLook->SetFixedGradientDownMirrorTo(0x627376);
}

// ---- Styles ----

// The style asked for is recorded after it ran: a look switched on the way records the style
// that look implies, which is not the one asked for.
void TRivErodovOzar::SetComponentStyle(TVAVStyle AStyle) {
  SetStyle(static_cast<TRivGridStyle>(AStyle));
  FStyle = static_cast<TRivGridStyle>(AStyle);
  // The grid's drop-down editors take the same style.
  TRivCustomDropDown* pickers[] = {EditTrackBar,     EditMemo,       EditCalculator,  EditTimePicker, EditDetailPicker,
                                   EditGridPicker,   EditColorPicker, EditImagePicker, EditRivGridPicker};
  for (TRivCustomDropDown* picker : pickers)
    if (picker != nullptr) picker->SetComponentStyle(AStyle);
}

void TRivErodovOzar::SetStyle(TRivGridStyle AStyle) {
  SelectionColor = clHighlight;
  SelectionTextColor = clHighlightText;
  SetSelectionStyle(ssDefault);
  auto sortHeader = [&](TColor From, TColor To, TColor MirrorFrom, TColor MirrorTo) {
    FSortSettings->SetHeaderColor(From);
    FSortSettings->SetHeaderColorTo(To);
    FSortSettings->SetHeaderMirrorColor(MirrorFrom);
    FSortSettings->SetHeaderMirrorColorTo(MirrorTo);
  };
  sortHeader(clNone, clNone, clNone, clNone);
  // Fixed gradient of the grid, active cell colours, search footer and the two line colours.
  auto common = [&](TColor From, TColor To, TColor ActiveFrom, TColor ActiveTo, TColor FooterTo, TColor Line,
                    TColor FixedLine) {
    SetVAVGradientFrom(From);
    SetVAVGradientTo(To);
    ActiveCellColor = ActiveFrom;
    ActiveCellColorTo = ActiveTo;
    SearchFooter()->SetColor(From);
    SearchFooter()->SetColorTo(FooterTo);
    SetGridLineColor(Line);
    SetGridFixedLineColor(FixedLine);
  };
  auto noMirrors = [&]() {
    SetVAVGradientMirrorFrom(clNone);
    SetVAVGradientMirrorTo(clNone);
  };
  auto clFromTo = [&](TColor From, TColor To) {
    FControlLook->SetFixedGradientFrom(From);
    FControlLook->SetFixedGradientTo(To);
  };
  auto selection = [&](TColor Color) {
    SelectionColor = Color;
    SelectionTextColor = 0x000000;
  };
  auto office2003 = [&](TColor From, TColor To) {
    SetLook(glXP);
    common(From, To, 0x94E6FB, 0x1595EE, clNone, 0xC0C0C0, 0x808080);
    noMirrors();
    clFromTo(From, To);
  };
  auto office2010 = [&](TColor Color, TColor FixedLine, TColor SortHeader) {
    SetLook(glOffice2007);
    common(Color, Color, 0x5BD5FF, 0x71EFFF, Color, 0xC0C0C0, FixedLine);
    SetVAVGradientMirrorFrom(Color);
    SetVAVGradientMirrorTo(Color);
    SetControlLookGradient(Color, Color, Color, Color);
    clFromTo(clNone, clNone);
    selection(0xFFDBB7);
    FVAVGradHoverFrom = FVAVGradHoverTo = FVAVGradHoverMirrorFrom = FVAVGradHoverMirrorTo = clNone;
    FVAVGradHoverBorder = clNone;
    SetHoverColors(0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF);
    FControlLook->SetFixedGradientHoverBorder(0x3ABFE8);
    SetDownColors(0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2);
    sortHeader(SortHeader, SortHeader, SortHeader, SortHeader);
    SetSelectionStyle(ssDefault);
  };
  switch (AStyle) {
    case gsOffice2003Blue: office2003(0xFCE1CB, 0xE0A57D); break;
    case gsOffice2003Silver: office2003(0xECE2E1, 0xB39698); break;
    case gsOffice2003Olive: office2003(0xCFF0EA, 0x8CC0B1); break;
    case gsOffice2003Classic:
      SetLook(glXP);
      common(0xFFFFFF, 0xCCD4D8, 0xD8D5D4, 0xD8D5D4, clNone, 0xC0C0C0, 0x808080);
      noMirrors();
      clFromTo(clNone, clNone);
      break;
    case gsOffice2007Luna:
      SetLook(glOffice2007);
      common(0xFBF9F6, 0xE8DBD2, 0x9DD8F9, 0x5EC1F1, clNone, 0xF1EDEB, 0xD1BBA4);
      noMirrors();
      clFromTo(0xFBF9F6, 0xE8DBD2);
      selection(0x5EC1F1);
      SetHoverColors(0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC);
      FControlLook->SetFixedGradientHoverBorder(0xB79F87);
      SetDownColors(0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D);
      if (FLook == glOffice2007) SetSelectionStyle(ssOffice2007);
      break;
    case gsOffice2007Obsidian:
      SetLook(glOffice2007);
      common(0xF7F7F7, 0xDEDEDE, 0x9DD8F9, 0x5EC1F1, clNone, 0xE5D7D0, 0x808080);
      noMirrors();
      clFromTo(0xF7F7F7, 0xDEDEDE);
      selection(0x5EC1F1);
      break;
    case gsWindowsXP:
      SetLook(glXP);
      SetLook(glXP);
      common(clBtnFace, clBtnFace, clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0x808080);
      noMirrors();
      clFromTo(clNone, clNone);
      break;
    case gsWhidbey:
      common(0xFFFFFF, clBtnFace, 0x94E6FB, 0x1595EE, clNone, 0xC0C0C0, 0x808080);
      noMirrors();
      clFromTo(clNone, clNone);
      break;
    case gsCustom: break;
    case gsOffice2007Silver:
      SetLook(glOffice2007);
      common(0xF3F3F1, 0xCAC9C8, 0x99CCFF, 0x699CFF, FVAVGradMirrorTo, 0xE5D7D0, 0x808080);
      clFromTo(0xF3F3F1, 0xCAC9C8);
      selection(0x95C7F5);
      break;
    case gsWindowsVista:
      SetLook(glVista);
      common(0xFFFFFF, 0xFFFFFF, 0xFDF8F1, 0xFCEFD5, 0xF4F2F1, 0xECECF0, 0xD4D2D1);
      SetVAVGradientMirrorFrom(0xFAF8F7);
      SetVAVGradientMirrorTo(0xF4F2F1);
      SetControlLookGradient(0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1);
      clFromTo(clNone, clNone);
      selection(0xEACAB6);
      SetHoverColors(0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7);
      FVAVGradHoverBorder = 0xE3C993;
      SetDownColors(0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F);
      sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
      SetSelectionStyle(ssVista);
      break;
    case gsWindows7:
      SetLook(glWin7);
      common(0xFDFCFA, 0xFAF0E6, 0xFCEBDC, 0xFCDBC1, 0xF7E9DD, 0xECECF0, 0xD4D2D1);
      SetVAVGradientMirrorFrom(0xF4E6DC);
      SetVAVGradientMirrorTo(0xF7E9DD);
      SetControlLookGradient(0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD);
      clFromTo(clNone, clNone);
      selection(0xEACAB6);
      SetHoverColors(0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1);
      FVAVGradHoverBorder = 0xEEE8E3;
      SetDownColors(0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA);
      sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
      SetSelectionStyle(ssWin7);
      break;
    case gsTerminal: SetLook(glStandard); break;
    case gsOffice2010Blue: office2010(0xF5E7DA, 0xC7B0A0, 0xD6CEC7); break;
    case gsOffice2010Silver: office2010(0xE8E3DF, 0xBAB5B1, 0xAAAAAA); break;
    case gsOffice2010Black: office2010(0x6A6A6A, 0x444444, 0xBABABA); break;
  }
  Invalidate();
}

// ---- Older colour schemes ----

void TRivErodovOzar::SetTheme(TXPColorScheme Scheme) {
  struct TScheme {
    TColor From, To, MirrorFrom, MirrorTo, FooterFrom, FooterTo;
  };
  TScheme s{};
  switch (Scheme) {
    case xpBlue: s = {0xFCE1CB, 0xE0A57D, clNone, clNone, 0xFCE1CB, 0xE0A57D}; break;
    case xpGreen: s = {0xCFF0EA, 0x8CC0B1, clNone, clNone, 0xCFF0EA, 0x8CC0B1}; break;
    case xpGray: s = {0xECE2E1, 0xB39698, clNone, clNone, 0xECE2E1, 0xB39698}; break;
    case vistaAero: s = {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1, 0xECE2E1, 0xB39698}; break;
    case xpNone: s = {0xFFFFFF, ColorToRGB(clBtnFace), clNone, clNone, 0xFFFFFF, 0xFFD9B3}; break;
  }
  // No repaint: the fields are written without their setters.
  FVAVGradFrom = s.From;
  FVAVGradTo = s.To;
  FVAVGradMirrorFrom = s.MirrorFrom;
  FVAVGradMirrorTo = s.MirrorTo;
  if (Scheme == xpNone) {
    FControlLook->FFixedGradientFrom = clNone;
    FControlLook->FFixedGradientTo = clNone;
    ActiveCellColor = 0xFFFFFF;
    ActiveCellColorTo = 0xFFD9B3;
  } else {
    FControlLook->FFixedGradientFrom = s.From;
    FControlLook->FFixedGradientTo = s.To;
    ActiveCellColor = 0x94E6FB;
    ActiveCellColorTo = 0x1595EE;
  }
  SearchFooter()->SetColor(s.FooterFrom);
  SearchFooter()->SetColorTo(s.FooterTo);
}

void TRivErodovOzar::FollowOfficeTheme() {
  if (IsDesigning()) return;
  const TOfficeTheme theme = CurrentOfficeTheme();
  if (theme == FOldOfficeTheme) return;
  switch (theme) {
    case ot2003Blue: SetComponentStyle(tsOffice2003Blue); break;
    case ot2003Silver: SetComponentStyle(tsOffice2003Silver); break;
    case ot2003Olive: SetComponentStyle(tsOffice2003Olive); break;
    case ot2003Classic: SetComponentStyle(tsOffice2003Classic); break;
    case ot2007Blue: SetComponentStyle(tsOffice2007Luna); break;
    case ot2007Silver: SetComponentStyle(tsOffice2007Silver); break;
    case ot2007Black: SetComponentStyle(tsOffice2007Obsidian); break;
    case ot2010Blue: SetComponentStyle(tsOffice2010Blue); break;
    case ot2010Silver: SetComponentStyle(tsOffice2010Silver); break;
    case ot2010Black: SetComponentStyle(tsOffice2010Black); break;
    case otUnknown: break;
  }
  FOldOfficeTheme = theme;
}

// ---- Outer border ----

// The window frame belongs to the window system here; the grid records the outlines it would
// draw over it so that the frame painter (and tests) can use them. Visual themes are inactive
// on this platform, so the border takes the classic grey.
void TRivErodovOzar::DrawLookBorder() {
  FLastLookBorder = TLookBorder{};
  const bool look = FLook == glSoft || (FLook >= glVAV && FLook <= glOffice2007);
  if (!look || BorderStyle == bsNone || FFlat) return;
  FLastLookBorder.Color = 0x808080;
  const int w = Width(), h = Height();
  if (FitCellsInGrid) {
    FLastLookBorder.Outlines.push_back(Rect(1, 1, w - 2, h - 2));
    if (Parent() != nullptr) FLastLookBorder.Outlines.push_back(Rect(0, 0, w - 1, h - 1));
  } else {
    FLastLookBorder.Outlines.push_back(Rect(0, 0, w - 1, h - 1));
  }
}
