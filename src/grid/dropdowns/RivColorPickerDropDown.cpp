// The colour picker drop-down: its list colours, the content of each selection style, choosing,
// keys and the wheel, and the edit painted with a box and a text for the selected colour.
#include "grid/dropdowns/RivColorPickerDropDown.h"

#include <algorithm>
#include <initializer_list>

#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/ExtCtrls.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownStrips.h"

namespace {

struct NamedColor {
  const char* name;
  TColor color;
};

const NamedColor kDefaultColors[] = {{"Black", 0x000000},  {"Maroon", 0x000080}, {"Green", 0x008000},
                                     {"Olive", 0x008080},  {"Navy", 0x800000},   {"Purple", 0x800080},
                                     {"Teal", 0x808000},   {"Gray", 0x808080},   {"Silver", 0xC0C0C0},
                                     {"Red", 0x0000FF},    {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
                                     {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},
                                     {"White", 0xFFFFFF}};

String HtmlText(TColor C) {
  const TColor rgb = ColorToRGB(C);
  return "#" + IntToHex(GetRValue(rgb), 2) + IntToHex(GetGValue(rgb), 2) + IntToHex(GetBValue(rgb), 2);
}

// The web name of the basic colours; other colours by their HTML notation.
String WebName(TColor C) {
  const TColor rgb = ColorToRGB(C);
  for (const NamedColor& n : kDefaultColors)
    if (n.color == rgb) return LowerCase(n.name);
  return HtmlText(C);
}

}  // namespace

// ---- List colours --------------------------------------------------------------------------------

void TColorItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}

void TColorItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed(false);
}

void TColorItem::Assign(TPersistent* Source) {
  if (auto* o = dynamic_cast<TColorItem*>(Source)) {
    FCaption = o->FCaption;
    FColor = o->FColor;
    Enabled = o->Enabled;
    Hint = o->Hint;
    return;
  }
  TCollectionItem::Assign(Source);
}

// ---- Construction --------------------------------------------------------------------------------

TRivColorPickerDropDown::TRivColorPickerDropDown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner),
      FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FColors->OnChange = [](TObject*) {};
}

TRivColorPickerDropDown::~TRivColorPickerDropDown() {
  if (FKeyTimer != nullptr) FKeyTimer->SetEnabled(false);
}

void TRivColorPickerDropDown::AfterConstruction() {
  TRivCustomDropDown::AfterConstruction();
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  FKeyTimer = New<TTimer>(this);
  FKeyTimer->SetEnabled(false);
  FKeyTimer->SetInterval(500);
  FKeyTimer->SetOnTimer([this](TObject*) {
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
  });
  SetDropDownHeight(200);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  Cursor = crArrow;
}

void TRivColorPickerDropDown::AddDefaultColors() {
  for (const NamedColor& n : kDefaultColors) {
    TColorItem* item = FColors->Add();
    item->SetCaption(n.name);
    item->SetColor(n.color);
  }
}

void TRivColorPickerDropDown::SetShowText(bool Value) {
  if (FShowText == Value) return;
  FShowText = Value;
  Invalidate();
}

// ---- The choice ----------------------------------------------------------------------------------

void TRivColorPickerDropDown::SetItemIndex(int Value) {
  if (Value >= FColors->Count()) return;
  FItemIndex = Value;
  if (Value >= 0) FSelectedColor = FColors->Items(Value)->Color();
  Invalidate();
  if (OnSelect) OnSelect(this);
}

void TRivColorPickerDropDown::SetSelectedColor(TColor Value) {
  if (FSelectedColor == Value) return;
  FSelectedColor = Value;
  int found = -1;
  for (int i = 0; i < FColors->Count() && found < 0; ++i)
    if (FColors->Items(i)->Color() == Value) found = i;
  // A colour no list colour has is no list choice.
  if (found >= 0 || FItemIndex >= 0) SetItemIndex(found);
  Invalidate();
}

