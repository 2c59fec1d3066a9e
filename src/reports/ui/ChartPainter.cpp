#include "reports/ui/ChartPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include "money/Amount.h"

namespace charts {
namespace {

using ledgora::centsToDouble;

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QColor qcolor(ledgora::Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Slices and bars take these in turn: distinct, and dark enough for white paper.
QColor seriesColor(std::size_t i) {
    static const QColor colours[] = {
        QColor(65, 105, 225), QColor(255, 165, 0),  QColor(46, 139, 87),  QColor(148, 0, 211),
        QColor(0, 191, 255),  QColor(218, 165, 32), QColor(199, 21, 133), QColor(154, 205, 50),
        QColor(0, 128, 128),  QColor(106, 90, 205), QColor(255, 99, 71),  QColor(60, 179, 113),
        QColor(70, 130, 180), QColor(210, 105, 30), QColor(205, 92, 92),  QColor(220, 20, 60)};
    return colours[i % std::size(colours)];
}

// The title centred on top; the rest of the area is returned.
QRectF drawTitle(QPainter& p, const QRectF& area, const QString& title) {
    QFont font = p.font();
    font.setBold(true);
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 1.15);
    } else {
        font.setPixelSize(qRound(font.pixelSize() * 1.15));
    }
    p.save();
    p.setFont(font);
    p.setPen(Qt::black);
    const QRectF box =
        p.boundingRect(area.adjusted(8, 6, -8, 0), Qt::AlignHCenter | Qt::TextWordWrap, title);
    p.drawText(box, Qt::AlignHCenter | Qt::TextWordWrap, title);
    p.restore();
    return area.adjusted(0, box.height() + 12, 0, 0);
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

struct PieLabel {
    QPointF anchor; // on the slice's edge
    QPointF at;     // where the text starts (right side) or ends (left side)
    QString text;
    bool right = true;
};

// Labels of one side, moved apart so that none covers another, within [top, bottom].
void spreadLabels(std::vector<PieLabel*>& side, double lineHeight, double top, double bottom) {
    std::sort(side.begin(), side.end(), [](auto* a, auto* b) { return a->at.y() < b->at.y(); });
    double next = top;
    for (PieLabel* label : side) {
        label->at.ry() = std::max(label->at.y(), next);
        next = label->at.y() + lineHeight;
    }
    // Pushed past the bottom: move the last ones back up.
    double limit = bottom;
    for (auto it = side.rbegin(); it != side.rend(); ++it) {
        (*it)->at.ry() = std::min((*it)->at.y(), limit);
        limit = (*it)->at.y() - lineHeight;
    }
}

// The value axis: its ticks, mapped onto [plot.top, plot.bottom], drawn as grid lines
// with their values on the left and the axis title turned beside them.
struct ValueAxis {
    std::vector<double> ticks;
    QRectF plot;
    double low() const { return ticks.front(); }
    double high() const { return ticks.back(); }
    double y(double value) const {
        const double span = high() - low();
        return plot.bottom() - (value - low()) / span * plot.height();
    }
};

double tickLabelWidth(const QFontMetricsF& fm, const std::vector<double>& ticks) {
    double width = 0;
    for (double t : ticks) {
        width = std::max(width, fm.horizontalAdvance(q(ledgora::formatAmount(t))));
    }
    return width;
}

void drawValueAxis(QPainter& p, const ValueAxis& axis, const QString& title, double titleX) {
    const QFontMetricsF fm(p.font());
    p.save();
    for (double t : axis.ticks) {
        const double y = axis.y(t);
        p.setPen(QPen(QColor(210, 210, 210), 1, t == 0.0 ? Qt::SolidLine : Qt::DotLine));
        if (t == 0.0) {
            p.setPen(QPen(QColor(120, 120, 120), 1));
        }
        p.drawLine(QPointF(axis.plot.left(), y), QPointF(axis.plot.right(), y));
        p.setPen(Qt::black);
        const QString text = q(ledgora::formatAmount(t));
        p.drawText(QRectF(axis.plot.left() - 6 - fm.horizontalAdvance(text) - 2,
                          y - fm.height() / 2, fm.horizontalAdvance(text) + 2, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
    p.setPen(Qt::black);
    p.drawLine(axis.plot.bottomLeft(), axis.plot.topLeft());
    p.translate(titleX, axis.plot.center().y());
    p.rotate(-90);
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QRectF(-axis.plot.height() / 2, -fm.height(), axis.plot.height(), fm.height()),
               Qt::AlignCenter, title);
    p.restore();
}

} // namespace

std::vector<double> axisTicks(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return {0.0, 1.0};
    }
    if (low > high) {
        std::swap(low, high);
    }
    if (high - low < 0.01) {
        const double pad = std::max(1.0, std::abs(high) * 0.1);
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / 5.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double step = (norm < 1.5 ? 1.0 : norm < 3.0 ? 2.0 : norm < 7.0 ? 5.0 : 10.0) * magnitude;
    const double first = std::floor(low / step) * step;
    const double last = std::ceil(high / step) * step;
    std::vector<double> ticks;
    for (int i = 0; first + i * step <= last + step / 2 && i < 100; ++i) {
        const double t = first + i * step;
        // Rounded so that 0 is exactly 0 and labels carry no binary noise.
        ticks.push_back(std::abs(t) < step / 1e6 ? 0.0 : std::round(t / step) * step);
    }
    if (ticks.size() < 2) {
        ticks.push_back(ticks.empty() ? high : ticks.back() + step);
    }
    return ticks;
}

namespace {

// A slice's label: the key shortened when it would take more than `room`, so that the
// value always shows whole.
QString pieLabelText(const QFontMetricsF& fm, const ledgora::PieSlice& slice, double room) {
    const QString full = q(slice.label());
    if (fm.horizontalAdvance(full) <= room) {
        return full;
    }
    const QString value = QStringLiteral(" : ") + q(ledgora::formatCents(slice.value));
    const double keyRoom = std::max(room - fm.horizontalAdvance(value), fm.averageCharWidth() * 4);
    return fm.elidedText(q(slice.key), Qt::ElideRight, keyRoom) + value;
}

} // namespace

void drawPie(QPainter& p, const QRectF& area, const ledgora::PieChart& pie, bool threeD) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF rest = drawTitle(p, area, q(pie.title));
    double total = 0;
    for (const auto& slice : pie.slices) {
        total += centsToDouble(slice.value);
    }
    const QFontMetricsF fm(p.font());
    const double pulled = ledgora::explodePercent(threeD) / 100.0;
    const double tilt = threeD ? 0.55 : 1.0;

    // Where each slice lies does not depend on the pie's size: the labels of each side
    // are known, and the pie takes what room they leave.
    struct Piece {
        double start; // degrees, counter-clockwise from 3 o'clock as QPainter takes them
        double span;
        QPointF direction;
        QColor colour;
        bool right;
    };
    std::vector<Piece> pieces;
    std::vector<PieLabel> labels;
    const double room = rest.width() * 0.32;
    double leftWidth = 0;
    double rightWidth = 0;
    double done = 0;
    for (std::size_t i = 0; i < pie.slices.size(); ++i) {
        const double share = total > 0 ? centsToDouble(pie.slices[i].value) / total : 0.0;
        const double start = 90.0 - done * 360.0;
        const double span = -share * 360.0;
        done += share;
        const double middle = radians(start + span / 2);
        const QPointF direction(std::cos(middle), -std::sin(middle));
        const bool right = direction.x() >= 0;
        pieces.push_back({start, span, direction, seriesColor(i), right});
        const QString text = pieLabelText(fm, pie.slices[i], room);
        (right ? rightWidth : leftWidth) =
            std::max(right ? rightWidth : leftWidth, fm.horizontalAdvance(text));
        labels.push_back({{}, {}, text, right});
    }

    // Beyond the pie's edge: the pulled-out slice, then the leader lines' elbows.
    const double ring = 1.0 + pulled + 0.1;
    const double elbow = 14;
    const double gap = 6;
    const double sideRoom = rest.width() - leftWidth - rightWidth - 2 * (elbow + gap + 8);
    const double halfHeight = rest.height() / 2 - fm.height();
    const double rx =
        std::max(10.0, std::min(sideRoom / (2 * ring),
                                threeD ? halfHeight / (tilt * ring + 0.1) : halfHeight / ring));
    const double ry = rx * tilt;
    const double depth = threeD ? rx * 0.16 : 0.0;
    // The pie and its labels, centred as one.
    const double group =
        leftWidth + rightWidth + 2 * (rx * ring + elbow + gap) + (leftWidth > 0 ? 0 : -elbow - gap);
    const double left = rest.left() + std::max(0.0, (rest.width() - group) / 2);
    const double centreX = left + (leftWidth > 0 ? leftWidth + gap + elbow : 0) + rx * ring;
    const QPointF centre(centreX, rest.center().y() - depth / 2);

    std::vector<QPointF> offsets(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        const QPointF d = piece.direction;
        if (static_cast<int>(i) == pie.largest && pulled > 0) {
            offsets[i] = QPointF(d.x() * rx * pulled, d.y() * ry * pulled);
        }
        const double down = d.y() > 0 ? depth : 0;
        labels[i].anchor = centre + offsets[i] + QPointF(d.x() * rx, d.y() * ry + down);
        labels[i].at = centre + offsets[i] +
                       QPointF(d.x() * (rx * 1.1 + elbow), d.y() * (ry * 1.1 + elbow) + down);
    }

    auto ellipse = [&](std::size_t i, double down) {
        return QRectF(centre.x() - rx + offsets[i].x(), centre.y() - ry + offsets[i].y() + down,
                      2 * rx, 2 * ry);
    };
    if (total > 0) {
        // The rim: the pie drawn darker, layer under layer, before its top.
        for (int k = static_cast<int>(depth); k >= 1; --k) {
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(pieces[i].colour.darker(k == static_cast<int>(depth) ? 190 : 150));
                p.drawPie(ellipse(i, k), qRound(pieces[i].start * 16), qRound(pieces[i].span * 16));
            }
        }
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            p.setPen(QPen(pieces[i].colour.darker(160), 1));
            p.setBrush(pieces[i].colour);
            if (pieces[i].span <= -359.99) {
                p.drawEllipse(ellipse(i, 0));
            } else {
                p.drawPie(ellipse(i, 0), qRound(pieces[i].start * 16), qRound(pieces[i].span * 16));
            }
        }
    }

