// The watch face: its appearance and settings, geometry, painting, clicks, keys and the
// animated hand moves.
#include <algorithm>
#include <cmath>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Exceptions.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Graphic.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Picture.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownDraw.h"
#include "grid/dropdowns/RivTimePickerDropDown.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Rounded to the nearest whole number, halves to the even neighbour.
int Rnd(double X) { return static_cast<int>(std::nearbyint(X)); }

bool IsSet(TColor C) { return C != clNone; }

TDateTime TimeOf(int Hour, int Minute, int Second, int MSec) {
  return EncodeTime(static_cast<Word>(Hour), static_cast<Word>(Minute), static_cast<Word>(Second),
                    static_cast<Word>(MSec));
}

}  // namespace

// ---- TWatchAppearance ----------------------------------------------------------------------------

TWatchAppearance::TWatchAppearance()
    : FPicture(std::make_unique<TPicture>()), FHourFont(std::make_unique<TFont>()), FAMPMFont(std::make_unique<TFont>()) {
  FHourFont->SetName("Tahoma");
  FHourFont->SetSize(8);
  FAMPMFont->SetName("Tahoma");
  FAMPMFont->SetSize(10);
  FPicture->OnChange = [this](TObject*) { Changed(); };
}

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  Changed();
}

void TWatchAppearance::SetHourFont(TFont* Value) {
  FHourFont->Assign(Value);
  Changed();
}

void TWatchAppearance::SetAMPMFont(TFont* Value) {
  FAMPMFont->Assign(Value);
  Changed();
}

