// The hint window: placed and shown by ActivateHint, sized by CalcHintRect, painted as a framed
// text, hidden by ReleaseHandle, made through the application's hint window class, and shown
// by the real window system on top without taking the activation.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/HintWindow.h"
#include "support/RealWindows.h"

namespace {

TEST(HintWindow, ActivateHintPlacesShowsAndPaintsTheText) {
  std::unique_ptr<THintWindow> hint(New<THintWindow>(nullptr));
  EXPECT_FALSE(hint->Active());
  const TRect one = hint->CalcHintRect(400, "a hint", nullptr);
  const TRect two = hint->CalcHintRect(400, "a hint\nover two lines", nullptr);
  EXPECT_GT(one.Width(), 6);
  EXPECT_GT(two.Height(), one.Height()) << "a second line";
  EXPECT_LE(hint->CalcHintRect(60, "words that wrap within sixty pixels", nullptr).Width(), 60 + 6);

  hint->ActivateHint(Rect(30, 40, 30 + one.Width(), 40 + one.Height()), "a hint");
  EXPECT_TRUE(hint->Active());
  EXPECT_EQ(hint->Caption(), "a hint");
  EXPECT_EQ(hint->BoundsRect(), Rect(30, 40, 30 + one.Width(), 40 + one.Height()));

  TBitmap bitmap(one.Width(), one.Height());
  hint->PaintTo(bitmap.Canvas());
  TCanvas* c = bitmap.Canvas();
  EXPECT_EQ(c->Pixel(0, 0), ColorToRGB(clBlack)) << "the frame";
  EXPECT_EQ(c->Pixel(one.Width() - 1, one.Height() - 1), ColorToRGB(clBlack));
  EXPECT_EQ(c->Pixel(1, 1), ColorToRGB(clInfoBk)) << "the hint colour";
  int text = 0;
  for (int y = 1; y < one.Height() - 1; ++y)
    for (int x = 1; x < one.Width() - 1; ++x) text += c->Pixel(x, y) == ColorToRGB(clInfoText);
  EXPECT_GT(text, 10) << "the text";

  hint->ReleaseHandle();
  EXPECT_FALSE(hint->Active());
}

TEST(HintWindow, TheApplicationsHintWindowClassMakesEveryHintWindow) {
  class TBigHint : public THintWindow {
   public:
    using THintWindow::THintWindow;
  };
  std::unique_ptr<THintWindow> plain(NewHintWindow(nullptr));
  EXPECT_EQ(dynamic_cast<TBigHint*>(plain.get()), nullptr);
  SetHintWindowClass([](TComponent* AOwner) { return New<TBigHint>(AOwner); });
  std::unique_ptr<THintWindow> big(NewHintWindow(nullptr));
  EXPECT_NE(dynamic_cast<TBigHint*>(big.get()), nullptr);
  SetHintWindowClass(nullptr);
}

TEST(RealHintWindow, ShowsOnTopWithoutTakingTheActivation) {
  RealWindows::Scope scope;
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  form->SetBounds(60, 60, 400, 300);
  form->Show();
  ASSERT_TRUE(RealWindows::WaitFor([&] { return RealWindows::ActiveForm() == form.get(); }));
  std::unique_ptr<THintWindow> hint(New<THintWindow>(nullptr));
  const TRect size = hint->CalcHintRect(400, "over the form", nullptr);
  hint->ActivateHint(Rect(120, 120, 120 + size.Width(), 120 + size.Height()), "over the form");
  ASSERT_TRUE(RealWindows::WaitFor([&] { return RealWindows::ControlOnScreen(hint.get()); }));
  EXPECT_TRUE(RealWindows::ControlOnScreen(hint.get()));
  EXPECT_EQ(RealWindows::ViewBounds(hint.get()).Width(), size.Width());
  EXPECT_EQ(RealWindows::ActiveForm(), form.get()) << "the form keeps the activation";
  EXPECT_GT(RealWindows::PixelsOfColor(hint.get(), ColorToRGB(clInfoBk)), size.Width() * size.Height() / 3);
  hint->ReleaseHandle();
  RealWindows::Settle();
  EXPECT_FALSE(RealWindows::ControlOnScreen(hint.get()));
}

}  // namespace
