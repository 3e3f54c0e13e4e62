#include "classlib/ComCtrls.h"

#include <QProgressBar>
#include <QSlider>
#include <QTabBar>
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "classlib/qt/Text.h"
#include "classlib/qt/Views.h"

namespace {
constexpr int kTabHeight = 20;
constexpr int kTabTop = 2;
constexpr int kPageMargin = 4;
}  // namespace

// The page control's view: a tab bar above the pages, whose own views are its children.
class PageControlView : public QWidget {
 public:
  PageControlView(TPageControl* control, QWidget* parent) : QWidget(parent), control_(control) {
    setAutoFillBackground(true);
    bar_ = new QTabBar(this);
    bar_->setDrawBase(false);
    QObject::connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
      std::vector<TTabSheet*> tabs = control_->VisibleTabs();
      if (index < 0 || index >= static_cast<int>(tabs.size())) return;
      try {
        control_->UserSelect(tabs[static_cast<size_t>(index)]);
      } catch (const std::exception& e) {
        Application->HandleException(control_, e);
      }
      control_->UpdateView();  // a refused change puts the tab back
    });
  }
  void Sync() {
    QSignalBlocker block(bar_);
    while (bar_->count() > 0) bar_->removeTab(0);
    for (TTabSheet* page : control_->VisibleTabs()) bar_->addTab(QString::fromStdString(page->Caption()));
    bar_->setCurrentIndex(control_->TabIndex());
    PlaceBar();
  }

 protected:
  // The view may be synced before it has its final size; the tab bar follows every resize so
  // that it never keeps a narrow width with scroll arrows.
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    PlaceBar();
  }

 private:
  void PlaceBar() {
    bar_->setGeometry(kPageMargin / 2, 0, std::max(0, width() - kPageMargin), kTabHeight + kTabTop + 2);
  }

  TPageControl* control_;
  QTabBar* bar_;
};

// ---------------------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  TControl::SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (FPageControl != nullptr) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

void TTabSheet::SetParent(TWinControl* AParent) {
  auto* control = dynamic_cast<TPageControl*>(AParent);
  TPageControl* old = FPageControl;
  if (old != nullptr && old != control) old->RemovePage(this);
  TWinControl::SetParent(AParent);
  if (control != nullptr && control != old) control->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (FPageControl == nullptr) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (FPageControl == nullptr) return;
  auto& pages = FPageControl->FPages;
  pages.erase(pages.begin() + PageIndex());
  Value = std::clamp(Value, 0, static_cast<int>(pages.size()));
  pages.insert(pages.begin() + Value, this);
  FPageControl->UpdateView();
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible) return;
  FTabVisible = Value;
  if (FPageControl != nullptr) FPageControl->PageTabChanged(this);
}

int TTabSheet::TabIndex() const {
  if (FPageControl == nullptr || !FTabVisible) return -1;
  std::vector<TTabSheet*> tabs = FPageControl->VisibleTabs();
  return static_cast<int>(std::find(tabs.begin(), tabs.end(), this) - tabs.begin());
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (FPageControl != nullptr) FPageControl->UpdateView();
}

QWidget* TTabSheet::MakeView(QWidget* ParentView) {
  auto* view = new QWidget(ParentView);
  view->setAutoFillBackground(true);
  return view;
}

// ---------------------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  TabStop = true;
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  // The pages outlive this part of the control for a moment (the base detaches them).
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : FPages)
    if (page->FTabVisible) tabs.push_back(page);
  return tabs;
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  TRect r = DisplayRect();
  Page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  Page->TControl::SetVisible(false);
  if (FActivePage == nullptr && Page->FTabVisible)
    SetActivePage(Page);
  else
    UpdateView();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  if (Page == FActivePage) {
    TTabSheet* next = FindNextPage(Page, true, true);
    FActivePage = nullptr;
    if (next != Page) SetActivePage(next);
  }
  FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
  Page->FPageControl = nullptr;
  UpdateView();
}

