// The view of a TChart over Qt Charts: the title, one value axis on each side fitted to every
// series' points, point series as filled marks and line series as joined lines, each point in
// its own colour. The only place that includes Qt Charts.
#pragma once

class QWidget;
class TChart;

namespace ChartView {

QWidget* Make(QWidget* ParentView);
// Shows the chart's present title, series and points now.
void Show(QWidget* View, const TChart& Chart);
// The same once pending events are handled; many calls before that show once.
void ShowLater(QWidget* View, const TChart& Chart);

}  // namespace ChartView