void TWatchAppearance::Assign(TPersistent* Source) {
  auto* o = dynamic_cast<TWatchAppearance*>(Source);
  if (o == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FSize = o->FSize;
  FShape = o->FShape;
  FBackgroundColor = o->FBackgroundColor;
  FBackgroundColorTo = o->FBackgroundColorTo;
  FBackgroundGradient = o->FBackgroundGradient;
  FBorderColor = o->FBorderColor;
  FBorderWidth = o->FBorderWidth;
  FHourColor = o->FHourColor;
  FHourMarkLength = o->FHourMarkLength;
  FHourMarkWidth = o->FHourMarkWidth;
  FHourMarkStyle = o->FHourMarkStyle;
  FMinuteColor = o->FMinuteColor;
  FMinuteMarkLength = o->FMinuteMarkLength;
  FMinuteMarkWidth = o->FMinuteMarkWidth;
  FTickMarks = o->FTickMarks;
  FHourPointer = o->FHourPointer;
  FHourPointerShadow = o->FHourPointerShadow;
  FHourPointerSize = o->FHourPointerSize;
  FMinutePointer = o->FMinutePointer;
  FMinutePointerShadow = o->FMinutePointerShadow;
  FMinutePointerSize = o->FMinutePointerSize;
  FSecondPointer = o->FSecondPointer;
  FSecondPointerSize = o->FSecondPointerSize;
  FPointerStyle = o->FPointerStyle;
  FCenterPointSize = o->FCenterPointSize;
  FCenterPointColor = o->FCenterPointColor;
  FCenterPointBorderColor = o->FCenterPointBorderColor;
  FCenterPointOuterBorderColor = o->FCenterPointOuterBorderColor;
  FAMPMColor = o->FAMPMColor;
  FAMPMBorderColor = o->FAMPMBorderColor;
  FAMPMFrame = o->FAMPMFrame;
  SecondPointerShadow = o->SecondPointerShadow;
  BorderStyle = o->BorderStyle;
  Rounding = o->Rounding;
  FPicture->Assign(o->FPicture.get());
  FHourFont->Assign(o->FHourFont.get());
  FAMPMFont->Assign(o->FAMPMFont.get());
  Changed();
}

// ---- TWatchSettings ------------------------------------------------------------------------------

void TWatchSettings::SetAuto(bool Value) {
  if (FAuto == Value) return;
  FAuto = Value;
  if (OnChange) OnChange(this);
}

void TWatchSettings::SetTimeOffset(int Value) {
  if (FTimeOffset == Value) return;
  FTimeOffset = Value;
  if (OnChange) OnChange(this);
}

void TWatchSettings::SetSecond(bool Value) {
  if (FSecond == Value) return;
  FSecond = Value;
  if (OnChange) OnChange(this);
}

void TWatchSettings::Assign(TPersistent* Source) {
  auto* o = dynamic_cast<TWatchSettings*>(Source);
  if (o == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FSecond = o->FSecond;
  FTimeOffset = o->FTimeOffset;
  SetAuto(o->FAuto);
}

// ---- TRivWatch: state ----------------------------------------------------------------------------

TRivWatch::TRivWatch(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()),
      FCache(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 180, 180);
  FAppearance->OnChange = [this](TObject*) { Invalidate(); };
  FSettings->OnChange = [this](TObject*) { SettingsChanged(); };
  FClockTimer = New<TTimer>(this);
  FClockTimer->SetEnabled(false);
  FClockTimer->SetInterval(100);
  FClockTimer->SetOnTimer([this](TObject*) { RedrawHands(); });
  FAnimationTimer = New<TTimer>(this);
  FAnimationTimer->SetEnabled(false);
  FAnimationTimer->SetInterval(1);
  FAnimationTimer->SetOnTimer([this](TObject*) { AnimationStep(); });
}

TRivWatch::~TRivWatch() = default;

void TRivWatch::SetAppearance(TWatchAppearance* Value) { FAppearance->Assign(Value); }
void TRivWatch::SetSettings(TWatchSettings* Value) { FSettings->Assign(Value); }

void TRivWatch::SetShowAMPM(bool Value) {
  if (FShowAMPM == Value) return;
  FShowAMPM = Value;
  Invalidate();
}

void TRivWatch::SetShowNumbers(bool Value) {
  if (FShowNumbers == Value) return;
  FShowNumbers = Value;
  Invalidate();
}

TDateTime TRivWatch::ShownTime() const {
  if (FSettings->Auto()) return Now() + FSettings->TimeOffset() / 1440.0;
  return FTime;
}

void TRivWatch::ShownFields(int& Hour, int& Minute, int& Second) const {
  Word h = 0, m = 0, s = 0, ms = 0;
  TDateTime t = ShownTime();
  DecodeTime(t - std::floor(t), h, m, s, ms);
  Hour = h;
  Minute = m;
  Second = s;
}

void TRivWatch::SetTime(TDateTime Value) {
  if (FTime == Value) return;
  FTime = Value;
  int h = 0, m = 0, s = 0;
  ShownFields(h, m, s);
  const bool saved = FInternalSet;
  FInternalSet = true;
  SetAM(h < 12);
  FInternalSet = saved;
  RedrawHands();
}

void TRivWatch::SetTimeInternal(TDateTime Value) {
  const bool saved = FInternalSet;
  FInternalSet = true;
  SetTime(Value);
  FInternalSet = saved;
}

void TRivWatch::SetAM(bool Value) {
  if (FAM == Value) return;
  FAM = Value;
  // The box shows the new half at once; no rolling strip on this platform.
  Invalidate();
}

void TRivWatch::SettingsChanged() {
  FClockTimer->SetEnabled(FSettings->Auto());
  if (FSettings->Auto()) {
    SetTimeInternal(Now());
    int h = 0, m = 0, s = 0;
    ShownFields(h, m, s);
    FInternalSet = true;
    SetAM(h < 12);
    FInternalSet = false;
  }
  Invalidate();
}

void TRivWatch::RedrawHands() { Invalidate(); }

void TRivWatch::DoChange() {
  if (OnChange) OnChange(this);
}

bool TRivWatch::AnimateNow() const {
  return Animation && !FInternalCall && !ComponentState().Contains(csLoading) &&
         !ComponentState().Contains(csDesigning);
}

bool TRivWatch::Animating() const { return FAnimationTimer->Enabled(); }

// ---- Hour and minute -----------------------------------------------------------------------------

void TRivWatch::SetHour(uint8_t Hour) {
  // An hour the day does not have is no change.
  if (Hour > 23) return;
  int h = 0, m = 0, s = 0;
  ShownFields(h, m, s);
  if (Hour == h) return;
  if (!AnimateNow()) {
    SetHourDirect(Hour);
    return;
  }
  FHourTo = Hour;
  FHourAnimating = true;
  FAnimationTimer->SetEnabled(true);
}

void TRivWatch::SetHourDirect(int Hour) {
  Word h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(FTime - std::floor(FTime), h, m, s, ms);
  SetTimeInternal(TimeOf(Hour, m, s, ms));
  FInternalSet = true;
  SetAM(Hour < 12);
  FInternalSet = false;
  RedrawHands();
  if (!FInStep || Hour == FHourTo) DoChange();
}

void TRivWatch::SetMinute(uint8_t Minute) {
  if (Minute >= 60) throw Exception("Invalid time");
  int h = 0, m = 0, s = 0;
  ShownFields(h, m, s);
  if (Minute == m) return;
  if (!AnimateNow()) {
    SetMinuteDirect(Minute);
    return;
  }
  FMinuteTo = Minute;
  FMinuteFrom = m;
  FHourAnimating = false;
  FAnimationTimer->SetEnabled(true);
}

void TRivWatch::SetMinuteDirect(int Minute) {
  Word h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(FTime - std::floor(FTime), h, m, s, ms);
  if (FMinuteFrom < 0) FMinuteFrom = m;
  int hour = h;
  // Moving the minute hand forward past twelve carries into the next hour.
  if (Minute == 0 && FMinuteFrom > 30) hour = hour == 23 ? 0 : hour + 1;
  FMinuteFrom = Minute;
  SetTimeInternal(TimeOf(hour, Minute, s, ms));
  FInternalSet = true;
  SetAM(hour < 12);
  FInternalSet = false;
  RedrawHands();
  if (!FInStep || Minute == FMinuteTo) DoChange();
  if (!FInStep) FMinuteFrom = -1;
}

void TRivWatch::AnimationStep() {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning)) return;
  const int factor = std::max(1, AnimationFactor);
  int h = 0, m = 0, s = 0;
  ShownFields(h, m, s);
  FInStep = true;
  FInternalCall = true;
  if (FHourAnimating) {
    if (h == FHourTo) {
      FAnimationTimer->SetEnabled(false);
    } else {
      const int step = std::max(1, Rnd(std::abs(FHourTo - h) / static_cast<double>(factor)));
      const int next = FHourTo > h ? std::min(FHourTo, h + step) : std::max(FHourTo, h - step);
      SetHourDirect(next);
      if (next == FHourTo) FAnimationTimer->SetEnabled(false);
    }
  } else {
    if (m == FMinuteTo) {
      FAnimationTimer->SetEnabled(false);
    } else {
      int next = 0;
      if (FMinuteTo == 0 && m > 30) {
        const int step = std::max(1, Rnd(std::abs(60 - m) / static_cast<double>(factor)));
        next = m + step >= 60 ? 0 : m + step;
      } else {
        const int step = std::max(1, Rnd(std::abs(FMinuteTo - m) / static_cast<double>(factor)));
        next = FMinuteTo > m ? std::min(FMinuteTo, m + step) : std::max(FMinuteTo, m - step);
      }
      SetMinuteDirect(next);
      if (next == FMinuteTo) {
        FAnimationTimer->SetEnabled(false);
        FMinuteFrom = -1;
      }
    }
  }
  FInternalCall = false;
  FInStep = false;
}

