#include "memo/VavaDoduControl.h"

#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/Caret.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "memo/DoduSupportNavigator.h"

namespace {

TFontStyles FontStylesOf(Byte Style) {
  TFontStyles styles;
  if (Style & 0x01) styles += fsBold;
  if (Style & 0x02) styles += fsItalic;
  if (Style & 0x04) styles += fsUnderline;
  if (Style & 0x08) styles += fsStrikeOut;
  return styles;
}

String Utf8Of(const char16_t* Text, int Count) { return WideToUtf8(WideString(Text, static_cast<size_t>(Count))); }

// The number of bytes a UTF-8 character starting with Lead takes (1 for a stray byte).
size_t Utf8Length(unsigned char Lead) {
  if (Lead >= 0xF0 && Lead < 0xF8) return 4;
  if (Lead >= 0xE0) return Lead < 0xF0 ? 3 : 1;
  if (Lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

// The memo's display: the control's canvas (its painter while painting, a measuring canvas in
// the same font otherwise), the system caret, the control's scroll bars and GetTickCount.
class TVavaDoduControl::TDisplay : public TMemoDisplay {
 public:
  explicit TDisplay(TVavaDoduControl* Control) : c(Control) {}

  void SelectFont(Byte Style) override {
    TFontStyles styles = FontStylesOf(Style);
    c->FMeasure->Font()->SetStyle(styles);
    if (c->Canvas() != nullptr) c->Canvas()->Font()->SetStyle(styles);
  }
  int TextWidth(const char16_t* Text, int Count) override {
    return Count <= 0 ? 0 : c->FMeasure->TextWidth(Utf8Of(Text, Count));
  }
  int FontHeight() override { return c->FMeasure->GetTextMetrics().tmHeight; }
  void DrawText(int X, int Y, const char16_t* Text, int Count, TColor Foreground, TColor Background) override {
    TCanvas* canvas = c->Canvas();
    if (canvas == nullptr) return;
    String text = Utf8Of(Text, Count);
    if (Background != clNone) {
      canvas->Brush()->SetColor(Background);
      canvas->FillRect(Bounds(X, Y, c->FMeasure->TextWidth(text), c->FMemo->LineHeight));
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetColor(Foreground);
    canvas->TextOut(X, Y, text);
  }
  void FillRect(const TRect& R, TColor Color) override {
    if (c->Canvas() == nullptr) return;
    c->Canvas()->Brush()->SetColor(Color);
    c->Canvas()->FillRect(R);
  }
  int ClientWidth() override { return c->ClientRect().Width(); }
  int ClientHeight() override { return c->ClientRect().Height(); }
  bool Focused() override { return c->Focused(); }
  void InvalidateRect(const TRect& R) override { c->InvalidateArea(R); }
  void Invalidate() override { c->Invalidate(); }
  // Our pixels are drawn from the memo at every paint: moving them is repainting them.
  void ScrollWindow(int, int, const TRect& R) override { c->InvalidateArea(R); }
  void UpdateWindow() override { c->Update(); }
  void CreateCaret(int Width, int Height) override { ::CreateCaret(c->Handle(), Width, Height); }
  void DestroyCaret() override {
    if (GetCaretOwnerIsControl()) ::DestroyCaret();
  }
  void ShowCaret() override { ::ShowCaret(c->Handle()); }
  void SetCaretPos(int X, int Y) override {
    if (GetCaretOwnerIsControl()) ::SetCaretPos(X, Y);
  }
  // The memo counts a range as the platform's bars do (the thumb's last place is Max - Page +
  // 1); the class library's bars count the thumb's places.
  void SetScrollRange(int Bar, int Max, int Page) override {
    c->FBars.SetRange(Bar, std::max(0, Max - std::max(Page, 1) + 1), Page);
  }
  void SetScrollPos(int Bar, int Pos) override { c->FBars.SetPosition(Bar, Pos); }
  void ShowScrollBar(int Bar, bool Show) override {
    if (c->FBars.Visible(Bar) == Show) return;
    c->FBars.SetVisible(Bar, Show);
    c->Relayout();
  }
  Cardinal TickCount() override { return GetTickCount(); }

 private:
  // The caret is the desktop's single one: only its owner moves or destroys it.
  bool GetCaretOwnerIsControl() const { return c->Focused(); }

  TVavaDoduControl* c;
};

TVavaDoduControl::TVavaDoduControl(TComponent* AOwner)
    : TCustomControl(AOwner), FMeasure(std::make_unique<TCanvas>()), FBars(this) {
  TabStop = true;
  Cursor = crIBeam;
  ParentFont = false;
  Font()->SetName("Courier New");
  Font()->SetSize(10);
  SetColor(clWindow);
  FMeasure->SetFont(Font());
  FDisplay = std::make_unique<TDisplay>(this);
  FMemo = std::make_unique<TVavaDodu>(nullptr);
  FMemo->Display = FDisplay.get();
  FMemo->DisplayResized();
}

TVavaDoduControl::~TVavaDoduControl() {
  if (Focused()) ::DestroyCaret();
  FMemo->Display = nullptr;
  FMemo.reset();
}

TRect TVavaDoduControl::ClientRect() const { return FBars.ClientArea(Width(), Height()); }

void TVavaDoduControl::Relayout() {
  // Showing one bar may show or hide the other: the layout settles within a few rounds.
  if (FLayoutDepth > 0) {
    FLayoutAgain = true;
    return;
  }
  ++FLayoutDepth;
  for (int round = 0; round < 4; ++round) {
    FLayoutAgain = false;
    FMeasure->SetFont(Font());
    FMemo->DisplayResized();
    if (!FLayoutAgain) break;
  }
  --FLayoutDepth;
  Invalidate();
}

void TVavaDoduControl::Resize() {
  Relayout();
  TCustomControl::Resize();
}

void TVavaDoduControl::UpdateView() {
  TCustomControl::UpdateView();
  FBars.Apply();
}

void TVavaDoduControl::Paint() {
  Canvas()->SetFont(Font());
  // The whole client area: only the lines on screen are drawn, and the canvas's clip box is
  // not reliable under every window system.
  FMemo->Paint(ClientRect());
}

String TVavaDoduControl::GetText() const { return WideToUtf8(FMemo->GetText()); }

void TVavaDoduControl::TextChanged() {
  FMemo->SetText(Utf8ToWide(FText));
  Invalidate();
  TCustomControl::TextChanged();
}

void TVavaDoduControl::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  const bool ctrl = Shift.Contains(ssCtrl);
  TVavaDodu& memo = *FMemo;
  const int page = std::max(1, ClientRect().Height() / std::max(memo.LineHeight, 1) - 1);
  switch (Key) {
    case VK_LEFT: memo.MoveCaretHorizontally(false, ctrl); break;
    case VK_RIGHT: memo.MoveCaretHorizontally(true, ctrl); break;
    case VK_UP: memo.MoveCaretVertically(-1); break;
    case VK_DOWN: memo.MoveCaretVertically(1); break;
    case VK_PRIOR: memo.MoveCaretVertically(-page); break;
    case VK_NEXT: memo.MoveCaretVertically(page); break;
    case VK_HOME: ctrl ? memo.MoveCaretToTextEdge(false) : memo.MoveCaretToLineEdge(false); break;
    case VK_END: ctrl ? memo.MoveCaretToTextEdge(true) : memo.MoveCaretToLineEdge(true); break;
    case VK_DELETE: memo.DeleteForward(); break;
    case 'M':
      if (!ctrl) return;
      memo.ToggleSectionAtCaret();
      Invalidate();
      break;
    default: return;
  }
  Key = 0;
}

void TVavaDoduControl::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  unsigned char c = static_cast<unsigned char>(Key);
  if (c == 0) return;
  Key = 0;
  TVavaDodu& memo = *FMemo;
  if (c == 8) {
    FPartialChar.clear();
    memo.Backspace();
  } else if (c == 13) {
    memo.InsertText(u"\r");
  } else if (c == 9) {
    memo.InsertText(u"\t");
  } else if (c >= 32 && c != 127) {
    // Characters arrive one UTF-8 byte at a time.
    if (!FPartialChar.empty() && (c & 0xC0) != 0x80) FPartialChar.clear();
    FPartialChar += static_cast<char>(c);
    if (FPartialChar.size() >= Utf8Length(static_cast<unsigned char>(FPartialChar[0]))) {
      memo.InsertText(Utf8ToWide(FPartialChar));
      FPartialChar.clear();
    }
  }
}

void TVavaDoduControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) FMemo->MoveCaretToPoint(X, Y);
}

