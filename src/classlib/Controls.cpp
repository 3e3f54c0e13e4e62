#include "classlib/Controls.h"

#include <QWidget>
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Math.h"
#include "classlib/MessageLayer.h"
#include "classlib/WinApi.h"
#include "classlib/qt/Views.h"

// ---------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FColor(static_cast<TColor>(0xFF00000F)), FFont(std::make_unique<TFont>()) {
  ControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TObject*) {
    ParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
    if (FView != nullptr) UpdateView();
    Invalidate();
  };
}

TControl::~TControl() {
  if (FParent != nullptr) FParent->RemoveControl(this);
  DestroyView();
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->FParent != nullptr) c = c->FParent;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  bool moved = ALeft != FLeft || ATop != FTop;
  bool sized = AWidth != FWidth || AHeight != FHeight;
  if (!moved && !sized) return;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  if (FView != nullptr) Views::ApplyGeometry(this);
  // The size reaches the control as WM_SIZE (new client width and height), whose default
  // handling is Resize.
  if (sized) Perform(WM_SIZE, 0, MakeLParam(ClientWidth(), ClientHeight()));
  if (FAlign != alNone) RequestAlign();
}

void TControl::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FWidth, M, D), MulDiv(FHeight, M, D));
  if (!ParentFont) FFont->SetSize(MulDiv(FFont->Size(), M, D));
}

void TControl::SetClientSize(int AWidth, int AHeight) {
  TRect cr = ClientRect();
  SetBounds(FLeft, FTop, FWidth + (AWidth - cr.Width()), FHeight + (AHeight - cr.Height()));
}

TPoint TControl::ClientOrigin() const {
  TPoint p{FLeft, FTop};
  // A window on screen: where the window system put its client area (inside the frame and
  // below a menu bar), not where its frame begins.
  if (FParent == nullptr && FView != nullptr && Views::ClientScreenOrigin(this, p)) return p;
  if (FParent == nullptr) return p;
  TPoint po = FParent->ClientOrigin();
  TRect pc = FParent->ClientRect();
  return TPoint{po.X + pc.Left + FLeft, po.Y + pc.Top + FTop};
}