// ---- Keys and clicks -----------------------------------------------------------------------------

void TRivWatch::WatchKeyDown(Word Key) {
  if (FSettings->Auto()) return;
  int h = 0, m = 0, s = 0;
  ShownFields(h, m, s);
  auto direct = [this](int Hour) {
    FInternalCall = true;
    SetHour(static_cast<uint8_t>(Hour));
    FInternalCall = false;
  };
  switch (Key) {
    case 'A':
      if (h > 11) SetHour(static_cast<uint8_t>(h - 12));
      break;
    case 'P':
      if (h < 12) SetHour(static_cast<uint8_t>(h + 12));
      break;
    case VK_PRIOR:
      if (h == 23) direct(0); else SetHour(static_cast<uint8_t>(h + 1));
      break;
    case VK_NEXT:
      if (h == 0) direct(23); else SetHour(static_cast<uint8_t>(h - 1));
      break;
    case VK_HOME: direct(12); break;
    case VK_END: SetMinute(0); break;
    case VK_LEFT:
      if (m == 0) {
        Word hh = 0, mm = 0, ss = 0, ms = 0;
        DecodeTime(FTime - std::floor(FTime), hh, mm, ss, ms);
        SetTime(TimeOf(h == 0 ? 23 : h - 1, 59, ss, ms));
        DoChange();
      } else {
        SetMinute(static_cast<uint8_t>(m - 1));
      }
      break;
    case VK_RIGHT: SetMinute(static_cast<uint8_t>(m == 59 ? 0 : m + 1)); break;
    default: break;
  }
}