void TRivColorPickerDropDown::SelectFirst() {
  if (FColors->Count() > 0) SetItemIndex(0);
}
void TRivColorPickerDropDown::SelectLast() {
  if (FColors->Count() > 0) SetItemIndex(FColors->Count() - 1);
}
void TRivColorPickerDropDown::SelectNext() {
  if (FItemIndex < 0) SelectFirst(); else if (FItemIndex + 1 < FColors->Count()) SetItemIndex(FItemIndex + 1);
}
void TRivColorPickerDropDown::SelectPrevious() {
  if (FItemIndex < 0) SelectFirst(); else if (FItemIndex >= 1) SetItemIndex(FItemIndex - 1);
}

String TRivColorPickerDropDown::SelectedColorDisplayText() {
  if (FColorSelectionStyle == csList && FItemIndex >= 0) return FColors->Items(FItemIndex)->Caption();
  if (FSelectedColor == clNone) return "";
  const TColor rgb = ColorToRGB(FSelectedColor);
  switch (ColorValueText) {
    case cvtHex: return IntToHex(FSelectedColor, 6);
    case cvtWebName: return WebName(FSelectedColor);
    case cvtRGB:
      return "Red:" + IntToStr(GetRValue(rgb)) + ",Green:" + IntToStr(GetGValue(rgb)) + ",Blue:" + IntToStr(GetBValue(rgb));
    case cvtHTML: return HtmlText(FSelectedColor);
    default: return "";
  }
}

// ---- The pop-up content --------------------------------------------------------------------------

TControl* TRivColorPickerDropDown::PrepareContent() {
  if (DropDownForm() == nullptr) return nullptr;
  TControl* content = nullptr;
  switch (FColorSelectionStyle) {
    case csList:
      if (FItemSelector == nullptr) {
        FItemSelector = New<TRivCustomItemSelector>(this);
        FItemSelector->SetParent(DropDownForm());
        FItemSelector->SetSelectorType(stColor);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
        FItemSelector->UpdateSelectorPanel();
      }
      content = FItemSelector;
      break;
    case csDiscrete:
      if (FColorSelector == nullptr) {
        FColorSelector = New<TCustomColorSelector>(this);
        FColorSelector->SetParent(DropDownForm());
        FColorSelector->FillDefaultPalette();
      }
      FColorSelector->SetItemsPosition();
      content = FColorSelector;
      break;
    case csColorCube:
      if (FColorCubePanel == nullptr) {
        FColorCubePanel = New<TRivColorCubePanel>(this);
        FColorCubePanel->SetParent(DropDownForm());
      }
      content = FColorCubePanel;
      break;
    case csSpectrum:
      if (FSpectrumPanel == nullptr) {
        FSpectrumPanel = New<TRivColorSpectrumPanel>(this);
        FSpectrumPanel->SetParent(DropDownForm());
      }
      content = FSpectrumPanel;
      break;
  }
  content->SetBounds(0, 0, content->Width(), content->Height());
  if (auto* win = dynamic_cast<TWinControl*>(content)) win->SetColor(DropDownColor());
  SetDropDownControl(content);
  return content;
}

void TRivColorPickerDropDown::HideOthers(TControl* Keep) {
  for (TControl* c : std::initializer_list<TControl*>{FItemSelector, FColorSelector, FColorCubePanel, FSpectrumPanel})
    if (c != nullptr && c != Keep) c->Hide();
  if (Keep != nullptr) Keep->Show();
}

void TRivColorPickerDropDown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  PrepareContent();
}

void TRivColorPickerDropDown::PlaceDropDownControl() {
  TRivCustomDropDown::PlaceDropDownControl();
  if (FColorSelectionStyle != csList && DropDownForm() != nullptr) DropDownForm()->SetSizeable(false);
}

void TRivColorPickerDropDown::ConfigureItemSelector() {
  if (FItemSelector == nullptr) return;
  FItemSelector->OnItemSelect = nullptr;
  FItemSelector->SetColumns(Columns);
  FItemSelector->SetImages(Images());
  FItemSelector->SetItemLayout(Layout);
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->Items()->Clear();
  for (int i = 0; i < FColors->Count(); ++i) {
    TColorItem* c = FColors->Items(i);
    TSelectorItem* item = FItemSelector->Items()->Add();
    item->SetCaption(c->Caption());
    item->SetColor(c->Color());
    item->Hint = c->Hint;
  }
  FItemSelector->SetColorBoxHeight(ColorBoxHeight);
  FItemSelector->SetColorBoxWidth(ColorBoxWidth);
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  FItemSelector->UpdateSelectorPanel();
  FItemSelector->SetItemIndex(FItemIndex);
  FItemSelector->OnItemSelect = [this](TObject*) { ListSelect(); };
  FItemSelector->ShowHint = ShowHint;
}

