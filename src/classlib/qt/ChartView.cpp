#include "classlib/qt/ChartView.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <map>

#include "classlib/Charts.h"
#include "classlib/GraphicsQt.h"
#include "classlib/qt/Views.h"

namespace ChartView {

namespace {

class ChartWidget : public QChartView {
 public:
  explicit ChartWidget(QWidget* Parent) : QChartView(new QChart(), Parent) {
    // Flat colours, as the rest of the program draws, so points keep their exact colour.
    setRenderHint(QPainter::Antialiasing, false);
    QChart* c = chart();
    c->legend()->hide();
    c->setAnimationOptions(QChart::NoAnimation);
    c->setBackgroundRoundness(0);
    c->setMargins(QMargins(4, 4, 4, 4));
    AxisX = new QValueAxis(c);
    AxisY = new QValueAxis(c);
    c->addAxis(AxisX, Qt::AlignBottom);
    c->addAxis(AxisY, Qt::AlignLeft);
  }
  QValueAxis* AxisX;
  QValueAxis* AxisY;
  bool Pending = false;
};

// A range that shows every value with a little room; a single value gets a unit around it.
void FitAxis(QValueAxis* Axis, double Lo, double Hi) {
  if (!(Lo <= Hi)) {
    Lo = 0;
    Hi = 1;
  }
  double span = Hi - Lo;
  if (span <= 0) span = std::max(std::fabs(Lo), 1.0);
  Axis->setRange(Lo - span * 0.05, Hi + span * 0.05);
  Axis->applyNiceNumbers();
}

// An infinite or undefined coordinate has no place on an axis; with it in the range the axes
// would show nothing at all, the finite points included.
bool Placeable(const TChartSeries& Series, int Index) {
  return std::isfinite(Series.XValue(Index)) && std::isfinite(Series.YValue(Index));
}

void Attach(ChartWidget* W, QXYSeries* S) {
  W->chart()->addSeries(S);
  S->attachAxis(W->AxisX);
  S->attachAxis(W->AxisY);
}

}  // namespace

QWidget* Make(QWidget* ParentView) { return new ChartWidget(ParentView); }

void Show(QWidget* View, const TChart& Chart) {
  auto* w = dynamic_cast<ChartWidget*>(View);
  if (w == nullptr) return;
  w->Pending = false;
  QChart* c = w->chart();
  c->setTitle(QString::fromStdString(Chart.Title()));
  c->setBackgroundBrush(ToQColor(Chart.Color()));
  c->removeAllSeries();
  double xLo = INFINITY, xHi = -INFINITY, yLo = INFINITY, yHi = -INFINITY;
  for (int s = 0; s < Chart.SeriesCount(); ++s) {
    const TChartSeries* series = Chart.Series(s);
    const int n = series->Count();
    for (int i = 0; i < n; ++i) {
      if (!Placeable(*series, i)) continue;
      xLo = std::min(xLo, series->XValue(i));
      xHi = std::max(xHi, series->XValue(i));
      yLo = std::min(yLo, series->YValue(i));
      yHi = std::max(yHi, series->YValue(i));
    }
    if (series->Kind() == TChartSeriesKind::Line) {
      auto* line = new QLineSeries();
      const TColor colour = n > 0 ? series->ValueColor(0) : series->SeriesColor();
      line->setPen(QPen(ToQColor(colour), 2));
      for (int i = 0; i < n; ++i)
        if (Placeable(*series, i)) line->append(series->XValue(i), series->YValue(i));
      Attach(w, line);
      continue;
    }
    // One set of marks per colour.
    std::map<TColor, QScatterSeries*> byColour;
    for (int i = 0; i < n; ++i) {
      if (!Placeable(*series, i)) continue;
      const TColor colour = series->ValueColor(i);
      QScatterSeries*& marks = byColour[colour];
      if (marks == nullptr) {
        marks = new QScatterSeries();
        marks->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        marks->setMarkerSize(7);
        marks->setColor(ToQColor(colour));
        marks->setBorderColor(ToQColor(colour));
      }
      marks->append(series->XValue(i), series->YValue(i));
    }
    for (auto& entry : byColour) Attach(w, entry.second);
  }
  FitAxis(w->AxisX, xLo, xHi);
  FitAxis(w->AxisY, yLo, yHi);
}

void ShowLater(QWidget* View, const TChart&) {
  auto* w = dynamic_cast<ChartWidget*>(View);
  if (w == nullptr || w->Pending) return;
  w->Pending = true;
  // The chart is found again through its view, so a chart freed meanwhile is never reached.
  QTimer::singleShot(0, w, [w] {
    if (auto* chart = dynamic_cast<TChart*>(Views::ControlOf(w)); chart != nullptr && w->Pending) Show(w, *chart);
  });
}

}  // namespace ChartView