int TRivWatch::MinuteAt(int X, int Y) const {
  const TPoint c = Center();
  double dx = std::abs(X - c.X);
  double dy = std::abs(Y - c.Y);
  if (dx == 0) dx = 1;
  if (dy == 0) dy = 1;
  const int k = Rnd(std::atan(dy / dx) * 180 / kPi / 6);
  int minute = 0;
  if (X >= c.X && Y < c.Y)
    minute = 15 - k;
  else if (X >= c.X)
    minute = 15 + k;
  else if (Y >= c.Y)
    minute = 45 - k;
  else
    minute = 45 + k;
  return minute >= 0 && minute <= 59 ? minute : 0;
}

int TRivWatch::HourAt(int X, int Y) const {
  const int c = Rnd(MinuteAt(X, Y) / 5.0);
  if (c == 0 || c == 12) return FAM ? 0 : 12;
  return FAM ? c : c + 12;
}

void TRivWatch::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const TRect box = AMPMRect();
  Cursor = FShowAMPM && X >= box.Left && X < box.Right && Y >= box.Top && Y < box.Bottom ? crHandPoint : crDefault;
}

void TRivWatch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FSettings->Auto()) return;
  const TPoint c = Center();
  const double r = Radius();
  const double ex = (X - c.X) / r, ey = (Y - c.Y) / r;
  const bool inDial = r > 0 && ex * ex + ey * ey <= 1;
  const TRect box = AMPMRect();
  if (!inDial) {
    SetMinute(static_cast<uint8_t>(MinuteAt(X, Y)));
  } else if (FShowAMPM && X >= box.Left && X < box.Right && Y >= box.Top && Y < box.Bottom) {
    int h = 0, m = 0, s = 0;
    ShownFields(h, m, s);
    SetAM(!FAM);
    Word hh = 0, mm = 0, ss = 0, ms = 0;
    DecodeTime(FTime - std::floor(FTime), hh, mm, ss, ms);
    SetTimeInternal(TimeOf(h < 12 ? h + 12 : h - 12, mm, ss, ms));
    DoChange();
  } else {
    SetHour(static_cast<uint8_t>(HourAt(X, Y)));
  }
}

void TRivWatch::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = TabStop ? (DLGC_WANTARROWS | DLGC_WANTALLKEYS) : 0;
    return;
  }
  TCustomControl::WndProc(Message);
}

// ---- Geometry ------------------------------------------------------------------------------------

TRect TRivWatch::DialRect() const {
  const int w = ClientWidth(), h = ClientHeight();
  int s = FAppearance->Size() > 0 ? std::min({FAppearance->Size(), w, h}) : std::min(w, h) - 20;
  s = std::max(s, 0);
  const int x = (w - s) / 2, y = (h - s) / 2;
  return Rect(x, y, x + s, y + s);
}

TPoint TRivWatch::Center() const {
  const TRect d = DialRect();
  return TPoint{d.Left + d.Width() / 2, d.Top + d.Height() / 2};
}

int TRivWatch::Radius() const { return DialRect().Width() / 2; }

TPoint TRivWatch::PointAt(double Angle, double Distance) const {
  const TPoint c = Center();
  const double a = Angle * kPi / 180;
  return TPoint{Rnd(c.X + Distance * std::sin(a)), Rnd(c.Y - Distance * std::cos(a))};
}

TRect TRivWatch::AMPMRect() const {
  TBitmap measure(1, 1);
  TCanvas* m = measure.Canvas();
  m->Font()->Assign(FAppearance->AMPMFont());
  const int w = m->TextWidth("AM") + 8;
  const int th = m->TextHeight("AM");
  const TPoint c = Center();
  const int top = c.Y + Rnd((Radius() - th) / 3.0);
  return Rect(c.X - w / 2, top, c.X - w / 2 + w, top + th);
}

// ---- Painting ------------------------------------------------------------------------------------

void TRivWatch::Paint() {
  TCanvas* c = Canvas();
  FCache->SetSize(ClientWidth(), ClientHeight());
  TCanvas* cache = FCache->Canvas();
  cache->Brush()->SetColor(Parent() != nullptr ? Parent()->Color() : Color());
  cache->FillRect(ClientRect());
  PaintFace(cache);
  c->Draw(0, 0, FCache.get());
  PaintHands(c);
}

