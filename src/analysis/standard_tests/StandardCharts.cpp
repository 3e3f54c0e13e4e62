#include "analysis/standard_tests/StandardCharts.h"

namespace {

TScatterChart NewScatterChart(TComponent* Owner, TWinControl* Parent, const TScatterChartNames& Names, TAlign Align) {
  TScatterChart c{};
  c.Chart = New<TChart>(Owner);
  c.Chart->SetName(Names.Chart);
  c.Chart->SetTitle(Names.Title);
  c.Chart->SetWidth(376);  // half the page
  c.Chart->SetAlign(Align);
  c.Chart->SetParent(Parent);
  c.Points = New<TPointSeries>(Owner);
  c.Points->SetName(Names.Points);
  c.Chart->AddSeries(c.Points);
  c.Line = New<TLineSeries>(Owner);
  c.Line->SetName(Names.Line);
  c.Chart->AddSeries(c.Line);
  return c;
}

}  // namespace

void BuildChartPair(TComponent* Owner, TTabSheet* Page, const TScatterChartNames& Left,
                    const TScatterChartNames& Right, TScatterChart& LeftChart, TScatterChart& RightChart) {
  LeftChart = NewScatterChart(Owner, Page, Left, alLeft);
  RightChart = NewScatterChart(Owner, Page, Right, alClient);
  TChart* left = LeftChart.Chart;
  // The two charts share the page equally at any window size (the page may have its size
  // already, so it is shared now as well).
  if (Page->ClientWidth() > 0) left->SetWidth(Page->ClientWidth() / 2);
  Page->OnResize = [Page, left](TObject*) { left->SetWidth(Page->ClientWidth() / 2); };
}

void DrawPoints(TPointSeries* Series, const std::vector<double>& X, const std::vector<double>& Y) {
  Series->Clear();
  for (size_t i = 0; i < X.size() && i < Y.size(); ++i) Series->AddXY(X[i], Y[i], "", kChartPointColour);
}

void DrawLine(TLineSeries* Series, const std::vector<double>& X, const std::vector<double>& Y) {
  Series->Clear();
  for (size_t i = 0; i < X.size() && i < Y.size(); ++i) Series->AddXY(X[i], Y[i], "", kChartLineColour);
}
