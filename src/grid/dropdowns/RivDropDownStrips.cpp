#include "grid/dropdowns/RivDropDownStrips.h"

#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownDraw.h"

// ---------------------------------------------------------------------------------------------
// Button definitions

void THeaderButton::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<THeaderButton*>(Source);
  if (src == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  FCaption = src->FCaption;
  FImageIndex = src->FImageIndex;
  FEnabled = src->FEnabled;
  FHeight = src->FHeight;
  FWidth = src->FWidth;
  Changed(false);
}

void THeaderButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed(false);
}

void THeaderButton::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Changed(false);
}

void THeaderButton::SetWidth(int Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed(false);
}

void TFooterButton::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TFooterButton*>(Source)) FModalResult = src->FModalResult;
  THeaderButton::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// Settings

TDropDownStripAppearance::TDropDownStripAppearance(TComponent* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()) {}

TDropDownStripAppearance::~TDropDownStripAppearance() = default;

TPersistent* TDropDownStripAppearance::GetOwner() const { return FOwner; }

void TDropDownStripAppearance::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (OnChange) OnChange(this);
}

void TDropDownStripAppearance::ButtonsChanged() {
  if (OnButtonsChanged) OnButtonsChanged(this);
}

void TDropDownStripAppearance::AssignColors(TDropDownStripAppearance* Source) {
  if (Source == nullptr) return;
  FColorTo = Source->FColorTo;
  FColor = Source->FColor;
  FBorderColor = Source->FBorderColor;
  FFont->Assign(Source->FFont.get());
  FGradientDirection = Source->FGradientDirection;
}

void TDropDownStripAppearance::CopyFrom(TDropDownStripAppearance* Source) {
  FHeight = Source->FHeight;
  FBorderWidth = Source->FBorderWidth;
  FImageIndex = Source->FImageIndex;
  FCaption = Source->FCaption;
  FColorTo = Source->FColorTo;
  FColor = Source->FColor;
  FBorderColor = Source->FBorderColor;
  FFont->Assign(Source->FFont.get());
  FGradientDirection = Source->FGradientDirection;
  FButtonAlignment = Source->FButtonAlignment;
  ButtonItems()->Assign(Source->ButtonItems());
  SetVisible(Source->FVisible);
}

THeaderAppearance::THeaderAppearance(TComponent* AOwner)
    : TDropDownStripAppearance(AOwner), FButtons(std::make_unique<THeaderButtons>(AOwner)) {
  FFont->SetName("Tahoma");
  FButtons->OnChange = [this](TObject*) { ButtonsChanged(); };
}

THeaderAppearance::~THeaderAppearance() = default;

void THeaderAppearance::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<THeaderAppearance*>(Source)) CopyFrom(src);
}

TFooterAppearance::TFooterAppearance(TComponent* AOwner)
    : TDropDownStripAppearance(AOwner), FButtons(std::make_unique<TFooterButtons>(AOwner)) {
  FButtons->OnChange = [this](TObject*) { ButtonsChanged(); };
}

TFooterAppearance::~TFooterAppearance() = default;

void TFooterAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFooterAppearance*>(Source);
  if (src == nullptr) return;
  FSizeGrip = src->FSizeGrip;
  CopyFrom(src);
}

// ---------------------------------------------------------------------------------------------
// TDropDownStrip

TDropDownStrip::TDropDownStrip(TComponent* AOwner, std::unique_ptr<TDropDownStripAppearance> Appearance)
    : TCustomControl(AOwner), FAppearance(std::move(Appearance)), FButtonList(std::make_unique<TDbgList>()) {
  ControlStyle = {csAcceptsControls, csClickEvents, csDoubleClicks};
  FAppearance->OnChange = [this](TObject*) { AppearanceChanged(); };
}

TDropDownStrip::~TDropDownStrip() { FButtonList->Clear(); }

void TDropDownStrip::AppearanceChanged() {
  SetVisible(FAppearance->Visible());
  SetHeight(FAppearance->Height());
}

void TDropDownStrip::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages != nullptr) FImages->FreeNotification(this);
  Invalidate();
}

void TDropDownStrip::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FRivDropDown) FRivDropDown = nullptr;
  for (int i = FButtonList->Count() - 1; i >= 0; --i)
    if (FButtonList->Get(i) == AComponent) FButtonList->Delete(i);
}

