#include "classlib/ExtCtrls.h"

#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/Picture.h"
#include "classlib/WinApi.h"
#include "classlib/qt/Text.h"
#include "classlib/qt/Views.h"

// ---------------------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  FBevelOuter = Value;
  UpdateView();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  FBevelInner = Value;
  UpdateView();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  UpdateView();
}

QWidget* TCustomPanel::MakeView(QWidget* ParentView) {
  auto* view = new QLabel(ParentView);
  view->setAutoFillBackground(true);
  view->setTextFormat(Qt::PlainText);
  return view;
}

void TCustomPanel::UpdateView() {
  TCustomControl::UpdateView();
  auto* view = dynamic_cast<QLabel*>(View());
  if (view == nullptr) return;
  view->setText(QString::fromStdString(ViewText::StripAccel(Caption())));
  Qt::Alignment h = FAlignment == taLeftJustify ? Qt::AlignLeft : FAlignment == taRightJustify ? Qt::AlignRight : Qt::AlignHCenter;
  view->setAlignment(h | Qt::AlignVCenter);
  TPanelBevel edge = FBevelOuter != bvNone ? FBevelOuter : FBevelInner;
  view->setFrameShape(edge == bvNone || edge == bvSpace ? QFrame::NoFrame : QFrame::Panel);
  view->setFrameShadow(edge == bvLowered ? QFrame::Sunken : QFrame::Raised);
  view->setLineWidth(BevelWidth);
}

// ---------------------------------------------------------------------------------------
// TGroupButton

TGroupButton::TGroupButton(TCustomRadioGroup* Group, int Index) : TRadioButton(Group), FGroup(Group), FIndex(Index) {}

void TGroupButton::ButtonPressed() { FGroup->ButtonPressed(this); }

// ---------------------------------------------------------------------------------------
// TCustomRadioGroup

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
  TabStop = true;
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->OnChange = nullptr;
  for (TGroupButton* b : FButtons) delete b;
}

void TCustomRadioGroup::ItemsChanged() {
  int count = FItems->Count();
  while (static_cast<int>(FButtons.size()) > count) {
    delete FButtons.back();
    FButtons.pop_back();
  }
  while (static_cast<int>(FButtons.size()) < count) {
    auto* b = new TGroupButton(this, static_cast<int>(FButtons.size()));
    b->AfterConstruction();
    b->TabStop = false;
    b->SetParent(this);
    FButtons.push_back(b);
  }
  if (FItemIndex >= count) FItemIndex = count - 1;
  for (int i = 0; i < count; ++i) {
    TGroupButton* b = FButtons[static_cast<size_t>(i)];
    b->SetCaption(FItems->Strings(i));
    b->SetEnabled(Enabled());
    b->TRadioButton::UpdateView();
  }
  // Check marks are the group's state: set them without the buttons' own events.
  for (int i = 0; i < count; ++i) {
    TGroupButton* b = FButtons[static_cast<size_t>(i)];
    if (b->Checked() != (i == FItemIndex)) b->SetChecked(i == FItemIndex);
  }
  ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  Value = std::clamp(Value, -1, FItems->Count() - 1);
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  for (int i = 0; i < ButtonCount(); ++i) {
    TGroupButton* b = FButtons[static_cast<size_t>(i)];
    if (b->Checked() != (i == Value)) b->SetChecked(i == Value);
  }
  if (Value >= 0) Click();
}

void TCustomRadioGroup::ButtonPressed(TGroupButton* Button) {
  if (Enabled()) SetItemIndex(Button->FIndex);
}

void TCustomRadioGroup::SetColumns(int Value) {
  FColumns = std::clamp(Value, 1, 16);
  ArrangeButtons();
}

void TCustomRadioGroup::EnabledChanged() {
  TCustomGroupBox::EnabledChanged();
  for (TGroupButton* b : FButtons) b->SetEnabled(Enabled());
}