void TRivColorPickerDropDown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  TControl* content = PrepareContent();
  HideOthers(content);
  switch (FColorSelectionStyle) {
    case csList:
      ConfigureItemSelector();
      FItemSelector->OnDrawItem = OnDrawColor ? TDrawItemEvent([this](TObject*, TCanvas* C, TRect R, int Index) {
        OnDrawColor(this, C, R, Index);
      })
                                              : TDrawItemEvent();
      FOldItemIndex = FItemIndex;
      break;
    case csDiscrete:
      FColorSelector->OnItemSelect = nullptr;
      FColorSelector->SetSelectedColor(FSelectedColor);
      FColorSelector->SetItemsPosition();
      FColorSelector->OnItemSelect = [this](TObject*) { DiscreteSelect(); };
      FColorSelector->SetItemColorStyle(SelectionColorStyle());
      break;
    case csColorCube:
      FColorCubePanel->SetSelectedColor(FSelectedColor);
      FColorCubePanel->InitCubeCells();
      FColorCubePanel->Reset();
      FColorCubePanel->OnSelect = [this](TObject*) { PanelSelect(FColorCubePanel->SelectedColor()); };
      break;
    case csSpectrum:
      FSpectrumPanel->SelectedColor = FSelectedColor;
      FSpectrumPanel->LayoutSpectrum();
      FSpectrumPanel->OnSelect = [this](TObject*) { PanelSelect(FSpectrumPanel->SelectedColor); };
      break;
  }
  FOldSelectedColor = FSelectedColor;
  // A click in the pop-up gives its control the keyboard; that control's keys are the pop-up's.
  auto hookKeys = [this](TWinControl* C) {
    if (C == nullptr) return;
    C->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
    C->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
    C->OnKeyPress = [this](TObject*, char& Key) { ControlKeyPress(Key); };
  };
  if (FItemSelector != nullptr) hookKeys(FItemSelector->Panel());
  hookKeys(FColorSelector);
  hookKeys(FColorCubePanel);
  hookKeys(FSpectrumPanel);
}

void TRivColorPickerDropDown::SizeDropDownForm() {
  if (FColorSelectionStyle == csList) {
    if (FItemSelector == nullptr) {
      TRivCustomDropDown::SizeDropDownForm();
      return;
    }
    FItemSelector->SetAlign(alNone);
    const TSize size = FItemSelector->GetPanelSize();
    if (DropDownWidth() < 1) FItemSelector->SetBounds(FItemSelector->Left(), FItemSelector->Top(), size.cx, FItemSelector->Height());
    if (DropDownHeight() < 1) FItemSelector->SetBounds(FItemSelector->Left(), FItemSelector->Top(), FItemSelector->Width(), size.cy);
    TRivCustomDropDown::SizeDropDownForm();
    if (FItemSelector->VertScrollBar()->Visible() && DropDownForm() != nullptr) {
      TDropDownForm* f = DropDownForm();
      f->SetBounds(f->Left(), f->Top(), f->Width() + GetSystemMetrics(SM_CXVSCROLL), f->Height());
    }
    return;
  }
  PanelSizes();
}

void TRivColorPickerDropDown::PanelSizes() {
  TDropDownForm* f = DropDownForm();
  TControl* content = DropDownControl();
  if (f == nullptr) return;
  const bool shown = content != nullptr && content->Visible();
  const int border = DropDownBorderWidth();
  int height = 2 * border;
  if (DropDownHeader()->Visible()) height += DropDownHeader()->Height();
  if (DropDownFooter()->Visible()) height += DropDownFooter()->Height();
  if (shown) height += content->Height();
  f->SetBounds(f->Left(), f->Top(), shown ? content->Width() + 2 * border : Width(), height);
}