TPoint TControl::ClientToScreen(TPoint P) const {
  TPoint o = ClientOrigin();
  return TPoint{P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint o = ClientOrigin();
  return TPoint{P.X - o.X, P.Y - o.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  switch (Value) {
    case alTop: SetAnchors({akLeft, akTop, akRight}); break;
    case alBottom: SetAnchors({akLeft, akRight, akBottom}); break;
    case alLeft: SetAnchors({akLeft, akTop, akBottom}); break;
    case alRight: SetAnchors({akRight, akTop, akBottom}); break;
    case alClient: SetAnchors({akLeft, akTop, akRight, akBottom}); break;
    default: SetAnchors({akLeft, akTop}); break;
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::Loaded() {
  TComponent::Loaded();
  // The layout as built is the design the anchors keep.
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (FAnchorMove) return;
  if (FAnchors == TAnchors{akLeft, akTop} || FParent == nullptr) {
    FOriginalParentSize = TPoint{};
    return;
  }
  auto rule = [](bool nearEdge, bool farEdge, int pos, int size) {
    if (farEdge) return nearEdge ? size : pos;
    return pos + size / 2;
  };
  FAnchorRules.X = rule(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FLeft, FWidth);
  FAnchorRules.Y = rule(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FTop, FHeight);
  FOriginalParentSize = TPoint{FParent->ClientWidth(), FParent->ClientHeight()};
}

void TControl::AnchorToParent() {
  if (FParent == nullptr || FAnchors == TAnchors{akLeft, akTop}) return;
  if (FOriginalParentSize.X <= 0 || FOriginalParentSize.Y <= 0) {
    // The parent had no size when the distances were taken: its first real size is the design.
    UpdateAnchorRules();
    return;
  }
  auto place = [](bool nearEdge, bool farEdge, int rule, int original, int now, int& pos, int& size) {
    if (farEdge) {
      if (nearEdge)
        size = now - (original - rule);
      else
        pos = now - (original - rule);
    } else if (!nearEdge) {
      pos = MulDiv(rule, now, original) - size / 2;
    }
  };
  int left = FLeft, top = FTop, width = FWidth, height = FHeight;
  place(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FAnchorRules.X, FOriginalParentSize.X,
        FParent->ClientWidth(), left, width);
  place(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FAnchorRules.Y, FOriginalParentSize.Y,
        FParent->ClientHeight(), top, height);
  // A move by the anchors keeps the design distances (a size clipped to 0 comes back whole).
  struct Moving {
    bool& flag;
    ~Moving() { flag = false; }
  } moving{FAnchorMove};
  FAnchorMove = true;
  SetBounds(left, top, width, height);
}

void TControl::RequestAlign() {
  if (FParent != nullptr) FParent->Realign();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  VisibleChanged();
}

void TControl::VisibleChanged() {
  Perform(CM_VISIBLECHANGED, FVisible ? 1 : 0, 0);
  if (FView != nullptr) Views::ApplyVisibility(this);
  RequestAlign();
}

bool TControl::Showing() const {
  if (!FVisible) return false;
  if (FParent == nullptr) return true;
  return FParent->Showing();
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  EnabledChanged();
}

void TControl::EnabledChanged() {
  Perform(CM_ENABLEDCHANGED, 0, 0);
  if (FView != nullptr) UpdateView();
}

void TControl::SetText(const String& Value) {
  if (Value == GetText()) return;
  FText = Value;
  TextChanged();
}

void TControl::TextChanged() {
  Perform(CM_TEXTCHANGED, 0, 0);
  if (FView != nullptr) UpdateView();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Perform(CM_COLORCHANGED, 0, 0);
  Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      HandleMouseMessage(Message);
      return;
    case WM_SIZE:
      Resize();
      return;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(GetText().size());
      break;
    case WM_SETREDRAW:
      FRedrawOff = Message.WParam == 0;
      break;
    default:
      break;
  }
}

void TControl::HandleMouseMessage(TMessage& Message) {
  if (!FEnabled) return;
  int x = SmallIntLo(Message.LParam);
  int y = SmallIntHi(Message.LParam);
  TShiftState shift = KeysToShiftState(Message.WParam);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (Message.Msg == WM_LBUTTONDBLCLK) {
        shift.Include(ssDouble);
        if (ControlStyle.Contains(csDoubleClicks)) DblClick();
      }
      if (ControlStyle.Contains(csClickEvents)) ControlState.Include(csClicked);
      ControlState.Include(csLButtonDown);
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      ControlState.Exclude(csLButtonDown);
      bool clicked = ControlState.Contains(csClicked);
      ControlState.Exclude(csClicked);
      MouseUp(mbLeft, shift, x, y);
      if (clicked && x >= 0 && y >= 0 && x < FWidth && y < FHeight) Click();
      break;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (Message.Msg == WM_RBUTTONDBLCLK) shift.Include(ssDouble);
      MouseDown(mbRight, shift, x, y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (Message.Msg == WM_MBUTTONDBLCLK) shift.Include(ssDouble);
      MouseDown(mbMiddle, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(mbMiddle, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
  }
}

void TControl::Invalidate() {
  if (FView != nullptr && !FRedrawOff) Views::Invalidate(this);
}

void TControl::Repaint() { Invalidate(); }

void TControl::InvalidateArea(const TRect& R) {
  if (FView != nullptr && !FRedrawOff) Views::InvalidateArea(this, R);
}

void TControl::Update() {
  if (FView != nullptr) Views::Flush(this);
}

void TControl::BringToFront() {
  if (FParent != nullptr) {
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
  }
  if (FView != nullptr) Views::Raise(this);
}

void TControl::SendToBack() {
  if (FParent != nullptr) {
    auto& list = FParent->FControls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
  }
  if (FView != nullptr) Views::Lower(this);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

QWidget* TControl::MakeView(QWidget* ParentView) { return Views::MakePaintedView(this, ParentView); }

void TControl::CreateView(QWidget* ParentView) {
  if (FView != nullptr) return;
  FView = MakeView(ParentView);
  if (FView == nullptr) return;
  Views::Bind(this, FView);
  UpdateView();
  Views::ApplyGeometry(this);
  Views::ApplyVisibility(this);
}

void TControl::DestroyView() {
  if (FView == nullptr) return;
  QWidget* v = FView;
  FView = nullptr;
  Views::Unbind(v);
  delete v;
}

void TControl::UpdateView() {
  if (FView != nullptr) Views::ApplyCommon(this);
}

// ---------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

void TWinControl::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  TControl::ChangeScale(M, D);
  for (TControl* child : std::vector<TControl*>(FControls)) child->ChangeScale(M, D);
}

TWinControl::~TWinControl() {
  // Children that are owned elsewhere must not keep a dangling parent.
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  if (FHandle != nullptr) {
    WindowRegistry::Unregister(FHandle);
    FHandle = nullptr;
  }
}

HWND TWinControl::Handle() {
  if (FHandle == nullptr) {
    FHandle = WindowRegistry::Register(this);
    CreateWnd();
  }
  return FHandle;
}

void TWinControl::InsertControl(TControl* AControl) {
  if (AControl->FParent == this) return;
  AControl->FParent = this;
  FControls.push_back(AControl);
  AControl->UpdateAnchorRules();
  if (FView != nullptr) AControl->CreateView(Views::ClientView(this));
  if (AControl->FAlign != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it == FControls.end()) return;
  if (auto* win = dynamic_cast<TWinControl*>(AControl); win != nullptr && win->HandleAllocated()) {
    HWND focus = GetFocus();
    if (focus != nullptr && (focus == win->FHandle || win->ContainsControl(FindControl(focus)))) {
      WindowFocus::Drop();
    }
  }
  FControls.erase(it);
  AControl->FParent = nullptr;
  AControl->DestroyView();
  if (AControl->FAlign != alNone) Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c != nullptr; c = c->FParent)
    if (c == this) return true;
  return false;
}

void TWinControl::Realign() {
  if (FAligning) return;
  FAligning = true;
  struct Aligning {
    bool& flag;
    ~Aligning() { flag = false; }
  } aligning{FAligning};
  TRect r = ClientRect();
  AdjustClientRect(r);
  AlignControls(nullptr, r);
  for (TControl* c : std::vector<TControl*>(FControls))
    if (c->FAlign == alNone) c->AnchorToParent();
}

void TWinControl::AlignControls(TControl* /*AControl*/, TRect& ARect) {
  // Top and bottom first, then left and right in what remains, then the client fill.
  const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign a : order) {
    for (TControl* c : FControls) {
      if (c->FAlign != a || !c->FVisible) continue;
      switch (a) {
        case alTop:
          c->SetBounds(ARect.Left, ARect.Top, ARect.Width(), c->FHeight);
          ARect.Top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(ARect.Left, ARect.Bottom - c->FHeight, ARect.Width(), c->FHeight);
          ARect.Bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(ARect.Left, ARect.Top, c->FWidth, ARect.Height());
          ARect.Left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(ARect.Right - c->FWidth, ARect.Top, c->FWidth, ARect.Height());
          ARect.Right -= c->FWidth;
          break;
        case alClient:
          c->SetBounds(ARect.Left, ARect.Top, std::max(0, ARect.Width()), std::max(0, ARect.Height()));
          break;
        default:
          break;
      }
    }
  }
}

void TWinControl::Resize() {
  Realign();
  TControl::Resize();
}

void TWinControl::VisibleChanged() {
  if (!Visible()) {
    HWND focus = GetFocus();
    if (focus != nullptr && FHandle != nullptr && ContainsControl(FindControl(focus))) WindowFocus::Drop();
  }
  TControl::VisibleChanged();
}

bool TWinControl::Focused() const { return FHandle != nullptr && GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c != nullptr; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) {
    form->FocusControl(this);
    return;
  }
  ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  std::vector<TWinControl*> children;
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) children.push_back(w);
  std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
    int ta = a->TabOrder < 0 ? 1 << 30 : a->TabOrder;
    int tb = b->TabOrder < 0 ? 1 << 30 : b->TabOrder;
    return ta < tb;
  });
  for (TWinControl* w : children) {
    List.push_back(w);
    w->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[static_cast<size_t>(i)] == CurControl) start = i;
  int i = start;
  for (int step = 0; step < n; ++step) {
    if (GoForward) i = (i + 1) % n; else i = (i <= 0 ? n : i) - 1;
    TWinControl* w = list[static_cast<size_t>(i)];
    if (w == CurControl) return nullptr;
    if ((!CheckTabStop || w->TabStop) && (!CheckParent || w->Parent() == this) && w->CanFocus()) return w;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, false)) next->SetFocus();
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(FControls)) {
    c->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: case WM_CHAR:
      HandleKeyMessage(Message);
      return;
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(); form != nullptr && form != this) form->ControlGotFocus(this);
      DefaultHandler(Message);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(Message);
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    default:
      TControl::WndProc(Message);
  }
}