void TPageControl::PageTabChanged(TTabSheet* Page) {
  if (!Page->FTabVisible && Page == FActivePage) {
    TTabSheet* next = FindNextPage(Page, true, true);
    FActivePage = nullptr;
    ShowActive();
    if (next != Page) SetActivePage(next);
  } else if (Page->FTabVisible && FActivePage == nullptr) {
    SetActivePage(Page);
  }
  UpdateView();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  int count = PageCount();
  if (count == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  int start = it == FPages.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = FPages[static_cast<size_t>(i)];
    if (!CheckTabVisible || page->FTabVisible) return page;
  } while (i != start);
  return nullptr;
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page != nullptr && (Page->FPageControl != this || !Page->FTabVisible)) return;
  if (Page == FActivePage) return;
  TTabSheet* old = FActivePage;
  FActivePage = Page;
  ShowActive();
  UpdateView();
  if (old != nullptr && old->OnHide) old->OnHide(old);
  if (Page != nullptr && Page->OnShow) Page->OnShow(Page);
}

void TPageControl::ShowActive() {
  for (TTabSheet* page : FPages) page->SetVisible(page == FActivePage);
}

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::SetTabIndex(int Value) {
  std::vector<TTabSheet*> tabs = VisibleTabs();
  SetActivePage(Value >= 0 && Value < static_cast<int>(tabs.size()) ? tabs[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::SelectNextPage(bool GoForward) {
  TTabSheet* page = FindNextPage(FActivePage, GoForward, true);
  if (page != nullptr) UserSelect(page);
}

void TPageControl::UserSelect(TTabSheet* Page) {
  if (Page == nullptr || Page == FActivePage) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return;
  SetActivePage(Page);
  if (OnChange) OnChange(this);
}

TRect TPageControl::TabRect(int TabIndex) const {
  std::vector<TTabSheet*> tabs = VisibleTabs();
  if (TabIndex < 0 || TabIndex >= static_cast<int>(tabs.size())) return TRect{};
  int x = kPageMargin / 2;
  for (int i = 0;; ++i) {
    int w = ViewText::Measure(ViewText::StripAccel(tabs[static_cast<size_t>(i)]->Caption())).X + 12;
    if (i == TabIndex) return Rect(x, kTabTop, x + w, kTabTop + kTabHeight);
    x += w;
  }
}

TRect TPageControl::DisplayRect() const {
  int top = kTabTop + kTabHeight + kPageMargin / 2;
  return Rect(kPageMargin, top, std::max(kPageMargin, Width() - kPageMargin), std::max(top, Height() - kPageMargin));
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
  int count = static_cast<int>(VisibleTabs().size());
  for (int i = 0; i < count; ++i)
    if (TabRect(i).Contains(Point(X, Y))) return i;
  return -1;
}

void TPageControl::AlignControls(TControl* AControl, TRect& ARect) {
  for (TTabSheet* page : FPages) page->SetBounds(ARect.Left, ARect.Top, ARect.Width(), ARect.Height());
  TWinControl::AlignControls(AControl, ARect);
}

void TPageControl::Resize() {
  UpdateView();
  TWinControl::Resize();
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TWinControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  int tab = IndexOfTabAt(X, Y);
  if (tab >= 0) UserSelect(VisibleTabs()[static_cast<size_t>(tab)]);
}

void TPageControl::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  if (Key == VK_RIGHT || Key == VK_LEFT) {
    SelectNextPage(Key == VK_RIGHT);
    Key = 0;
  }
}

void TPageControl::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  TWinControl::WndProc(Message);
}

QWidget* TPageControl::MakeView(QWidget* ParentView) { return new PageControlView(this, ParentView); }

void TPageControl::UpdateView() {
  TWinControl::UpdateView();
  if (auto* view = dynamic_cast<PageControlView*>(View())) view->Sync();
}

// ---------------------------------------------------------------------------------------
// TProgressBar

namespace {
constexpr uintptr_t kShowPositionTimer = 1;
}

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

TProgressBar::~TProgressBar() {
  if (FShowPending && HandleAllocated()) KillTimer(Handle(), kShowPositionTimer);
}

void TProgressBar::SetMin(int Value) {
  FMin = Value;
  FPosition = std::max(FMin, std::min(FPosition, FMax));
  UpdateView();
}

void TProgressBar::SetMax(int Value) {
  FMax = Value;
  FPosition = std::max(FMin, std::min(FPosition, FMax));
  UpdateView();
}

void TProgressBar::SetPosition(int Value) {
  FPosition = std::max(FMin, std::min(Value, FMax));
  PositionChanged();
}

void TProgressBar::StepBy(int Delta) { SetPosition(FPosition + Delta); }

void TProgressBar::StepIt() {
  // Past either end the bar starts over from the other, as the classic control does.
  int64_t range = static_cast<int64_t>(FMax) - FMin;
  int64_t p = static_cast<int64_t>(FPosition) + FStep;
  if (range <= 0) {
    p = FMin;
  } else if (p > FMax) {
    p = FMin + (p - FMin) % range;
  } else if (p < FMin) {
    p = FMax - (FMin - p) % range;
  }
  FPosition = static_cast<int>(p);
  PositionChanged();
}

// Only the value goes to the view (range, look and hint are the view's already), and not
// more often than every kViewInterval ms.
void TProgressBar::PositionChanged() {
  if (View() == nullptr || FShowPending) return;
  if (GetTickCount() - FShownAt >= kViewInterval) {
    ShowPosition();
  } else if (SetTimer(Handle(), kShowPositionTimer, kViewInterval) != 0) {
    FShowPending = true;
  }
}

void TProgressBar::ShowPosition() {
  FShownAt = GetTickCount();
  auto* view = dynamic_cast<QProgressBar*>(View());
  if (view != nullptr && FMax > FMin) view->setValue(FPosition);
}

void TProgressBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER && Message.WParam == kShowPositionTimer) {
    KillTimer(Handle(), kShowPositionTimer);
    FShowPending = false;
    ShowPosition();
    return;
  }
  TWinControl::WndProc(Message);
}