void TRivColorPickerDropDown::CloseDropDown(bool Cancel) {
  const bool wasOpen = DropDownForm() != nullptr && DropDownForm()->Visible();
  TRivCustomDropDown::CloseDropDown(Cancel);
  if (!Cancel || !wasOpen) return;
  if (FColorSelectionStyle == csList && FItemSelector != nullptr) SetItemIndex(FOldItemIndex);
  if (FColorSelectionStyle == csDiscrete && FColorSelector != nullptr) {
    FColorSelector->OnItemSelect = nullptr;
    FColorSelector->SetSelectedColor(FOldSelectedColor);
  }
  // A cancelled pop-up leaves the colour from its opening, whatever the panel can show.
  if (FSelectedColor != FOldSelectedColor) {
    FSelectedColor = FOldSelectedColor;
    Invalidate();
  }
}

void TRivColorPickerDropDown::PopupDestroyed() {
  if (ComponentState().Contains(csDestroying)) return;
  FItemSelector = nullptr;
  FColorSelector = nullptr;
  FColorCubePanel = nullptr;
  FSpectrumPanel = nullptr;
}

void TRivColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value) {
  if (FColorSelectionStyle == Value) return;
  FColorSelectionStyle = Value;
  if (ComponentState().Contains(csDesigning) || DropDownForm() == nullptr) return;
  TControl* content = PrepareContent();
  HideOthers(content);
  FOldSelectedColor = FSelectedColor;
  if (Value == csList) {
    ConfigureItemSelector();
    SizeDropDownForm();
    FItemSelector->SetAlign(alClient);
  } else {
    content->SetAlign(alNone);
    PanelSizes();
    content->SetAlign(alClient);
  }
  DropDownForm()->Invalidate();
}

// ---- Choosing ------------------------------------------------------------------------------------

void TRivColorPickerDropDown::ListSelect() {
  SetItemIndex(FItemSelector->ItemIndex());
  if (!FInternalCall) CloseDropDown(false);
}

void TRivColorPickerDropDown::DiscreteSelect() {
  FSelectedColor = FColorSelector->SelectedColor();
  FItemIndex = -1;
  Invalidate();
  if (OnSelect) OnSelect(this);
  if (!FInternalCall) CloseDropDown(false);
}

void TRivColorPickerDropDown::PanelSelect(TColor Color) {
  FSelectedColor = Color;
  SetItemIndex(-1);
  CloseDropDown(false);
}

// ---- Keys and wheel ------------------------------------------------------------------------------

void TRivColorPickerDropDown::PopupWheelDown() {
  if (!Enabled() || ReadOnly()) return;
  FInternalCall = true;
  if (FColorSelectionStyle == csList && FItemSelector != nullptr) {
    if (DroppedDown()) FItemSelector->HotNext(); else FItemSelector->SelectNext();
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector != nullptr) {
    if (DroppedDown()) FColorSelector->HotNext(); else FColorSelector->SelectNext();
  }
  FInternalCall = false;
}

void TRivColorPickerDropDown::PopupWheelUp() {
  if (!Enabled() || ReadOnly()) return;
  FInternalCall = true;
  if (FColorSelectionStyle == csList && FItemSelector != nullptr) {
    if (DroppedDown()) FItemSelector->HotPrevious(); else FItemSelector->SelectPrevious();
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector != nullptr) {
    if (DroppedDown()) FColorSelector->HotPrevious(); else FColorSelector->SelectPrevious();
  }
  FInternalCall = false;
}

void TRivColorPickerDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    HandleKeyDown(Message);
    return;
  }
  TRivCustomDropDown::WndProc(Message);
}