void TDropDownStrip::AttachDropDown(TRivCustomDropDown* DropDown) {
  if (FRivDropDown != DropDown) {
    if (FRivDropDown != nullptr) FRivDropDown->RemoveFreeNotification(this);
    FRivDropDown = DropDown;
    if (FRivDropDown != nullptr) FRivDropDown->FreeNotification(this);
  }
  SetImages(DropDown != nullptr ? DropDown->Images() : nullptr);
  if (DropDown != nullptr) FAppearance->Assign(DropDownSettings());
  Invalidate();
}

void TDropDownStrip::RebuildButtons() {
  if (FRivDropDown != nullptr) CreateButtons();
}

TCollection* TDropDownStrip::Buttons() const {
  TDropDownStripAppearance* settings = FRivDropDown != nullptr ? DropDownSettings() : nullptr;
  return settings != nullptr ? settings->ButtonItems() : nullptr;
}

bool TDropDownStrip::DropDownFramed() const {
  return FRivDropDown != nullptr && FRivDropDown->DropDownBorderWidth() > 0 &&
         FRivDropDown->DropDownBorderColor() != clNone;
}

void TDropDownStrip::ClearButtons() {
  for (int i = FButtonList->Count() - 1; i >= 0; --i) delete static_cast<TRivButton*>(FButtonList->Get(i));
  FButtonList->Clear();
}

void TDropDownStrip::SetUpButton(TRivButton* Button, TCollectionItem* Item) {
  auto* def = static_cast<THeaderButton*>(Item);
  Button->SetAppearance(FRivDropDown->ButtonAppearance());
  Button->SetCaption(def->Caption());
  Button->SetImages(FImages);
  Button->SetImageIndex(def->ImageIndex());
  Button->SetEnabled(def->Enabled());
}

void TDropDownStrip::CreateButtons() {
  TCollection* buttons = Buttons();
  if (buttons == nullptr || FRivDropDown == nullptr) return;
  ClearButtons();
  const TRect area = ButtonArea();
  const int maxHeight = area.Height();
  for (int i = 0; i < buttons->Count(); ++i) {
    auto* def = static_cast<THeaderButton*>(buttons->Items(i));
    auto* button = new TRivButton(this);
    button->SetParent(this);
    SetUpButton(button, def);
    button->AutoSizeToText();
    int w = def->Width() > 0 ? def->Width() : button->Width();
    int h = def->Height() > 0 ? def->Height() : button->Height();
    button->SetBounds(button->Left(), button->Top(), w, std::min(h, maxHeight));
    button->Tag = i;
    button->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
    FButtonList->Add(button);
  }
  LayoutButtons();
}

void TDropDownStrip::LayoutButtons() {
  const TRect area = ButtonArea();
  int x = FAppearance->ButtonAlignment() == baRight ? area.Right : area.Left;
  for (int i = 0; i < FButtonList->Count(); ++i) {
    auto* button = static_cast<TRivButton*>(FButtonList->Items(i));
    const int top = std::max(area.Top, (area.Bottom - button->Height()) / 2);
    if (FAppearance->ButtonAlignment() == baRight) {
      x -= button->Width();
      button->SetBounds(x, top, button->Width(), button->Height());
    } else {
      button->SetBounds(x, top, button->Width(), button->Height());
      x += button->Width();
    }
  }
}

void TDropDownStrip::UpdateButtons() {
  TCollection* buttons = Buttons();
  for (int i = 0; i < FButtonList->Count(); ++i) {
    auto* button = static_cast<TRivButton*>(FButtonList->Items(i));
    if (FRivDropDown != nullptr) button->SetAppearance(FRivDropDown->ButtonAppearance());
    button->SetImages(FImages);
    if (buttons != nullptr && i < buttons->Count()) {
      auto* def = static_cast<THeaderButton*>(buttons->Items(i));
      button->SetCaption(def->Caption());
      button->SetImageIndex(def->ImageIndex());
      button->SetEnabled(def->Enabled());
    }
    button->AutoSizeToText();
  }
  LayoutButtons();
}

void TDropDownStrip::Resize() {
  TCustomControl::Resize();
  LayoutButtons();
}

void TDropDownStrip::ButtonClick(TObject* Sender) {
  auto* button = dynamic_cast<TRivButton*>(Sender);
  if (button == nullptr) return;
  ReportClick(static_cast<int>(button->Tag));
}

