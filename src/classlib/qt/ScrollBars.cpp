#include "classlib/qt/ScrollBars.h"

#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "classlib/Controls.h"

namespace {

const char* const kVerticalName = "VerticalScrollBar";
const char* const kHorizontalName = "HorizontalScrollBar";
const char* const kCornerName = "ScrollBarCorner";

class ScrollBarView : public QScrollBar {
 public:
  ScrollBarView(TWinControl* control, Qt::Orientation orientation, QWidget* parent)
      : QScrollBar(orientation, parent), control_(control) {
    setObjectName(orientation == Qt::Vertical ? kVerticalName : kHorizontalName);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) { OnAction(action); });
    connect(this, &QAbstractSlider::sliderReleased, this, [this] { OnReleased(); });
  }

  void Apply(const Views::ScrollBarState& state) {
    state_ = state;
    setRange(0, std::max(0, state.Max));
    setPageStep(std::max(1, state.Page));
    setSingleStep(1);
    // While a person drags the thumb it stays under the mouse.
    if (!isSliderDown()) setValue(state.Position);
  }

 protected:
  // The wheel belongs to the control, over its bars as over its client area.
  void wheelEvent(QWheelEvent* e) override { e->ignore(); }

 private:
  // False when the bar went away while the control handled the request.
  bool Send(Word code, int position) {
    QPointer<ScrollBarView> self(this);
    UINT msg = orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
    TMessage m{msg, static_cast<WPARAM>(code) | (static_cast<WPARAM>(std::max(position, 0)) << 16), 0, 0};
    control_->MainWndProc(m);
    return !self.isNull();
  }

  void OnAction(int action) {
    Word code = 0;
    switch (action) {
      case SliderSingleStepAdd: code = SB_LINEDOWN; break;
      case SliderSingleStepSub: code = SB_LINEUP; break;
      case SliderPageStepAdd: code = SB_PAGEDOWN; break;
      case SliderPageStepSub: code = SB_PAGEUP; break;
      case SliderToMinimum: code = SB_TOP; break;
      case SliderToMaximum: code = SB_BOTTOM; break;
      case SliderMove:
        if (isSliderDown()) {
          Send(SB_THUMBTRACK, sliderPosition());
          return;
        }
        code = SB_THUMBPOSITION;
        break;
      default: return;
    }
    if (!Send(code, sliderPosition())) return;
    // Qt has moved the thumb its own way; it goes where the control went instead.
    setSliderPosition(state_.Position);
  }

  void OnReleased() {
    if (!Send(SB_THUMBPOSITION, sliderPosition()) || !Send(SB_ENDSCROLL, 0)) return;
    setValue(state_.Position);
  }

  TWinControl* control_;
  Views::ScrollBarState state_;
};

ScrollBarView* FindBar(QWidget* view, const char* name) {
  return dynamic_cast<ScrollBarView*>(view->findChild<QScrollBar*>(name, Qt::FindDirectChildrenOnly));
}

void PlaceBar(TWinControl* control, QWidget* view, Qt::Orientation orientation, const Views::ScrollBarState& state,
              const QRect& where) {
  const char* name = orientation == Qt::Vertical ? kVerticalName : kHorizontalName;
  ScrollBarView* bar = FindBar(view, name);
  if (!state.Visible) {
    if (bar != nullptr) bar->hide();
    return;
  }
  if (bar == nullptr) bar = new ScrollBarView(control, orientation, view);
  bar->setGeometry(where);
  bar->Apply(state);
  bar->show();
  bar->raise();  // above an editor that reaches past the client area
}

}  // namespace

namespace Views {

void ApplyScrollBars(TWinControl* Control, const ScrollBarState& Horizontal, const ScrollBarState& Vertical,
                     int Thickness) {
  QWidget* view = Control->View();
  if (view == nullptr) return;
  int w = Control->Width();
  int h = Control->Height();
  int right = Vertical.Visible ? Thickness : 0;
  int bottom = Horizontal.Visible ? Thickness : 0;
  PlaceBar(Control, view, Qt::Vertical, Vertical, QRect(w - Thickness, 0, Thickness, std::max(0, h - bottom)));
  PlaceBar(Control, view, Qt::Horizontal, Horizontal, QRect(0, h - Thickness, std::max(0, w - right), Thickness));
  // The square where both bars meet.
  auto* corner = view->findChild<QWidget*>(kCornerName, Qt::FindDirectChildrenOnly);
  if (Horizontal.Visible && Vertical.Visible) {
    if (corner == nullptr) {
      corner = new QWidget(view);
      corner->setObjectName(kCornerName);
      corner->setAutoFillBackground(true);
      corner->setBackgroundRole(QPalette::Button);
    }
    corner->setGeometry(w - Thickness, h - Thickness, Thickness, Thickness);
    corner->show();
    corner->raise();
  } else if (corner != nullptr) {
    corner->hide();
  }
}

}  // namespace Views
