#include "ui/GridPrinter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <unordered_map>

#include <QBuffer>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRawFont>
#include <QTextLayout>

#include "money/DateText.h"
#include "platform/FileIO.h"

namespace {

// Lengths in 0.1 mm: the unit of the page layout.
constexpr double kUnitsPerMm = 10.0;
constexpr int kCellFontSize = 30;   // 3 mm, about 8.5 points
constexpr int kHeaderFontSize = 32; // time, date, credit line, page number
constexpr int kTitleFontSize = 40;
constexpr double kSmallestTitleSize = 26;
constexpr double kCellPadding = 12;
constexpr double kRowHeightFactor = 1.5;
constexpr double kFooter = 70;
constexpr double kMargin = 10; // mm on each side
// No column takes more than this share of the page width; its longer texts are cut.
constexpr double kWidestColumn = 0.4;

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor colour(const ledgora::Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

QFont pageFont(int size, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(size);
    f.setBold(bold);
    // Widths measured once must be the widths drawn on any device.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

// The picture in greys, its transparency kept (a grey format would blacken it).
QImage greyed(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return out;
}

std::string twoDigits(int n) {
    return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

} // namespace

// Text widths for the page cutting and the alignments, and the glyphs the cells are drawn
// with. Digits and the characters of amounts and dates are summed from a table, glyphs
// included; everything else is measured and shaped once per text: a register of 100,000 rows
// has few distinct texts besides its numbers, and shaping each cell again was a good part of
// a long printout's time.
class GridPrinter::Metrics {
public:
    Metrics() : fonts_{pageFont(kCellFontSize, false), pageFont(kCellFontSize, true)} {
        for (int b = 0; b < 2; ++b) {
            metrics_[b].emplace(fonts_[b]);
            for (char c : std::string_view("0123456789.,-+/: X")) {
                const auto u = static_cast<unsigned char>(c);
                const Shape one = shape(QString(QLatin1Char(c)), b == 1);
                // A character the font cannot show alone stays out of the table.
                if (one.glyphs.size() == 1) {
                    table_[b][u] = metrics_[b]->horizontalAdvance(QChar(c));
                    glyphs_[b][u] = {one.glyphs[0], one.fonts[0]};
                }
            }
        }
        ascent_ = metrics_[0]->ascent();
        height_ = metrics_[0]->height();
    }

    // The glyphs of a text drawn from x = 0 on the baseline, as QPainter::drawText would
    // place them: `fonts` indexes rawFonts().
    struct Shape {
        std::vector<quint32> glyphs;
        std::vector<QPointF> positions;
        std::vector<std::uint8_t> fonts;
    };

    double width(std::string_view text, bool bold) {
        if (const auto sum = tableWidth(text, bold)) {
            return *sum;
        }
        return entry(text, bold).width;
    }

    // Gives `out` the glyphs of `text` (in bold or not) as (font, glyph, x, y) from the
    // baseline's start, which `start` answers for the drawn width: the text is cut with an
    // ellipsis to `room` when wider.
    template <typename Start, typename Sink>
    void addGlyphs(std::string_view text, bool bold, double room, Start&& start, Sink&& out) {
        const int b = bold ? 1 : 0;
        if (const auto sum = tableWidth(text, bold); sum && !tooWide(*sum, room)) {
            double x = start(*sum);
            for (const char c : text) {
                const auto u = static_cast<unsigned char>(c);
                out(glyphs_[b][u].font, glyphs_[b][u].glyph, x, 0.0);
                x += table_[b][u];
            }
            return;
        }
        Entry& e = entry(text, bold);
        if (!tooWide(e.width, room)) {
            if (!e.shape) {
                if (++shapes_ > kMostShapes) {
                    dropShapes();
                }
                e.shape = shape(q(std::string(text)), bold);
            }
            replay(*e.shape, start(e.width), out);
            return;
        }
        const Elided& cut = elided(text, bold, room);
        replay(cut.shape, start(cut.width), out);
    }

    const QFont& font(bool bold) const { return fonts_[bold ? 1 : 0]; }
    const QFontMetricsF& metrics(bool bold) const { return *metrics_[bold ? 1 : 0]; }
    const std::vector<QRawFont>& rawFonts() const { return rawFonts_; }
    double ascent() const { return ascent_; }
    double height() const { return height_; }

private:
    struct Entry {
        double width = 0;
        std::optional<Shape> shape;
    };
    struct Elided {
        double width = 0;
        Shape shape;
    };
    struct Glyph {
        quint32 glyph = 0;
        std::uint8_t font = 0;
    };
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    using Cache = std::unordered_map<std::string, Entry, Hash, std::equal_to<>>;
    // Past this many distinct texts the shapes are dropped: a register of distinct long
    // notes must not hold them all.
    static constexpr std::size_t kMostShapes = 50'000;

    // Measured widths and drawn widths are sums of the same numbers, so a text exactly as
    // wide as its room is not cut by the rounding of the page's scale.
    static bool tooWide(double width, double room) { return width > room + 1e-6; }

    std::optional<double> tableWidth(std::string_view text, bool bold) const {
        const int b = bold ? 1 : 0;
        double sum = 0;
        for (const char c : text) {
            const double w = table_[b][static_cast<unsigned char>(c)];
            if (w == 0) {
                return std::nullopt;
            }
            sum += w;
        }
        return sum;
    }

    Entry& entry(std::string_view text, bool bold) {
        Cache& cache = cache_[bold ? 1 : 0];
        if (const auto found = cache.find(text); found != cache.end()) {
            return found->second;
        }
        Entry e;
        e.width = metrics_[bold ? 1 : 0]->horizontalAdvance(q(std::string(text)));
        return cache.emplace(std::string(text), std::move(e)).first->second;
    }

    void dropShapes() {
        for (auto& kept : cache_) {
            for (auto& [key, e] : kept) {
                e.shape.reset();
            }
        }
        shapes_ = 1;
    }

    const Elided& elided(std::string_view text, bool bold, double room) {
        std::string key(reinterpret_cast<const char*>(&room), sizeof room);
        key.push_back(bold ? '1' : '0');
        key.append(text);
        if (const auto found = elided_.find(key); found != elided_.end()) {
            return found->second;
        }
        if (elided_.size() > kMostShapes) {
            elided_.clear();
        }
        const QFontMetricsF& fm = metrics(bold);
        const QString shown = fm.elidedText(q(std::string(text)), Qt::ElideRight, room);
        Elided e{fm.horizontalAdvance(shown), shape(shown, bold)};
        return elided_.emplace(std::move(key), std::move(e)).first->second;
    }

    template <typename Sink> static void replay(const Shape& s, double x, Sink&& out) {
        for (std::size_t i = 0; i < s.glyphs.size(); ++i) {
            out(s.fonts[i], s.glyphs[i], x + s.positions[i].x(), s.positions[i].y());
        }
    }

    Shape shape(const QString& text, bool bold) {
        QTextLayout layout(text, fonts_[bold ? 1 : 0]);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        if (line.isValid()) {
            line.setPosition(QPointF(0, 0));
        }
        layout.endLayout();
        Shape out;
        if (!line.isValid()) {
            return out;
        }
        const double baseline = line.ascent();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const std::uint8_t font = fontIndex(run.rawFont());
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i) {
                out.glyphs.push_back(glyphs[i]);
                out.positions.emplace_back(positions[i].x(), positions[i].y() - baseline);
                out.fonts.push_back(font);
            }
        }
        return out;
    }

    std::uint8_t fontIndex(const QRawFont& font) {
        const auto found = std::find(rawFonts_.begin(), rawFonts_.end(), font);
        if (found != rawFonts_.end()) {
            return static_cast<std::uint8_t>(found - rawFonts_.begin());
        }
        if (rawFonts_.size() >= 255) {
            return 0; // a text of that many fallback fonts is drawn in the first
        }
        rawFonts_.push_back(font);
        return static_cast<std::uint8_t>(rawFonts_.size() - 1);
    }

    std::array<QFont, 2> fonts_;
    std::array<std::optional<QFontMetricsF>, 2> metrics_;
    std::array<std::array<double, 256>, 2> table_{};
    std::array<std::array<Glyph, 256>, 2> glyphs_{};
    std::array<Cache, 2> cache_;
    std::unordered_map<std::string, Elided> elided_;
    std::size_t shapes_ = 0;
    std::vector<QRawFont> rawFonts_;
    double ascent_ = 0;
    double height_ = 0;
};

GridPrinter::GridPrinter(const ledgora::Grid& grid, const ledgora::GridLook& look,
                         ledgora::PrintSettings settings, const platform::Clock& clock)
    : grid_(grid), look_(look), blackAndWhite_(look), settings_(std::move(settings)),
      clock_(clock) {}

GridPrinter::~GridPrinter() = default;

QFont GridPrinter::cellFont(bool bold) const {
    return pageFont(kCellFontSize, bold);
}

const ledgora::GridLook& GridPrinter::activeLook() const {
    return settings_.blackAndWhite ? static_cast<const ledgora::GridLook&>(blackAndWhite_) : look_;
}

QPageLayout GridPrinter::defaultLayout() const {
    return QPageLayout(QPageSize(QPageSize::A4),
                       settings_.portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Millimeter);
}

std::vector<std::string> GridPrinter::headerLines() const {
    std::vector<std::string> lines = settings_.headerLines;
    // Beside the window's own lines the credit line is their last, not over them.
    if (!lines.empty() && settings_.creditLine) {
        lines.push_back(ledgora::creditLine());
    }
    return lines;
}

double GridPrinter::headerLinesTop() const {
    if (!settings_.title.empty()) {
        return QFontMetricsF(pageFont(kTitleFontSize, true)).height();
    }
    const bool topLine =
        settings_.time || (settings_.date && settings_.datePlace == ledgora::DatePlace::TopRight);
    return topLine ? QFontMetricsF(pageFont(kHeaderFontSize, false)).height() : 0.0;
}

double GridPrinter::logoWidth() const {
    if (logo_.isNull() || logo_.height() <= 0) {
        return 0;
    }
    return std::max(0, settings_.headerArea) / 2.0 * logo_.width() / logo_.height();
}

ledgora::PageArea GridPrinter::pageArea(const QPageLayout& layout) const {
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    const double height = paint.height() * kUnitsPerMm;
    double header = std::max(0, settings_.headerArea);
    if (const auto lines = headerLines(); !lines.empty()) {
        // Room for every line (an address typed on several) and half a line under them,
        // within half the page: the grid keeps the rest.
        const QFontMetricsF fm(pageFont(kHeaderFontSize, false));
        const double wanted =
            headerLinesTop() + (static_cast<double>(lines.size()) + 0.5) * fm.lineSpacing();
        header = std::max(header, std::min(wanted, height / 2));
    }
    const bool dateBelow =
        settings_.date && settings_.datePlace == ledgora::DatePlace::BottomCentre;
    return {paint.width() * kUnitsPerMm, height, header,
            settings_.pageNumbers || dateBelow ? kFooter : 0.0};
}

const ledgora::GridPages& GridPrinter::pages(const QPageLayout& layout) {
    if (!metrics_) {
        metrics_ = std::make_unique<Metrics>();
    }
    const ledgora::PageArea area = pageArea(layout);
    if (pages_ && pagesLayout_ == layout) {
        return *pages_;
    }
    if (!columns_) {
        // Bold and alignment do not change with black and white: measured once.
        columns_ = ledgora::measureColumns(
            grid_, look_,
            [this](std::string_view text, bool bold) { return metrics_->width(text, bold); },
            kCellPadding, area.width * kWidestColumn);
    }
    pages_.emplace(*columns_, metrics_->height() * kRowHeightFactor, grid_.rowCount(),
                   look_.fixedRows(), area, settings_.fitToWidth, settings_.centred);
    pagesLayout_ = layout;
    return *pages_;
}

void GridPrinter::drawPage(QPainter& painter, const QPageLayout& layout, int page) {
    const ledgora::GridPages& p = pages(layout);
    if (page < 1 || page > p.pageCount()) {
        return;
    }
    const ledgora::PageArea area = pageArea(layout);
    painter.save();
    drawHeader(painter, area, page);
    const double top = area.header;
    drawRows(painter, p, top, 0, p.fixedRows());
    const ledgora::GridPages::Rows rows = p.rows(page);
    drawRows(painter, p, top + p.fixedRows() * p.rowHeight(), rows.first, rows.end);
    painter.restore();
}

void GridPrinter::drawHeader(QPainter& painter, const ledgora::PageArea& area, int page) {
    painter.setPen(Qt::black);
    const QFont font = pageFont(kHeaderFontSize, false);
    const QFontMetricsF fm(font);
    const double line = fm.ascent();
    const double bottomLine = area.height - fm.descent();
    painter.setFont(font);
    const platform::DateTime now = clock_.now();
    if (settings_.time) {
        painter.drawText(QPointF(0, line), q(twoDigits(now.hour) + ":" + twoDigits(now.minute)));
    }
    if (settings_.date) {
        const QString date = q(ledgora::formatDate(now));
        const double width = fm.horizontalAdvance(date);
        if (settings_.datePlace == ledgora::DatePlace::TopRight) {
            painter.drawText(QPointF(area.width - width, line), date);
        } else if (settings_.pageNumbers) {
            painter.drawText(QPointF(area.width - width, bottomLine), date);
        } else {
            painter.drawText(QPointF((area.width - width) / 2, bottomLine), date);
        }
    }
    const double gap = fm.horizontalAdvance(QStringLiteral("www"));
    const double logo = logoWidth();
    if (logo > 0) {
        // Half the header area high, its foot on the credit line's baseline.
        const double height = std::max(0, settings_.headerArea) / 2.0;
        const QRectF place(0, area.header * 0.75 - height, logo, height);
        if (settings_.blackAndWhite) {
            painter.drawImage(place, greyed(logo_));
        } else {
            painter.drawImage(place, logo_);
        }
    }
    const std::vector<std::string> lines = headerLines();
    if (!lines.empty()) {
        // After the room a logo takes, drawn or not.
        const double left = (logo > 0 ? logo : std::max(0, settings_.headerArea) / 2.0) + gap;
        double y = headerLinesTop() + fm.ascent();
        for (const std::string& text : lines) {
            if (y + fm.descent() > area.header) {
                break; // the lines past half the page
            }
            painter.drawText(QPointF(left, y),
                             fm.elidedText(q(text), Qt::ElideRight, area.width - left));
            y += fm.lineSpacing();
        }
    } else if (settings_.creditLine) {
        // The credit line sits at a quarter of the header's height above the grid, after a
        // gap as wide as "www" (after the logo, when there is one).
        const QString credit = q(ledgora::creditLine());
        painter.drawText(QPointF(logo + gap, area.header * 0.75), credit);
    }
    if (settings_.pageNumbers) {
        const QString number =
            QStringLiteral("%1 %2").arg(QLatin1String(ledgora::kPageNumberPrefix)).arg(page);
        painter.drawText(QPointF((area.width - fm.horizontalAdvance(number)) / 2, bottomLine),
                         number);
    }
    if (!settings_.title.empty()) {
        // Centred between the time and the date: a title too long for that room is drawn
        // smaller, and cut only past the smallest size.
        double beside = 0;
        if (settings_.time) {
            beside = fm.horizontalAdvance(QStringLiteral("00:00"));
        }
        if (settings_.date && settings_.datePlace == ledgora::DatePlace::TopRight) {
            beside = std::max(beside, fm.horizontalAdvance(QStringLiteral("00/00/0000")));
        }
        const double room =
            std::max(area.width * 0.6, area.width - 2 * (beside + (beside > 0 ? gap : 0)));
        QString title = q(settings_.title);
        QFont titleFont = pageFont(kTitleFontSize, true);
        const double full = QFontMetricsF(titleFont).horizontalAdvance(title);
        if (full > room) {
            const double size = std::max(kSmallestTitleSize, kTitleFontSize * room / full);
            titleFont.setPixelSize(static_cast<int>(size));
        }
        const QFontMetricsF tm(titleFont);
        title = tm.elidedText(title, Qt::ElideRight, room);
        painter.setFont(titleFont);
        painter.setPen(settings_.blackAndWhite ? QColor(Qt::black) : colour(settings_.titleColour));
        painter.drawText(QPointF((area.width - tm.horizontalAdvance(title)) / 2, tm.ascent()),
                         title);
    }
}

namespace {

// The glyphs of the cells drawn in one font and one colour. The PDF engine writes each text
// item with its own state and font setting: a page's cells in a few items instead of one
// each make the page's stream much shorter.
struct GlyphBatch {
    std::uint8_t font = 0;
    QRgb colour = 0;
    std::vector<quint32> glyphs;
    std::vector<QPointF> positions;
};

// The position as the text engine keeps it (1/64 of the unit, cut towards zero), so that
// glyphs land where QPainter::drawText put them.
double fixedPosition(double v) {
    return std::trunc(v * 64.0) / 64.0;
}

// The batch of `font` and `colour`, made when there is none: a deque, so that the batch a
// cell is filling stays where it is.
GlyphBatch& batchFor(std::deque<GlyphBatch>& batches, std::uint8_t font, QRgb colour) {
    for (GlyphBatch& b : batches) {
        if (b.font == font && b.colour == colour) {
            return b;
        }
    }
    return batches.emplace_back(GlyphBatch{font, colour, {}, {}});
}

} // namespace

void GridPrinter::drawRows(QPainter& painter, const ledgora::GridPages& pages, double top,
                           int first, int end) {
    if (end <= first) {
        return;
    }
    const ledgora::GridLook& look = activeLook();
    const double scale = pages.scale();
    // Drawn at the grid's own size, the painter shrinking it to the page.
    painter.save();
    painter.scale(scale, scale);
    std::vector<double> edges = pages.columnEdges();
    for (double& e : edges) {
        e /= scale;
    }
    top /= scale;
    const int columns = static_cast<int>(edges.size()) - 1;
    const double rowHeight = pages.rowHeight() / scale;
    const double baseline = (rowHeight - metrics_->height()) / 2 + metrics_->ascent();

    // Backgrounds: one path per colour, neighbouring cells of one colour in one rectangle.
    std::vector<std::pair<QRgb, QPainterPath>> fills;
    std::deque<GlyphBatch> batches;
    std::vector<ledgora::CellLook> looks(static_cast<std::size_t>(columns));
    for (int r = first; r < end; ++r) {
        const double y = top + (r - first) * rowHeight;
        for (int c = 0; c < columns; ++c) {
            looks[static_cast<std::size_t>(c)] = look.cell(grid_, r, c);
        }
        for (int c = 0; c < columns;) {
            const auto& bg = looks[static_cast<std::size_t>(c)].background;
            int next = c + 1;
            while (next < columns && looks[static_cast<std::size_t>(next)].background == bg) {
                ++next;
            }
            if (bg) {
                const QRgb rgb = colour(*bg).rgb();
                auto fill = std::find_if(fills.begin(), fills.end(),
                                         [rgb](const auto& f) { return f.first == rgb; });
                if (fill == fills.end()) {
                    fill = fills.insert(fills.end(), {rgb, QPainterPath()});
                }
                fill->second.addRect(QRectF(edges[c], y, edges[next] - edges[c], rowHeight));
            }
            c = next;
        }
        const double y0 = fixedPosition(y + baseline);
        for (int c = 0; c < columns; ++c) {
            const ledgora::CellText raw = grid_.at(r, c);
            if (raw.empty()) {
                continue;
            }
            const ledgora::CellLook& cell = looks[static_cast<std::size_t>(c)];
            const bool oneLine = raw.find_first_of("\r\n") == std::string_view::npos;
            const std::string printed = oneLine ? std::string() : ledgora::printedText(raw);
            const std::string_view text = oneLine ? std::string_view(raw) : printed;
            const double room = edges[c + 1] - edges[c] - 2 * kCellPadding;
            const QRgb wanted = cell.text ? colour(*cell.text).rgb() : QColor(Qt::black).rgb();
            // Glyph positions are kept the way drawText keeps them: the start on the
            // text engine's grid, the advances added to it.
            const auto start = [&](double width) {
                double x = edges[c] + kCellPadding;
                if (cell.alignment == ledgora::Alignment::Right) {
                    x = edges[c + 1] - kCellPadding - width;
                } else if (cell.alignment == ledgora::Alignment::Center) {
                    x = (edges[c] + edges[c + 1] - width) / 2;
                }
                return fixedPosition(x);
            };
            GlyphBatch* batch = nullptr;
            metrics_->addGlyphs(text, cell.bold, room, start,
                                [&](std::uint8_t font, quint32 glyph, double x, double dy) {
                                    if (!batch || batch->font != font) {
                                        batch = &batchFor(batches, font, wanted);
                                    }
                                    batch->glyphs.push_back(glyph);
                                    batch->positions.emplace_back(x, y0 + dy);
                                });
        }
    }
    for (const auto& [rgb, path] : fills) {
        painter.fillPath(path, QColor(rgb));
    }
    const std::vector<QRawFont>& fonts = metrics_->rawFonts();
    for (const GlyphBatch& b : batches) {
        if (b.font >= fonts.size()) {
            continue;
        }
        QGlyphRun run;
        run.setRawFont(fonts[b.font]);
        run.setGlyphIndexes(QList<quint32>(b.glyphs.begin(), b.glyphs.end()));
        run.setPositions(QList<QPointF>(b.positions.begin(), b.positions.end()));
        painter.setPen(QColor(b.colour));
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    if (settings_.borders) {
        // One path for the page's lines.
        std::vector<QLineF> lines;
        lines.reserve(static_cast<std::size_t>(columns + 2 + end - first));
        const double bottom = top + (end - first) * rowHeight;
        for (int c = 0; c <= columns; ++c) {
            lines.emplace_back(edges[c], top, edges[c], bottom);
        }
        for (int r = 0; r <= end - first; ++r) {
            const double y = top + r * rowHeight;
            lines.emplace_back(edges.front(), y, edges.back(), y);
        }
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    painter.restore();
}

bool GridPrinter::print(QPagedPaintDevice& device, int first, int last, const Progress& progress) {
    const QPageLayout layout = device.pageLayout();
    const int count = pageCount(layout);
    first = std::clamp(first, 1, count);
    last = std::clamp(last, first, count);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const double sx = device.logicalDpiX() / (25.4 * kUnitsPerMm);
    const double sy = device.logicalDpiY() / (25.4 * kUnitsPerMm);
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        painter.scale(sx, sy);
        drawPage(painter, layout, page);
        painter.restore();
        if (progress) {
            progress(page - first + 1, last - first + 1);
        }
    }
    return painter.end();
}

bool GridPrinter::printToPdf(const QString& file, const Progress& progress) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(defaultLayout());
        pdf.setTitle(q(settings_.jobName));
        pdf.setCreator(QStringLiteral("Ledgora"));
        pdf.setResolution(600);
        if (!print(pdf, 1, pageCount(pdf.pageLayout()), progress)) {
            return false;
        }
    }
    const QByteArray& bytes = buffer.data();
    return platform::writeFileAtomically(
        std::filesystem::path(file.toStdString()),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