void TVavaDoduControl::Scroll(bool Vertical, Word Code, int Thumb) {
  TVavaDodu& memo = *FMemo;
  const TRect client = ClientRect();
  const int step = Vertical ? memo.LineHeight : memo.CharWidth;
  const int page = std::max(step, (Vertical ? client.Height() : client.Width()) - step);
  const int extent = Vertical ? memo.Store.VisibleLines * memo.LineHeight + memo.TopMargin
                              : memo.WidestLine + memo.LeftMargin + memo.RightMargin;
  const int last = std::max(0, extent - (Vertical ? client.Height() : memo.TextWidth));
  int offset = Vertical ? memo.VOffset : memo.HOffset;
  switch (Code) {
    case SB_LINEUP: offset -= step; break;
    case SB_LINEDOWN: offset += step; break;
    case SB_PAGEUP: offset -= page; break;
    case SB_PAGEDOWN: offset += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: offset = Thumb * (Vertical ? memo.VScale : memo.HScale); break;
    case SB_TOP: offset = 0; break;
    case SB_BOTTOM: offset = last; break;
    default: return;
  }
  offset = std::clamp(offset, 0, last);
  if (Vertical)
    memo.ScrollTo(offset, memo.HOffset, 0);
  else
    memo.ScrollTo(memo.VOffset, offset, 0);
}

void TVavaDoduControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
      return;
    case WM_VSCROLL:
    case WM_HSCROLL:
      Scroll(Message.Msg == WM_VSCROLL, static_cast<Word>(Message.WParam & 0xFFFF),
             static_cast<int>((Message.WParam >> 16) & 0xFFFF));
      Message.Result = 0;
      return;
    case WM_MOUSEWHEEL: {
      int delta = static_cast<int16_t>((Message.WParam >> 16) & 0xFFFF);
      int notches = delta / WHEEL_DELTA;
      for (int i = 0; i < 3 * std::abs(notches); ++i) Scroll(true, notches > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      Message.Result = 1;
      return;
    }
    case WM_SETFOCUS:
      TCustomControl::WndProc(Message);
      FMemo->UpdateCaret(true);
      return;
    case WM_KILLFOCUS:
      ::DestroyCaret();
      TCustomControl::WndProc(Message);
      return;
    default:
      TCustomControl::WndProc(Message);
  }
}