    std::vector<PieLabel*> leftSide;
    std::vector<PieLabel*> rightSide;
    for (PieLabel& label : labels) {
        (label.right ? rightSide : leftSide).push_back(&label);
    }
    const double lineHeight = fm.height() + 2;
    spreadLabels(leftSide, lineHeight, rest.top() + lineHeight / 2, rest.bottom() - lineHeight / 2);
    spreadLabels(rightSide, lineHeight, rest.top() + lineHeight / 2,
                 rest.bottom() - lineHeight / 2);
    // Each side's texts start in one column, beyond every elbow of that side.
    const double rightColumn = centre.x() + rx * ring + elbow;
    const double leftColumn = centre.x() - rx * ring - elbow;
    for (const PieLabel& label : labels) {
        const QPointF end(label.right ? rightColumn : leftColumn, label.at.y());
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.drawLine(label.anchor, label.at);
        p.drawLine(label.at, end);
        p.setPen(Qt::black);
        const double width = label.right ? rightWidth : leftWidth;
        const QRectF box =
            label.right ? QRectF(end.x() + gap, end.y() - fm.height() / 2, width + 2, fm.height())
                        : QRectF(end.x() - gap - width - 2, end.y() - fm.height() / 2, width + 2,
                                 fm.height());
        p.drawText(box, (label.right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                   label.text);
    }
    p.restore();
}

void drawLines(QPainter& p, const QRectF& area, const LineChart& chart, bool threeD) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF rest = drawTitle(p, area, chart.title);
    const QFontMetricsF fm(p.font());
    const auto& points = *chart.points;
    const int first = std::clamp(chart.first, 0, static_cast<int>(points.size()));
    const int end = std::clamp(chart.end, first, static_cast<int>(points.size()));
    const int count = end - first;

