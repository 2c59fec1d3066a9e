#include "ui/GridPrinter.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

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

// Text widths for the page cutting and the alignments. Digits and the characters of
// amounts and dates are summed from a table, everything else is measured once per text:
// a register of 100,000 rows has few distinct texts besides its numbers.
class GridPrinter::Metrics {
public:
    Metrics() : fonts_{pageFont(kCellFontSize, false), pageFont(kCellFontSize, true)} {
        for (int b = 0; b < 2; ++b) {
            metrics_[b].emplace(fonts_[b]);
            for (char c : std::string_view("0123456789.,-+/: X")) {
                table_[b][static_cast<unsigned char>(c)] = metrics_[b]->horizontalAdvance(QChar(c));
            }
        }
        ascent_ = metrics_[0]->ascent();
        height_ = metrics_[0]->height();
    }

    double width(std::string_view text, bool bold) {
        const int b = bold ? 1 : 0;
        double sum = 0;
        bool simple = true;
        for (const char c : text) {
            const double w = table_[b][static_cast<unsigned char>(c)];
            if (w == 0) {
                simple = false;
                break;
            }
            sum += w;
        }
        if (simple) {
            return sum;
        }
        auto& cache = cache_[b];
        const auto found = cache.find(std::string(text));
        if (found != cache.end()) {
            return found->second;
        }
        const double w = metrics_[b]->horizontalAdvance(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        cache.emplace(std::string(text), w);
        return w;
    }

    const QFont& font(bool bold) const { return fonts_[bold ? 1 : 0]; }
    const QFontMetricsF& metrics(bool bold) const { return *metrics_[bold ? 1 : 0]; }
    double ascent() const { return ascent_; }
    double height() const { return height_; }

private:
    std::array<QFont, 2> fonts_;
    std::array<std::optional<QFontMetricsF>, 2> metrics_;
    std::array<std::array<double, 256>, 2> table_{};
    std::array<std::unordered_map<std::string, double>, 2> cache_;
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

    std::vector<ledgora::CellLook> looks(static_cast<std::size_t>(columns));
    int fontBold = -1;
    QColor pen(Qt::black);
    painter.setPen(pen);
    for (int r = first; r < end; ++r) {
        const double y = top + (r - first) * rowHeight;
        for (int c = 0; c < columns; ++c) {
            looks[static_cast<std::size_t>(c)] = look.cell(grid_, r, c);
        }
        // Backgrounds: neighbouring cells of one colour in one rectangle.
        for (int c = 0; c < columns;) {
            const auto& bg = looks[static_cast<std::size_t>(c)].background;
            int next = c + 1;
            while (next < columns && looks[static_cast<std::size_t>(next)].background == bg) {
                ++next;
            }
            if (bg) {
                painter.fillRect(QRectF(edges[c], y, edges[next] - edges[c], rowHeight),
                                 colour(*bg));
            }
            c = next;
        }
        for (int c = 0; c < columns; ++c) {
            const std::string& raw = grid_.at(r, c);
            if (raw.empty()) {
                continue;
            }
            const ledgora::CellLook& cell = looks[static_cast<std::size_t>(c)];
            const bool oneLine = raw.find_first_of("\r\n") == std::string::npos;
            const std::string printed = oneLine ? std::string() : ledgora::printedText(raw);
            const std::string& text = oneLine ? raw : printed;
            const double room = edges[c + 1] - edges[c] - 2 * kCellPadding;
            double width = metrics_->width(text, cell.bold);
            QString shown = q(text);
            if (width > room) {
                shown = metrics_->metrics(cell.bold).elidedText(shown, Qt::ElideRight, room);
                width = metrics_->metrics(cell.bold).horizontalAdvance(shown);
            }
            double x = edges[c] + kCellPadding;
            if (cell.alignment == ledgora::Alignment::Right) {
                x = edges[c + 1] - kCellPadding - width;
            } else if (cell.alignment == ledgora::Alignment::Center) {
                x = (edges[c] + edges[c + 1] - width) / 2;
            }
            const QColor wanted = cell.text ? colour(*cell.text) : QColor(Qt::black);
            if (wanted != pen) {
                painter.setPen(wanted);
                pen = wanted;
            }
            if (fontBold != (cell.bold ? 1 : 0)) {
                fontBold = cell.bold ? 1 : 0;
                painter.setFont(metrics_->font(cell.bold));
            }
            painter.drawText(QPointF(x, y + baseline), shown);
        }
    }
    if (settings_.borders) {
        painter.setPen(QPen(Qt::black, 2));
        const double bottom = top + (end - first) * rowHeight;
        for (int c = 0; c <= columns; ++c) {
            painter.drawLine(QPointF(edges[c], top), QPointF(edges[c], bottom));
        }
        for (int r = 0; r <= end - first; ++r) {
            const double y = top + r * rowHeight;
            painter.drawLine(QPointF(edges.front(), y), QPointF(edges.back(), y));
        }
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