void TWinControl::MainWndProc(TMessage& Message) {
  try {
    WndProc(Message);
  } catch (const std::exception& e) {
    Application->HandleException(this, e);
  }
}

void TWinControl::HandleKeyMessage(TMessage& Message) {
  if (Message.Msg == WM_CHAR) {
    char key = static_cast<char>(Message.WParam);
    KeyPress(key);
    Message.WParam = static_cast<unsigned char>(key);
    if (key != 0) DefaultHandler(Message);
    return;
  }
  Word key = static_cast<Word>(Message.WParam);
  TShiftState shift = KeyboardStateToShiftState();
  if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN)
    KeyDown(key, shift);
  else
    KeyUp(key, shift);
  Message.WParam = key;
  if (key != 0) DefaultHandler(Message);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CreateView(QWidget* ParentView) {
  if (View() != nullptr) return;
  TControl::CreateView(ParentView);
  if (View() == nullptr) return;
  for (TControl* c : FControls) c->CreateView(Views::ClientView(this));
}

void TWinControl::DestroyView() {
  for (TControl* c : FControls) c->DestroyView();
  TControl::DestroyView();
}

void TWinControl::UpdateView() { TControl::UpdateView(); }

// ---------------------------------------------------------------------------------------
// Painted controls

namespace {
// Paints with Canvas standing in for the control's canvas for the duration of the call.
template <typename PaintFn>
void PaintOn(TCanvas*& slot, TCanvas* canvas, PaintFn paint) {
  struct Restore {
    TCanvas*& slot;
    TCanvas* saved;
    ~Restore() { slot = saved; }
  } restore{slot, slot};
  slot = canvas;
  paint();
}
}  // namespace

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintTo(TCanvas* ACanvas) { Perform(WM_PAINT, reinterpret_cast<WPARAM>(ACanvas), 0); }

void TCustomControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    auto* canvas = reinterpret_cast<TCanvas*>(Message.WParam);
    if (canvas != nullptr) PaintOn(FCanvas, canvas, [this] { Paint(); });
    Message.Result = 0;
    return;
  }
  TWinControl::WndProc(Message);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintTo(TCanvas* ACanvas) { PaintOn(FCanvas, ACanvas, [this] { Paint(); }); }