    double low = 0;
    double high = 0;
    double labelHeight = 0;
    for (int i = first; i < end; ++i) {
        const double v = centsToDouble(points[static_cast<std::size_t>(i)].balance);
        low = i == first ? v : std::min(low, v);
        high = i == first ? v : std::max(high, v);
        labelHeight = std::max(labelHeight,
                               fm.horizontalAdvance(q(points[static_cast<std::size_t>(i)].label)));
    }
    ValueAxis axis{axisTicks(low, high), {}};
    const double depth = threeD ? 10.0 : 0.0;
    const double leftMargin = fm.height() * 1.5 + tickLabelWidth(fm, axis.ticks) + 12;
    axis.plot =
        QRectF(rest.left() + leftMargin, rest.top() + depth + 4,
               rest.width() - leftMargin - 16 - depth, rest.height() - labelHeight - 14 - depth);
    drawValueAxis(p, axis, chart.axisTitle, rest.left() + fm.height() * 0.9);
    p.setPen(Qt::black);
    p.drawLine(axis.plot.bottomLeft(), axis.plot.bottomRight());
    if (count == 0) {
        p.restore();
        return;
    }
    const double slot = axis.plot.width() / count;
    std::vector<QPointF> at;
    for (int i = first; i < end; ++i) {
        at.emplace_back(axis.plot.left() + (i - first + 0.5) * slot,
                        axis.y(centsToDouble(points[static_cast<std::size_t>(i)].balance)));
    }
    if (threeD) {
        // A ribbon going back from the line.
        const QPointF back(depth, -depth);
        for (std::size_t i = 0; i + 1 < at.size(); ++i) {
            const QPolygonF band({at[i], at[i + 1], at[i + 1] + back, at[i] + back});
            p.setPen(QPen(QColor(70, 90, 160), 1));
            p.setBrush(QColor(150, 170, 230));
            p.drawPolygon(band);
        }
    }
    p.setPen(QPen(QColor(40, 60, 140), 2));
    for (std::size_t i = 0; i + 1 < at.size(); ++i) {
        p.drawLine(at[i], at[i + 1]);
    }
    for (int i = first; i < end; ++i) {
        const auto& point = points[static_cast<std::size_t>(i)];
        const QPointF c = at[static_cast<std::size_t>(i - first)];
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(qcolor(point.color()));
        p.drawEllipse(c, 4.5, 4.5);
        p.save();
        p.translate(c.x(), axis.plot.bottom() + 6);
        p.rotate(-90);
        p.setPen(Qt::black);
        p.drawText(QRectF(-labelHeight - 2, -fm.height() / 2, labelHeight + 2, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, q(point.label));
        p.restore();
    }
    p.restore();
}

namespace {

// `base` made smaller, down to `smallest` of its size, until every text fits `width` on
// at most `lines` lines without breaking a word.
QFont fittingFont(const QFont& base, const QStringList& texts, double width, int lines,
                  double smallest) {
    QFont font = base;
    const double size = base.pointSizeF() > 0 ? base.pointSizeF() : base.pixelSize();
    for (double scale = 1.0; scale >= smallest - 1e-9; scale -= 0.05) {
        if (base.pointSizeF() > 0) {
            font.setPointSizeF(size * scale);
        } else {
            font.setPixelSize(std::max(1, qRound(size * scale)));
        }
        const QFontMetricsF fm(font);
        const bool fits = std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
            const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const bool wordsFit = std::all_of(words.begin(), words.end(), [&](const QString& w) {
                return fm.horizontalAdvance(w) <= width;
            });
            const QRectF box = fm.boundingRect(QRectF(0, 0, width, 1e6),
                                               Qt::TextWordWrap | Qt::AlignHCenter, text);
            return wordsFit && box.height() <= fm.lineSpacing() * lines + 1;
        });
        if (fits) {
            break;
        }
    }
    return font;
}

} // namespace

