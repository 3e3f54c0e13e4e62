#include "classlib/Charts.h"

#include <algorithm>

#include "classlib/Exceptions.h"
#include "classlib/SysUtils.h"
#include "classlib/qt/ChartView.h"

// ---------------------------------------------------------------------------------------
// TChartSeries

TChartSeries::TChartSeries(TComponent* AOwner, TChartSeriesKind Kind)
    : TComponent(AOwner), FKind(Kind), FSeriesColor(Kind == TChartSeriesKind::Line ? clRed : clBlue) {}

TChartSeries::~TChartSeries() { SetParentChart(nullptr); }

void TChartSeries::SetParentChart(TChart* Chart) {
  if (Chart == FChart) return;
  if (FChart != nullptr) {
    auto& list = FChart->FSeries;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    FChart->SeriesChanged();
  }
  FChart = Chart;
  if (FChart != nullptr) {
    FChart->FSeries.push_back(this);
    FChart->SeriesChanged();
  }
}

void TChartSeries::SetSeriesColor(TColor Value) {
  FSeriesColor = Value;
  Changed();
}

void TChartSeries::Clear() {
  FValues.clear();
  Changed();
}

int TChartSeries::AddXY(double X, double Y, const String& Label, TColor Color) {
  FValues.push_back({X, Y, Label, Color});
  Changed();
  return Count() - 1;
}

const TChartValue& TChartSeries::Value(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FValues[static_cast<size_t>(Index)];
}

TColor TChartSeries::ValueColor(int Index) const {
  const TColor c = Value(Index).Color;
  return c == clTeeColor ? FSeriesColor : c;
}

void TChartSeries::Changed() {
  if (FChart != nullptr) FChart->SeriesChanged();
}

// ---------------------------------------------------------------------------------------
// TChart

TChart::TChart(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clWhite);
  SetBounds(0, 0, 400, 250);
}

TChart::~TChart() {
  for (TChartSeries* s : FSeries) s->FChart = nullptr;
  FSeries.clear();
}

void TChart::SetTitle(const String& Value) {
  FTitle = Value;
  SeriesChanged();
}

QWidget* TChart::MakeView(QWidget* ParentView) { return ChartView::Make(ParentView); }

void TChart::UpdateView() {
  TWinControl::UpdateView();
  if (View() != nullptr) ChartView::Show(View(), *this);
}

void TChart::SeriesChanged() {
  // A run adds its points one by one: the view catches up once, when events are next handled.
  if (View() != nullptr) ChartView::ShowLater(View(), *this);
}