void TRivColorPickerDropDown::HandleKeyDown(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  bool handled = false;
  if (Enabled() && DroppedDown() && key == VK_RETURN) {
    if (FColorSelectionStyle == csList && FItemSelector != nullptr && FItemSelector->ItemHot() >= 0) {
      FItemSelector->SetItemIndex(FItemSelector->ItemHot());
      handled = true;
    } else if (FColorSelectionStyle == csDiscrete && FColorSelector != nullptr && FColorSelector->ItemHot() >= 0) {
      FColorSelector->SetItemIndex(FColorSelector->ItemHot());
      handled = true;
    }
  }
  TRivCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (FColorSelectionStyle == csList && FItemSelector != nullptr) {
    auto choose = [this](int Index) {
      if (Index < 0 || Index >= FItemSelector->Items()->Count()) return;
      FInternalCall = true;
      FItemSelector->SetItemIndex(Index);
      FItemSelector->ScrollItemInView(Index);
      FInternalCall = false;
    };
    const int current = FItemSelector->ItemIndex();
    switch (key) {
      case VK_RETURN:
        if (!handled && OnSelect) OnSelect(this);
        break;
      case VK_PRIOR: case VK_NEXT: {
        if (FItemSelector->Items()->Count() != FColors->Count()) ConfigureItemSelector();
        const int n = FItemSelector->GetVisibleItemCount();
        if (n > 0) choose(key == VK_PRIOR ? std::max(0, current - n) : std::min(current + n, FColors->Count() - 1));
        break;
      }
      case VK_END: case VK_HOME:
        if (DroppedDown()) {
          FInternalCall = true;
          if (key == VK_END) FItemSelector->SelectLast(); else FItemSelector->SelectFirst();
          FInternalCall = false;
        } else if (key == VK_END) {
          SelectLast();
        } else {
          SelectFirst();
        }
        break;
      case VK_LEFT: case VK_RIGHT:
        if (DroppedDown() && !EditorEnabled()) {
          FInternalCall = true;
          if (key == VK_LEFT) FItemSelector->SelectPrevious(); else FItemSelector->SelectNext();
          FInternalCall = false;
        }
        break;
      case VK_UP: case VK_DOWN:
        if (DroppedDown())
          choose(current < 0 ? 0 : key == VK_UP ? current - Columns : current + Columns);
        else if (key == VK_UP)
          SelectPrevious();
        else
          SelectNext();
        break;
      default:
        if (!ctrl && key != 0) {
          FCurSearch += static_cast<char>(key);
          FInternalCall = true;
          FItemSelector->LookupItem(FCurSearch);
          FInternalCall = false;
          if (!FKeyTimer->Enabled()) FKeyTimer->SetEnabled(true);
        }
        break;
    }
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector != nullptr) {
    FInternalCall = true;
    FColorSelector->HandleKey(key, EditorEnabled(), DroppedDown());
    FInternalCall = false;
    if (key == VK_RETURN && !handled && OnSelect) OnSelect(this);
  }
}

// ---- Looks and painting --------------------------------------------------------------------------

void TRivColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  TRivCustomDropDown::SetSelectionColorStyle(Value);
  if (FItemSelector != nullptr) FItemSelector->ItemAppearance()->SetColorStyle(Value);
}

void TRivColorPickerDropDown::SetComponentStyle(TVAVStyle AStyle) {
  TRivCustomDropDown::SetComponentStyle(AStyle);
  if (FItemAppearance != nullptr) SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TRivColorPickerDropDown::PaintFocusRect(TCanvas* ACanvas) {
  TRivCustomDropDown::PaintFocusRect(ACanvas);
  DrawSelectedColor(ACanvas);
}

void TRivColorPickerDropDown::DrawSelectedColor(TCanvas* ACanvas) {
  if (ACanvas == nullptr) return;
  const TRect area = Rect(1, 1, Width() - DropDownButtonWidth() - 2, Height() - 2);
  if (OnDrawSelectedColor) {
    OnDrawSelectedColor(this, ACanvas, area);
    return;
  }
  if (FSelectedColor == clNone) return;
  const TRect box = Bounds(area.Left + 4, 1 + (Height() - ColorBoxHeight) / 2, ColorBoxWidth, ColorBoxHeight);
  ACanvas->Pen()->SetColor(clBlack);
  ACanvas->Brush()->SetColor(FSelectedColor);
  ACanvas->Rectangle(box);
  if (!FShowText) return;
  ACanvas->Font()->Assign(Font());
  const bool focused = Focused();
  if (!EditorEnabled() && focused) ACanvas->Font()->SetColor(clHighlightText);
  TRect text = Rect(box.Right + 4, area.Top, area.Right, area.Bottom);
  ACanvas->Brush()->SetColor(focused ? clHighlight : Color());
  ACanvas->FillRect(text);
  ACanvas->SetBkMode(TRANSPARENT);
  ACanvas->DrawText(SelectedColorDisplayText(), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