void drawBars(QPainter& p, const QRectF& area, const ledgora::BarChart& chart, bool threeD) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF rest = drawTitle(p, area, q(chart.title));
    const QFontMetricsF fm(p.font());
    double low = 0;
    double high = 0;
    for (const auto& bar : chart.bars) {
        low = std::min(low, centsToDouble(bar.value));
        high = std::max(high, centsToDouble(bar.value));
    }
    ValueAxis axis{axisTicks(low, high), {}};
    const double leftMargin = fm.height() * 1.5 + tickLabelWidth(fm, axis.ticks) + 12;
    const double depth = threeD ? 12.0 : 0.0;
    const double plotWidth = rest.width() - leftMargin - 16 - depth;
    const double slot =
        plotWidth / static_cast<double>(std::max<std::size_t>(chart.bars.size(), 1));
    // Names and values take a smaller font rather than run into their neighbours'.
    QStringList names;
    QStringList values;
    for (const auto& bar : chart.bars) {
        names << q(bar.label);
        values << q(ledgora::formatCents(bar.value));
    }
    const QFont nameFont = fittingFont(p.font(), names, slot - 4, 2, 0.75);
    const QFont valueFont = fittingFont(p.font(), values, slot - 10, 1, 0.7);
    const QFontMetricsF nameMetrics(nameFont);
    const QFontMetricsF valueMetrics(valueFont);
    const double nameHeight = nameMetrics.lineSpacing() * 2 + 2;
    axis.plot =
        QRectF(rest.left() + leftMargin, rest.top() + valueMetrics.height() + depth + 6, plotWidth,
               rest.height() - valueMetrics.height() * 2 - nameHeight - depth - 20);
    drawValueAxis(p, axis, q(std::string(chart.axisTitle)), rest.left() + fm.height() * 0.9);
    const double zero = axis.y(0.0);
    p.setPen(Qt::black);
    p.drawLine(QPointF(axis.plot.left(), zero), QPointF(axis.plot.right(), zero));
    if (chart.bars.empty()) {
        p.restore();
        return;
    }
    const double width = std::min(slot * 0.6, 120.0);
    const double d = threeD ? std::min(depth, width * 0.35) : 0.0;
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const auto& bar = chart.bars[i];
        const double v = centsToDouble(bar.value);
        const double x = axis.plot.left() + (static_cast<double>(i) + 0.5) * slot - width / 2;
        const double top = axis.y(v);
        const QRectF face(QPointF(x, std::min(top, zero)), QPointF(x + width, std::max(top, zero)));
        const QColor colour = seriesColor(i);
        if (threeD) {
            const QPointF back(d, -d);
            p.setPen(QPen(colour.darker(170), 1));
            p.setBrush(colour.darker(140));
            p.drawPolygon(QPolygonF({face.topRight(), face.bottomRight(), face.bottomRight() + back,
                                     face.topRight() + back}));
            p.setBrush(colour.lighter(130));
            p.drawPolygon(QPolygonF(
                {face.topLeft(), face.topRight(), face.topRight() + back, face.topLeft() + back}));
        }
        p.setPen(QPen(colour.darker(170), 1));
        p.setBrush(colour);
        p.drawRect(face);

        // The bar's mark: its value, in a box at its end.
        p.setFont(valueFont);
        const QString& value = values[static_cast<int>(i)];
        const double markWidth = std::min(valueMetrics.horizontalAdvance(value) + 8, slot - 2);
        const double markY =
            v >= 0 ? face.top() - d - valueMetrics.height() - 4 : face.bottom() + 4;
        const QRectF mark(x + width / 2 - markWidth / 2, markY, markWidth,
                          valueMetrics.height() + 2);
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(QColor(255, 255, 225));
        p.drawRect(mark);
        p.setPen(Qt::black);
        p.drawText(mark, Qt::AlignCenter, value);

        p.setFont(nameFont);
        const QRectF name(axis.plot.left() + static_cast<double>(i) * slot + 2,
                          axis.plot.bottom() + 6, slot - 4, nameHeight);
        p.drawText(name, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   names[static_cast<int>(i)]);
    }
    p.restore();
}

} // namespace charts