void TDropDownStrip::PaintBackdrop(TCanvas* ACanvas, TRect Area) {
  if (OnDrawBackGround) {
    OnDrawBackGround(this, ACanvas, Area);
    return;
  }
  TDropDownStripAppearance* a = FAppearance.get();
  if (a->ColorTo() == clNone) {
    if (a->Color() != clNone) {
      ACanvas->Brush()->SetColor(a->Color());
      ACanvas->FillRect(Area);
    }
  } else {
    FillGradientRect(ACanvas, a->Color(), a->ColorTo(), 80, Area, a->GradientDirection() == gdHorizontal);
  }
  if (a->BorderColor() != clNone && a->BorderWidth() > 0) PaintBorder(ACanvas, Area);
}

void TDropDownStrip::Paint() {
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  if (OnDrawBackGround) {
    OnDrawBackGround(this, c, r);
    return;
  }
  PaintBackdrop(c, r);
  const int bw = FAppearance->BorderWidth();
  PaintCaption(c, Rect(r.Left + bw, r.Top + bw, r.Right - bw, r.Bottom - bw));
}

void TDropDownStrip::PaintCaption(TCanvas* ACanvas, TRect Content) {
  TDropDownStripAppearance* a = FAppearance.get();
  if (a->ImageIndex() >= 0 && FImages != nullptr) {
    FImages->Draw(ACanvas, Content.Left + 4, Content.Top + (Content.Height() - FImages->Height()) / 2, a->ImageIndex());
    Content.Left += FImages->Width() + 8;
  }
  String caption = a->Caption();
  if (OnGetText) OnGetText(this, caption);
  if (caption.empty()) return;
  if (FButtonList->Count() > 0) {
    auto* last = static_cast<TRivButton*>(FButtonList->Items(FButtonList->Count() - 1));
    Content.Right = last->Left() - 2;
  }
  ACanvas->Font()->Assign(a->Font());
  ACanvas->Brush()->SetStyle(bsClear);
  TSize size;
  DrawHTMLText(ACanvas, caption, Content, FImages, false, nullptr, size);
  if (size.cy < Content.Height()) Content.Top += (Content.Height() - size.cy) / 2;
  DrawHTMLText(ACanvas, caption, Content, FImages, true, nullptr, size);
}

// ---------------------------------------------------------------------------------------------
// TRivHeader

TRivHeader::TRivHeader(TComponent* AOwner)
    : TDropDownStrip(AOwner, std::make_unique<THeaderAppearance>(AOwner)) {
  FAppearance->OnButtonsChanged = [](TObject*) {};
}

TDropDownStripAppearance* TRivHeader::DropDownSettings() const {
  return FRivDropDown != nullptr ? FRivDropDown->DropDownHeader() : nullptr;
}

TRect TRivHeader::ButtonArea() const {
  TRect r = ClientRect();
  return Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 3);
}

void TRivHeader::PaintBorder(TCanvas* ACanvas, TRect R) {
  const TDropDownStripAppearance* a = FAppearance.get();
  ACanvas->Pen()->SetWidth(a->BorderWidth());
  ACanvas->Pen()->SetColor(a->BorderColor());
  ACanvas->MoveTo(R.Left, R.Bottom - 1);
  ACanvas->LineTo(R.Right, R.Bottom - 1);
  if (!DropDownFramed()) {
    ACanvas->MoveTo(R.Left, R.Bottom - 1);
    ACanvas->LineTo(R.Left, R.Top);
    ACanvas->LineTo(R.Right - 1, R.Top);
    ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
  }
  ACanvas->Pen()->SetWidth(1);
  ACanvas->Pen()->SetColor(BlendColor(a->BorderColor(), clWhite, 20));
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom - a->BorderWidth());
}

void TRivHeader::ReportClick(int ButtonIndex) {
  if (FRivDropDown != nullptr && FRivDropDown->OnDropDownHeaderButtonClick)
    FRivDropDown->OnDropDownHeaderButtonClick(FRivDropDown, ButtonIndex);
}

// ---------------------------------------------------------------------------------------------
// TRivFooter

TRivFooter::TRivFooter(TComponent* AOwner)
    : TDropDownStrip(AOwner, std::make_unique<TFooterAppearance>(AOwner)) {
  ControlStyle.Include(csCaptureMouse);
}

TDropDownStripAppearance* TRivFooter::DropDownSettings() const {
  return FRivDropDown != nullptr ? FRivDropDown->DropDownFooter() : nullptr;
}