void TRivWatch::PaintFace(TCanvas* C) {
  TWatchAppearance* a = FAppearance.get();
  const TRect dial = DialRect();
  const TRect client = ClientRect();
  const int R = Radius();
  // 1. Background and border.
  const TRect shape = a->Shape() == wsCircle ? dial : client;
  const int saved = C->SaveDC();
  if (a->Shape() == wsCircle) C->IntersectClipEllipse(Rect(shape.Left - 1, shape.Top - 1, shape.Right + 2, shape.Bottom + 2));
  if (a->Shape() == wsRoundRect) C->IntersectClipRoundRect(shape, 20, 20);
  if (IsSet(a->BackgroundColor()) && IsSet(a->BackgroundColorTo())) {
    FillGradientRect(C, a->BackgroundColor(), a->BackgroundColorTo(), 80, shape, a->BackgroundGradient() == wgRadial);
  } else if (IsSet(a->BackgroundColor())) {
    C->Brush()->SetColor(a->BackgroundColor());
    C->FillRect(shape);
  }
  C->RestoreDC(saved);
  if (IsSet(a->BorderColor()) && a->BorderWidth() > 0) {
    C->Pen()->SetColor(a->BorderColor());
    C->Pen()->SetWidth(a->BorderWidth());
    C->Brush()->SetStyle(bsClear);
    if (a->Shape() == wsCircle)
      C->Ellipse(dial);
    else if (a->Shape() == wsRect)
      C->Rectangle(client);
    else
      C->RoundRect(client.Left, client.Top, client.Right, client.Bottom, 20, 20);
    C->Brush()->SetStyle(bsSolid);
    C->Pen()->SetWidth(1);
  }
  if (a->Picture()->Graphic() != nullptr && !a->Picture()->Graphic()->Empty()) C->Draw(0, 0, a->Picture()->Graphic());
  // 2. Marks.
  const double r0 = R - a->BorderWidth() / 2;
  if (a->TickMarks() != tmNone) {
    const double rin = a->HourMarkLength() != 0 ? r0 - a->HourMarkLength() : r0 * 0.9;
    C->Pen()->SetColor(a->HourColor());
    C->Pen()->SetWidth(a->HourMarkWidth());
    for (int hour = 0; hour < 12; ++hour) {
      const bool quarter = hour % 3 == 0;
      if (!quarter && a->TickMarks() != tmAll && a->TickMarks() != tmHours) continue;
      const double angle = hour * 30.0;
      if (quarter && a->HourMarkStyle() == hmsQuartDblLine) {
        for (int side : {-2, 2}) {
          const double s = angle + 90;
          const TPoint p1 = PointAt(angle, rin), p2 = PointAt(angle, r0);
          const TPoint off = TPoint{Rnd(side * std::sin(s * kPi / 180)), Rnd(-side * std::cos(s * kPi / 180))};
          C->MoveTo(p1.X + off.X, p1.Y + off.Y);
          C->LineTo(p2.X + off.X, p2.Y + off.Y);
        }
      } else {
        const TPoint p1 = PointAt(angle, rin), p2 = PointAt(angle, r0);
        C->MoveTo(p1.X, p1.Y);
        C->LineTo(p2.X, p2.Y);
      }
    }
    if (a->TickMarks() == tmAll) {
      const double min = a->MinuteMarkLength() != 0 ? r0 - a->MinuteMarkLength() : r0 * 0.95;
      C->Pen()->SetColor(a->MinuteColor());
      C->Pen()->SetWidth(a->MinuteMarkWidth());
      for (int minute = 0; minute < 60; ++minute) {
        if (minute % 5 == 0) continue;
        const TPoint p1 = PointAt(minute * 6.0, min), p2 = PointAt(minute * 6.0, r0);
        C->MoveTo(p1.X, p1.Y);
        C->LineTo(p2.X, p2.Y);
      }
    }
    C->Pen()->SetWidth(1);
  }
  // 3. Numbers.
  if (FShowNumbers && (a->TickMarks() == tmAll || a->TickMarks() == tmQuartHours)) {
    const int r1 = R - a->BorderWidth() / 2;
    const int b = a->HourMarkLength() != 0 ? a->HourMarkLength() : Rnd(r1 * 0.1) + 2;
    C->Font()->Assign(a->HourFont());
    C->SetBkMode(TRANSPARENT);
    C->Brush()->SetStyle(bsClear);
    for (int n = 1; n <= 12; ++n) {
      if (a->TickMarks() == tmQuartHours && n % 3 != 0) continue;
      const String text = IntToStr(n);
      const int th = C->TextHeight(text);
      const int d = n == 10 ? Rnd(0.2 * th) : n == 11 ? Rnd(0.15 * th) : 0;
      const TPoint p = PointAt(n * 30.0, r1 - 2 * b - 2 + b / 2 - d);
      C->TextOut(p.X - C->TextWidth(text) / 2, p.Y - th / 2, text);
    }
    C->Brush()->SetStyle(bsSolid);
  }
  // 4. AM/PM box.
  if (FShowAMPM) {
    const TRect box = AMPMRect();
    if (IsSet(a->AMPMColor()) || IsSet(a->AMPMBorderColor())) {
      if (IsSet(a->AMPMColor())) C->Brush()->SetColor(a->AMPMColor()); else C->Brush()->SetStyle(bsClear);
      if (IsSet(a->AMPMBorderColor())) C->Pen()->SetColor(a->AMPMBorderColor()); else C->Pen()->SetStyle(psClear);
      if (a->AMPMFrame() == apRect)
        C->Rectangle(box);
      else
        C->RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
      C->Pen()->SetStyle(psSolid);
      C->Brush()->SetStyle(bsSolid);
    }
    C->Font()->Assign(a->AMPMFont());
    C->SetBkMode(TRANSPARENT);
    C->Brush()->SetStyle(bsClear);
    TRect t = box;
    C->DrawText(FAM ? "AM" : "PM", t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    C->Brush()->SetStyle(bsSolid);
  }
}

void TRivWatch::Hand(TCanvas* C, double Angle, double From, double To, int Dx, int Dy) {
  const int R = Radius();
  const TPoint a = PointAt(Angle, -From * R), b = PointAt(Angle, To * R);
  C->MoveTo(a.X + Dx, a.Y + Dy);
  C->LineTo(b.X + Dx, b.Y + Dy);
}

void TRivWatch::PaintHands(TCanvas* C) {
  TWatchAppearance* a = FAppearance.get();
  int h = 0, m = 0, s = 0;
  ShownFields(h, m, s);
  if (FSettings->Auto()) {
    FInternalSet = true;
    SetAM(h < 12);
    FInternalSet = false;
  }
  const double hourAngle = (h % 12) * 30.0 + m * 0.5;
  const double minuteAngle = m * 6.0;
  const int R = Radius();
  auto pointer = [&](double angle, double tip, TColor color, int dx, int dy) {
    std::vector<TPoint> pts = {PointAt(angle, -0.1 * R), PointAt(angle + 90, 0.05 * R), PointAt(angle, tip * R),
                               PointAt(angle - 90, 0.05 * R)};
    for (TPoint& p : pts) p = TPoint{p.X + dx, p.Y + dy};
    C->Pen()->SetColor(color);
    C->Pen()->SetWidth(1);
    C->Brush()->SetColor(color);
    C->Polygon(pts);
  };
  if (a->PointerStyle() == psLine) {
    if (IsSet(a->HourPointerShadow())) {
      C->Pen()->SetColor(a->HourPointerShadow());
      C->Pen()->SetWidth(a->HourPointerSize());
      Hand(C, hourAngle, 0.1, 0.46, -1, 3);
    }
    if (IsSet(a->MinutePointerShadow())) {
      C->Pen()->SetColor(a->MinutePointerShadow());
      C->Pen()->SetWidth(a->MinutePointerSize());
      Hand(C, minuteAngle, 0.1, 0.65, 0, 3);
    }
    C->Pen()->SetColor(a->HourPointer());
    C->Pen()->SetWidth(a->HourPointerSize());
    Hand(C, hourAngle, 0.1, 0.5, 0, 0);
    C->Pen()->SetColor(a->MinutePointer());
    C->Pen()->SetWidth(a->MinutePointerSize());
    Hand(C, minuteAngle, 0.1, 0.7, 0, 0);
  } else if (a->PointerStyle() == psPointer) {
    if (IsSet(a->HourPointerShadow())) pointer(hourAngle, 0.5, a->HourPointerShadow(), 1, 3);
    pointer(hourAngle, 0.5, a->HourPointer(), 0, 0);
    if (IsSet(a->MinutePointerShadow())) pointer(minuteAngle, 0.7, a->MinutePointerShadow(), 1, 3);
    pointer(minuteAngle, 0.7, a->MinutePointer(), 0, 0);
  }
  if (FSettings->Auto() && FSettings->Second()) {
    C->Pen()->SetColor(a->SecondPointer());
    C->Pen()->SetWidth(a->SecondPointerSize());
    Hand(C, s * 6.0, 0.2, 0.9, 0, 0);
  }
  C->Pen()->SetWidth(1);
  // 6. Centre point.
  const int P = a->CenterPointSize();
  if (P > 0) {
    const TPoint c = Center();
    const TRect r = Rect(c.X - P / 2, c.Y - P / 2, c.X - P / 2 + P, c.Y - P / 2 + P);
    if (IsSet(a->CenterPointColor())) {
      C->Pen()->SetColor(a->CenterPointColor());
      C->Brush()->SetColor(a->CenterPointColor());
      C->Ellipse(r);
    }
    int w = 0;
    C->Brush()->SetStyle(bsClear);
    if (IsSet(a->CenterPointOuterBorderColor())) {
      w = Rnd(0.2 * P);
      C->Pen()->SetColor(a->CenterPointOuterBorderColor());
      C->Pen()->SetWidth(std::max(1, w));
      C->Ellipse(r);
    }
    if (IsSet(a->CenterPointBorderColor())) {
      const int q = P - w;
      C->Pen()->SetColor(a->CenterPointBorderColor());
      C->Pen()->SetWidth(std::max(1, Rnd(0.1 * P)));
      C->Ellipse(Rect(c.X - q / 2, c.Y - q / 2, c.X - q / 2 + q, c.Y - q / 2 + q));
    }
    C->Brush()->SetStyle(bsSolid);
    C->Pen()->SetWidth(1);
  }
}

// ---- Looks ---------------------------------------------------------------------------------------

void TRivWatch::SetComponentStyle(TVAVStyle AStyle) {
  TWatchAppearance* a = FAppearance.get();
  a->SetCenterPointOuterBorderColor(0);
  a->HourFont()->SetColor(0);
  a->AMPMFont()->SetColor(0);
  struct Look {
    TVAVStyle style;
    TColor ampmBorder, ampmFill, background, backgroundTo, border, centreBorder, centre, hands, shadow, second;
  };
  static const Look looks[] = {
      {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, clNone, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF, 0xFFFFFF},
      {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, clNone, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xFFFFFF, 0xFFFFFF},
      {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, clNone, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF, 0xFFFFFF},
      {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, clNone, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
      {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, clNone, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF, 0x723708},
      {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, clNone, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0},
      {tsWindowsXP, 0, clBtnFace, clBtnFace, clNone, 0, 0, 0, 0, 0xFFFFFF, 0},
      {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, clNone, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF, 0x7E9898},
      {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, clNone, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0xFFFFFF, 0x74706F},
      {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A},
      {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF, 0xFBD6B8},
      {tsTerminal, 0x808080, clBtnFace, clBtnFace, clNone, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF, 0x808080},
      {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, clNone, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF, 0xC7B29F},
      {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, clNone, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8},
      {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, clNone, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D},
  };
  for (const Look& l : looks) {
    if (l.style != AStyle) continue;
    a->StoreAMPMColors(l.ampmBorder, l.ampmFill);
    a->SetBackgroundColor(l.background);
    a->SetBackgroundColorTo(l.backgroundTo);
    a->SetBorderColor(l.border);
    a->SetCenterPointBorderColor(l.centreBorder);
    a->SetCenterPointColor(l.centre);
    a->SetHourColor(l.hands);
    a->SetMinuteColor(l.hands);
    a->SetHourPointer(l.hands);
    a->SetMinutePointer(l.hands);
    a->SetHourPointerShadow(l.shadow);
    a->SetMinutePointerShadow(l.shadow);
    a->SetSecondPointer(l.second);
    if (AStyle == tsOffice2007Obsidian) {
      a->AMPMFont()->SetColor(0xF2F1F0);
      a->HourFont()->SetColor(0xF2F1F0);
    }
  }
  Invalidate();
}
