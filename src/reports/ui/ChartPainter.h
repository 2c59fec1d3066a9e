// The drawing of the reports' charts with QPainter: the pies of a report, the balance
// progression and the bar chart of all balances, flat or with depth. The same calls draw
// on the screen and on the printed page, so both show the same chart.
#pragma once

#include <vector>

#include <QRectF>

#include "reports/Progression.h"
#include "reports/Recap.h"
#include "reports/ReportPies.h"

class QPainter;

namespace charts {

// A pie with its title on top and every slice labelled with its key and value beside it,
// no legend. In 3D the pie is tilted, has a rim, and the largest slice is pulled out by
// explodePercent(true) of the radius.
void drawPie(QPainter& painter, const QRectF& area, const ledgora::PieChart& pie, bool threeD);

// The points [first, end) of the progression: the balance line, each point green or red,
// the date labels turned by 90 degrees under the chart, the values on the left axis with
// `axisTitle` beside them.
struct LineChart {
    QString title;
    QString axisTitle;
    const std::vector<ledgora::ProgressionPoint>* points = nullptr;
    int first = 0;
    int end = 0;
};
void drawLines(QPainter& painter, const QRectF& area, const LineChart& chart, bool threeD);

// One bar per account, labelled with its name under the axis and its value at its end.
void drawBars(QPainter& painter, const QRectF& area, const ledgora::BarChart& chart, bool threeD);

// The values shown on a value axis: round steps that cover [low, high] (and 0).
std::vector<double> axisTicks(double low, double high);

} // namespace charts
