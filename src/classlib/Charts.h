// Charts: a titled chart that shows point and line series on two value axes, as the results
// windows draw scatter plots and fitted lines. Our objects hold the points; the view over Qt
// Charts (classlib/qt/ChartView) only shows them, and follows every change.
//
// A series belongs to its owner (a form) like any component and is shown by the chart it is
// given to; either may be freed first.
#pragma once

#include <vector>

#include "classlib/Colors.h"
#include "classlib/Controls.h"

class TChart;

// A point's colour that means "the series' own colour".
constexpr TColor clTeeColor = clDefault;

// One point: where it stands, its label and its colour ($00BBGGRR, or clTeeColor).
struct TChartValue {
  double X = 0;
  double Y = 0;
  String Label;
  TColor Color = clTeeColor;
};

enum class TChartSeriesKind { Points, Line };

class TChartSeries : public TComponent {
 public:
  ~TChartSeries() override;

  // The chart that shows the series (nullptr: none).
  TChart* ParentChart() const { return FChart; }
  void SetParentChart(TChart* Chart);

  // The colour of points added with clTeeColor.
  TColor SeriesColor() const { return FSeriesColor; }
  void SetSeriesColor(TColor Value);

  void Clear();
  // Appends a point; returns its index.
  int AddXY(double X, double Y, const String& Label = "", TColor Color = clTeeColor);

  int Count() const { return static_cast<int>(FValues.size()); }
  // The point at Index; an index outside 0..Count-1 raises EListError.
  const TChartValue& Value(int Index) const;
  double XValue(int Index) const { return Value(Index).X; }
  double YValue(int Index) const { return Value(Index).Y; }
  // The colour the point is drawn in (the series' colour for clTeeColor).
  TColor ValueColor(int Index) const;

  TChartSeriesKind Kind() const { return FKind; }

 protected:
  TChartSeries(TComponent* AOwner, TChartSeriesKind Kind);

 private:
  void Changed();
  TChart* FChart = nullptr;
  TChartSeriesKind FKind;
  TColor FSeriesColor;
  std::vector<TChartValue> FValues;
  friend class TChart;
};

// Points drawn as small filled marks, unconnected.
class TPointSeries : public TChartSeries {
 public:
  explicit TPointSeries(TComponent* AOwner) : TChartSeries(AOwner, TChartSeriesKind::Points) {}
};

// Points joined by straight lines in the order they were added.
class TLineSeries : public TChartSeries {
 public:
  explicit TLineSeries(TComponent* AOwner) : TChartSeries(AOwner, TChartSeriesKind::Line) {}
};

class TChart : public TWinControl {
 public:
  explicit TChart(TComponent* AOwner);
  ~TChart() override;

  // The title above the plot area.
  String Title() const { return FTitle; }
  void SetTitle(const String& Value);

  int SeriesCount() const { return static_cast<int>(FSeries.size()); }
  TChartSeries* Series(int Index) const { return FSeries.at(static_cast<size_t>(Index)); }
  void AddSeries(TChartSeries* Series) { Series->SetParentChart(this); }

  void UpdateView() override;

 protected:
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  // Tells the view that a series or the title changed.
  void SeriesChanged();
  String FTitle;
  std::vector<TChartSeries*> FSeries;
  friend class TChartSeries;
};
