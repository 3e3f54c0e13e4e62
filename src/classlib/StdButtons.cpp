// Labels, push buttons, check boxes, radio buttons and group boxes.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/WinApi.h"
#include "classlib/qt/DialogKeyView.h"
#include "classlib/qt/Text.h"
#include "classlib/qt/Views.h"

namespace {

Qt::Alignment QtAlignment(TAlignment a) {
  return a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft;
}

}  // namespace

// Turns a click in a button view into the control's press.
class ButtonViewLink {
 public:
  static void Connect(TButtonControl* control, QAbstractButton* view) {
    QObject::connect(view, &QAbstractButton::clicked, view, [control]() { control->ViewPressed(); });
  }
};

// ---------------------------------------------------------------------------------------
// TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  ControlStyle.Include(csReplicatable);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  UpdateView();
}

void TCustomLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value) {
  FWordWrap = Value;
  AdjustBounds();
  UpdateView();
}

void TCustomLabel::SetTransparent(bool Value) {
  FTransparent = Value;
  UpdateView();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  FLayout = Value;
  UpdateView();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  FShowAccelChar = Value;
  AdjustBounds();
  UpdateView();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl != nullptr) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

String TCustomLabel::DisplayText() const { return FShowAccelChar ? ViewText::StripAccel(FText) : FText; }

void TCustomLabel::TextChanged() {
  AdjustBounds();
  TGraphicControl::TextChanged();
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) return;
  TPoint size = ViewText::Measure(DisplayText(), FWordWrap, Width());
  int w = FWordWrap ? Width() : size.X;
  int left = Left();
  if (FAlignment == taRightJustify && !FWordWrap) left += Width() - w;
  SetBounds(left, Top(), w, size.Y);
}

QWidget* TCustomLabel::MakeView(QWidget* ParentView) { return new QLabel(ParentView); }

void TCustomLabel::UpdateView() {
  TGraphicControl::UpdateView();
  auto* view = dynamic_cast<QLabel*>(View());
  if (view == nullptr) return;
  view->setText(QString::fromStdString(DisplayText()));
  view->setTextFormat(Qt::PlainText);
  view->setWordWrap(FWordWrap);
  Qt::Alignment v = FLayout == tlCenter ? Qt::AlignVCenter : FLayout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
  view->setAlignment(QtAlignment(FAlignment) | v);
  view->setAutoFillBackground(!FTransparent);
}

// ---------------------------------------------------------------------------------------
// TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  // A press is decided here (inside the control, button released), not by the base click.
  ControlStyle.Exclude(csClickEvents);
  ControlStyle.Exclude(csDoubleClicks);
  TabStop = true;
}

void TButtonControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONUP) {
    bool wasDown = ControlState.Contains(csLButtonDown);
    TWinControl::WndProc(Message);
    int x = SmallIntLo(Message.LParam);
    int y = SmallIntHi(Message.LParam);
    if (wasDown && Enabled() && x >= 0 && y >= 0 && x < Width() && y < Height()) ButtonPressed();
    return;
  }
  TWinControl::WndProc(Message);
}

void TButtonControl::KeyPress(char& Key) {
  TWinControl::KeyPress(Key);
  if (Key == ' ' && Enabled()) {
    Key = 0;
    ButtonPressed();
  }
}

void TButtonControl::ViewPressed() {
  try {
    ButtonPressed();
  } catch (const std::exception& e) {
    Application->HandleException(this, e);
  }
}

// ---------------------------------------------------------------------------------------
// TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 75, 25); }

void TButton::Click() {
  if (ModalResult != mrNone) {
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(ModalResult);
  }
  TButtonControl::Click();
}

void TButton::WndProc(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY && Visible() && Enabled()) {
    // Enter presses the focused button, or the default button when no button has the focus.
    if (Message.WParam == VK_RETURN) {
      auto* focused = dynamic_cast<TButton*>(FindControl(GetFocus()));
      if (focused == this || (focused == nullptr && Default)) {
        Click();
        Message.Result = 1;
      }
      return;
    }
    if (Message.WParam == VK_ESCAPE && Cancel) {
      Click();
      Message.Result = 1;
      return;
    }
  }
  TButtonControl::WndProc(Message);
}

QWidget* TButton::MakeView(QWidget* ParentView) {
  auto* view = new DialogKeyView<QPushButton>(this, ParentView);
  ButtonViewLink::Connect(this, view);
  return view;
}

void TButton::UpdateView() {
  TButtonControl::UpdateView();
  auto* view = dynamic_cast<QPushButton*>(View());
  if (view == nullptr) return;
  QSignalBlocker block(view);
  view->setText(QString::fromStdString(Caption()));
  view->setDefault(Default);
}

// ---------------------------------------------------------------------------------------
// TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  UpdateView();
  Click();
}

void TCustomCheckBox::SetAllowGrayed(bool Value) {
  FAllowGrayed = Value;
  UpdateView();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

QWidget* TCustomCheckBox::MakeView(QWidget* ParentView) {
  auto* view = new DialogKeyView<QCheckBox>(this, ParentView);
  ButtonViewLink::Connect(this, view);
  return view;
}

void TCustomCheckBox::UpdateView() {
  TButtonControl::UpdateView();
  auto* view = dynamic_cast<QCheckBox*>(View());
  if (view == nullptr) return;
  QSignalBlocker block(view);
  view->setText(QString::fromStdString(Caption()));
  view->setTristate(FAllowGrayed || FState == cbGrayed);
  view->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  view->setLayoutDirection(Alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

// ---------------------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  UpdateView();
  if (!Value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
    }
  }
  Click();
}

QWidget* TRadioButton::MakeView(QWidget* ParentView) {
  auto* view = new DialogKeyView<QRadioButton>(this, ParentView);
  view->setAutoExclusive(false);  // the siblings are unchecked by the controls themselves
  ButtonViewLink::Connect(this, view);
  return view;
}

void TRadioButton::UpdateView() {
  TButtonControl::UpdateView();
  auto* view = dynamic_cast<QRadioButton*>(View());
  if (view == nullptr) return;
  QSignalBlocker block(view);
  view->setText(QString::fromStdString(Caption()));
  view->setChecked(FChecked);
  view->setLayoutDirection(Alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

// ---------------------------------------------------------------------------------------
// TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  constexpr int kFrame = 2;
  constexpr int kCaptionHeight = 16;
  Rect.Left += kFrame;
  Rect.Right -= kFrame;
  Rect.Top += kCaptionHeight;
  Rect.Bottom -= kFrame;
  if (Rect.Right < Rect.Left) Rect.Right = Rect.Left;
  if (Rect.Bottom < Rect.Top) Rect.Bottom = Rect.Top;
}

QWidget* TCustomGroupBox::MakeView(QWidget* ParentView) { return new QGroupBox(ParentView); }

void TCustomGroupBox::UpdateView() {
  TCustomControl::UpdateView();
  if (auto* view = dynamic_cast<QGroupBox*>(View())) view->setTitle(QString::fromStdString(Caption()));
}