bool TRivFooter::SizeGripShown() const {
  return FooterAppearance()->SizeGrip() && FRivDropDown != nullptr && FRivDropDown->DropDownSizeable();
}

TRect TRivFooter::ButtonArea() const {
  TRect r = ClientRect();
  return Rect(r.Left + 2, r.Top + 2, SizeGripShown() ? r.Right - 14 : r.Right - 2, r.Bottom - 2);
}

void TRivFooter::SetUpButton(TRivButton* Button, TCollectionItem* Item) {
  TDropDownStrip::SetUpButton(Button, Item);
  Button->SetRivDropDown(FRivDropDown);
  Button->SetModalResult(static_cast<TFooterButton*>(Item)->ModalResult());
}

void TRivFooter::PaintBorder(TCanvas* ACanvas, TRect R) {
  const TDropDownStripAppearance* a = FAppearance.get();
  ACanvas->Pen()->SetWidth(a->BorderWidth());
  ACanvas->Pen()->SetColor(a->BorderColor());
  ACanvas->MoveTo(R.Left, R.Top);
  ACanvas->LineTo(R.Right, R.Top);
  if (!DropDownFramed()) {
    ACanvas->MoveTo(R.Left, R.Top);
    ACanvas->LineTo(R.Left, R.Bottom);
    ACanvas->LineTo(R.Right - 1, R.Bottom);
    ACanvas->LineTo(R.Right - 1, R.Top);
  }
  ACanvas->Pen()->SetWidth(1);
  ACanvas->Pen()->SetColor(BlendColor(a->BorderColor(), clWhite, 20));
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Rectangle(R.Left, R.Top + a->BorderWidth(), R.Right, R.Bottom);
}

void TRivFooter::Paint() {
  TDropDownStrip::Paint();
  if (OnDrawBackGround || !SizeGripShown()) return;
  TCanvas* c = Canvas();
  const int bw = FAppearance->BorderWidth();
  const TRect grip = Rect(Width() - bw - 16, 1, Width() - bw - 1, Height());
  // Six dots in a right triangle: three at the bottom, two above, one on top.
  const int dots[][2] = {{4, 0}, {8, 0}, {12, 0}, {8, 4}, {12, 4}, {12, 8}};
  for (const auto& d : dots) {
    const int x = grip.Left + d[0];
    const int y = grip.Bottom - 5 - d[1];
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->FillRect(Rect(x + 1, y + 1, x + 3, y + 3));
    c->Brush()->SetColor(FAppearance->BorderColor());
    c->FillRect(Rect(x, y, x + 2, y + 2));
  }
}

void TRivFooter::ReportClick(int ButtonIndex) {
  if (FRivDropDown != nullptr && FRivDropDown->OnDropDownFooterButtonClick)
    FRivDropDown->OnDropDownFooterButtonClick(FRivDropDown, ButtonIndex);
}

bool TRivFooter::InGripZone(int X, int Y) const { return X > Width() - 12 && Y > Height() - 15; }

void TRivFooter::RestoreCursor() { Screen->Cursor = FOldCursor; }

void TRivFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TDropDownStrip::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !SizeGripShown() || !InGripZone(X, Y)) return;
  TCustomForm* popup = GetParentForm();
  if (popup == nullptr) return;
  ReleaseCapture();
  const TPoint p = ClientToScreen(TPoint{X, Y});
  popup->Perform(WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTBOTTOMRIGHT), MakeLParam(p.X, p.Y));
}

void TRivFooter::MouseMove(TShiftState Shift, int X, int Y) {
  TDropDownStrip::MouseMove(Shift, X, Y);
  if (SizeGripShown() && InGripZone(X, Y)) {
    if (TCustomForm* popup = GetParentForm()) {
      const TPoint p = ClientToScreen(TPoint{X, Y});
      popup->Perform(WM_NCHITTEST, 0, MakeLParam(p.X, p.Y));
    }
    Screen->Cursor = crSizeNWSE;
  } else {
    RestoreCursor();
  }
}

void TRivFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TDropDownStrip::MouseUp(Button, Shift, X, Y);
  RestoreCursor();
}

void TRivFooter::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (Screen->Cursor != crSizeNWSE) FOldCursor = Screen->Cursor;
      break;
    case CM_MOUSELEAVE:
      RestoreCursor();
      break;
    default:
      break;
  }
  TDropDownStrip::WndProc(Message);
}