void TCustomRadioGroup::Resize() {
  ArrangeButtons();
  TCustomGroupBox::Resize();
}

void TCustomRadioGroup::ArrangeButtons() {
  int count = ButtonCount();
  if (count == 0) return;
  const int fontHeight = 13;
  int perColumn = (count + FColumns - 1) / FColumns;
  int buttonWidth = std::max(0, (Width() - 10) / FColumns);
  int room = std::max(0, Height() - fontHeight - 5);
  int buttonHeight = room / perColumn;
  int topMargin = fontHeight + 1 + (room % perColumn) / 2;
  for (int i = 0; i < count; ++i)
    FButtons[static_cast<size_t>(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                                (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                                                buttonHeight);
}

// ---------------------------------------------------------------------------------------
// TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape Value) {
  FShape = Value;
  UpdateView();
}

void TBevel::SetStyle(TBevelStyle Value) {
  FStyle = Value;
  UpdateView();
}

QWidget* TBevel::MakeView(QWidget* ParentView) { return new QFrame(ParentView); }

void TBevel::UpdateView() {
  TGraphicControl::UpdateView();
  auto* view = dynamic_cast<QFrame*>(View());
  if (view == nullptr) return;
  switch (FShape) {
    case bsTopLine: case bsBottomLine: view->setFrameShape(QFrame::HLine); break;
    case bsLeftLine: case bsRightLine: view->setFrameShape(QFrame::VLine); break;
    case bsSpacer: view->setFrameShape(QFrame::NoFrame); break;
    default: view->setFrameShape(QFrame::Box); break;
  }
  view->setFrameShadow(FStyle == bsLowered ? QFrame::Sunken : QFrame::Raised);
}

// ---------------------------------------------------------------------------------------
// TTimer

// The hidden window that receives the timer's WM_TIMER messages.
class TTimer::TimerWindow : public TWinControl {
 public:
  explicit TimerWindow(TTimer* timer) : TWinControl(nullptr), timer_(timer) {}
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_TIMER) {
      timer_->Timer();
      return;
    }
    TWinControl::WndProc(Message);
  }

 private:
  TTimer* timer_;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FWindow(std::make_unique<TimerWindow>(this)) {}

TTimer::~TTimer() { KillTimer(FWindow->Handle(), 1); }

void TTimer::SetEnabled(bool Value) {
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  HWND wnd = FWindow->Handle();
  KillTimer(wnd, 1);
  if (FEnabled && FInterval > 0 && FOnTimer) SetTimer(wnd, 1, FInterval);
}

void TTimer::Timer() {
  if (FEnabled && FOnTimer) FOnTimer(this);
}

// ---------------------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = [this](TObject*) { Invalidate(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetPicture(TPicture* Value) { FPicture->Assign(Value); }

void TImage::SetStretch(bool Value) {
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  FCenter = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  FProportional = Value;
  Invalidate();
}

TRect TImage::DestRect() const {
  int w = FPicture->Width();
  int h = FPicture->Height();
  int cw = Width();
  int ch = Height();
  if (w <= 0 || h <= 0) return Rect(0, 0, 0, 0);
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional) {
      // The largest size of the picture's shape that fits.
      if (static_cast<int64_t>(cw) * h > static_cast<int64_t>(ch) * w) {
        w = static_cast<int>(static_cast<int64_t>(w) * ch / h);
        h = ch;
      } else {
        h = static_cast<int>(static_cast<int64_t>(h) * cw / w);
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  int x = FCenter ? (cw - w) / 2 : 0;
  int y = FCenter ? (ch - h) / 2 : 0;
  return Bounds(x, y, w, h);
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->Graphic();
  if (Canvas() == nullptr || graphic == nullptr) return;
  TRect r = DestRect();
  if (r.Width() == FPicture->Width() && r.Height() == FPicture->Height())
    Canvas()->Draw(r.Left, r.Top, graphic);
  else
    Canvas()->StretchDraw(r, graphic);
}
