// The scatter charts of the randomisation tests' results windows: two titled charts sharing
// a page equally, each with a point series (blue) and a line series (red), and drawing a point
// set and a line into them.
#pragma once

#include <vector>

#include "classlib/Charts.h"
#include "classlib/ComCtrls.h"

// Points in blue, line points in red, as the colour values $00BBGGRR.
inline constexpr TColor kChartPointColour = 0xFF0000;
inline constexpr TColor kChartLineColour = 255;

struct TScatterChart {
  TChart* Chart;
  TPointSeries* Points;
  TLineSeries* Line;
};

// Left on the page, then right; the left one keeps half the page's width at any size.
struct TScatterChartNames {
  const char* Chart;
  const char* Title;
  const char* Points;
  const char* Line;
};
void BuildChartPair(TComponent* Owner, TTabSheet* Page, const TScatterChartNames& Left,
                    const TScatterChartNames& Right, TScatterChart& LeftChart, TScatterChart& RightChart);

// Clears the series and adds the points (x[i], y[i]) in order.
void DrawPoints(TPointSeries* Series, const std::vector<double>& X, const std::vector<double>& Y);
// Clears the series and adds the line through the points (x[i], y[i]) in order.
void DrawLine(TLineSeries* Series, const std::vector<double>& X, const std::vector<double>& Y);
