// A memo on a fake display for the memo tests: every character is 8 pixels wide (whatever its
// style), a line 16 pixels high, the client 400 x 160 pixels; the clock moves one millisecond
// each time it is read; scrolling, invalidation, scroll bars and the caret are recorded.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Messages.h"
#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"
#include "memo/MemoDisplay.h"
#include "memo/VavaDodu.h"

namespace {

struct TDrawnText {
  int X, Y;
  std::u16string Text;
  TColor Fore, Back;
  Byte Font;
};

class TFakeDisplay : public TMemoDisplay {
 public:
  static constexpr int kCharWidth = 8;
  static constexpr int kLineHeight = 16;

  void SelectFont(Byte Style) override { Font = Style; }
  int TextWidth(const char16_t*, int Count) override { return Count * kCharWidth; }
  int FontHeight() override { return kLineHeight; }
  void DrawText(int X, int Y, const char16_t* Text, int Count, TColor Fore, TColor Back) override {
    Drawn.push_back(TDrawnText{X, Y, std::u16string(Text, static_cast<size_t>(Count)), Fore, Back, Font});
  }
  void FillRect(const TRect&, TColor) override {}
  int ClientWidth() override { return Width; }
  int ClientHeight() override { return Height; }
  bool Focused() override { return HasFocus; }
  void InvalidateRect(const TRect& R) override { Note("InvalidateRect", R.Top, R.Bottom); }
  void Invalidate() override { Note("Invalidate"); }
  void ScrollWindow(int Dx, int Dy, const TRect&) override { Note("ScrollWindow", Dx, Dy); }
  void UpdateWindow() override { Note("UpdateWindow"); }
  void CreateCaret(int W, int H) override { Note("CreateCaret", W, H); }
  void DestroyCaret() override {}
  void ShowCaret() override {}
  void SetCaretPos(int X, int Y) override {
    CaretX = X;
    CaretY = Y;
  }
  void SetScrollRange(int Bar, int Max, int Page) override { Note(Bar == SB_VERT ? "VRange" : "HRange", Max, Page); }
  void SetScrollPos(int Bar, int Pos) override { (Bar == SB_VERT ? VPos : HPos) = Pos; }
  void ShowScrollBar(int Bar, bool Show) override { (Bar == SB_VERT ? VBar : HBar) = Show; }
  Cardinal TickCount() override { return Ticks += TickStep; }

  int Count(const std::string& Op) const {
    int n = 0;
    for (const std::string& c : Calls)
      if (c.rfind(Op, 0) == 0) ++n;
    return n;
  }
  void Note(const std::string& Op, int A = 0, int B = 0) {
    Calls.push_back(Op + " " + std::to_string(A) + " " + std::to_string(B));
  }

  int Width = 400;
  int Height = 160;
  bool HasFocus = true;
  Cardinal Ticks = 1000;
  Cardinal TickStep = 1;
  Byte Font = 0;
  int CaretX = -1, CaretY = -1;
  int HPos = 0, VPos = 0;
  bool HBar = false, VBar = false;
  std::vector<std::string> Calls;
  std::vector<TDrawnText> Drawn;
};

// A memo shown on a fake display (or on none), with its text.
// Setup runs before the text is set.
struct TMemoOnFake {
  explicit TMemoOnFake(const std::u16string& Text = u"", bool Shown = true,
                       const std::function<void(TVavaDodu&)>& Setup = nullptr)
      : Memo(std::make_unique<TVavaDodu>(nullptr)) {
    if (Shown) {
      Memo->Display = &Display;
      Memo->DisplayResized();
    }
    if (Setup) Setup(*Memo);
    Memo->SetText(Text);
  }
  TMemoOnFake(const TMemoOnFake&) = delete;
  TMemoOnFake& operator=(const TMemoOnFake&) = delete;
  TVavaDodu& M() { return *Memo; }
  ParInfo& Par(int N) { return Memo->Store.ParInfoAt(N); }
  LineInfo Line(int Par, int Index) { return TLinesList(&Memo->Store.ParInfoAt(Par)).Get(Index); }
  int Lines(int N) { return GetLineCount(Memo->Store.ParInfoAt(N)); }

  TFakeDisplay Display;
  std::unique_ptr<TVavaDodu> Memo;
};

// Paragraph texts "p0" .. "p<N-1>" joined by CR LF.
inline std::u16string NumberedParagraphs(int N) {
  std::u16string text;
  for (int i = 0; i < N; ++i) {
    if (i > 0) text += u"\r\n";
    std::string s = "p" + std::to_string(i);
    text += std::u16string(s.begin(), s.end());
  }
  return text;
}

inline std::u16string U(const std::string& S) { return std::u16string(S.begin(), S.end()); }

}  // namespace