QWidget* TProgressBar::MakeView(QWidget* ParentView) {
  auto* view = new QProgressBar(ParentView);
  view->setTextVisible(false);
  return view;
}

void TProgressBar::UpdateView() {
  TWinControl::UpdateView();
  auto* view = dynamic_cast<QProgressBar*>(View());
  if (view == nullptr) return;
  view->setOrientation(Orientation == pbVertical ? Qt::Vertical : Qt::Horizontal);
  if (FMax <= FMin) {
    // Qt shows an empty range as a busy animation; this bar stays still and empty.
    view->setRange(0, 1);
    view->setValue(0);
  } else {
    view->setRange(FMin, FMax);
    view->setValue(FPosition);
  }
  FShownAt = GetTickCount();
}

// ---------------------------------------------------------------------------------------
// TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  TabStop = true;
  SetBounds(0, 0, 150, 45);
}

void TTrackBar::SetMin(int Value) {
  FMin = Value;
  if (FMax < FMin) FMax = FMin;
  SetPosition(FPosition);
  UpdateView();
}

void TTrackBar::SetMax(int Value) {
  FMax = Value;
  if (FMin > FMax) FMin = FMax;
  SetPosition(FPosition);
  UpdateView();
}

void TTrackBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  UpdateView();
  Changed();
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  FOrientation = Value;
  UpdateView();
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

void TTrackBar::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_RIGHT: case VK_DOWN: SetPosition(FPosition + LineSize); break;
    case VK_LEFT: case VK_UP: SetPosition(FPosition - LineSize); break;
    case VK_NEXT: SetPosition(FPosition + PageSize); break;
    case VK_PRIOR: SetPosition(FPosition - PageSize); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    default: return;
  }
  Key = 0;
}

void TTrackBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  TWinControl::WndProc(Message);
}

QWidget* TTrackBar::MakeView(QWidget* ParentView) {
  auto* view = new QSlider(ParentView);
  QObject::connect(view, &QSlider::valueChanged, view, [this](int value) {
    try {
      SetPosition(value);
    } catch (const std::exception& e) {
      Application->HandleException(this, e);
    }
  });
  return view;
}

void TTrackBar::UpdateView() {
  TWinControl::UpdateView();
  auto* view = dynamic_cast<QSlider*>(View());
  if (view == nullptr) return;
  QSignalBlocker block(view);
  view->setOrientation(FOrientation == trVertical ? Qt::Vertical : Qt::Horizontal);
  view->setRange(FMin, FMax);
  view->setValue(FPosition);
  view->setSingleStep(LineSize);
  view->setPageStep(PageSize);
  view->setTickInterval(Frequency);
  view->setTickPosition(QSlider::TicksBelow);
}
