// The one grid printing facility: prints and previews any core grid in its look, with the
// settings the printing window gives (ledgora::PrintSettings) and the common page header
// (time, title, date, the credit line or the window's own lines, a logo; the page number
// below). To a printer, or to a PDF file, which is always possible (ui/PrintCommand adds the
// print dialog). The printer borrows the grid, the look and the clock.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QString>

#include "platform/Clock.h"
#include "register/BlackAndWhiteLook.h"
#include "register/Grid.h"
#include "register/GridLook.h"
#include "register/GridPages.h"
#include "register/PrintSettings.h"

class QPagedPaintDevice;
class QPainter;

class GridPrinter {
public:
    // The grid, its look and the clock must outlive the printer; the grid must not change
    // while the printer is used (a window makes one per command).
    GridPrinter(const ledgora::Grid& grid, const ledgora::GridLook& look,
                ledgora::PrintSettings settings, const platform::Clock& clock);
    ~GridPrinter();

    const ledgora::PrintSettings& settings() const { return settings_; }
    void setBlackAndWhite(bool on) { settings_.blackAndWhite = on; }
    // A picture drawn at the header's left, half the header area high, before the credit
    // line; none when null.
    void setLogo(QImage logo) { logo_ = std::move(logo); }

    // The page every print starts from: A4 in the settings' orientation, 10 mm margins.
    QPageLayout defaultLayout() const;

    // The pages of the grid on pages of `layout`.
    const ledgora::GridPages& pages(const QPageLayout& layout);
    int pageCount(const QPageLayout& layout) { return pages(layout).pageCount(); }

    // Draws page `page` (from 1) with `painter`, whose origin is the top left corner of
    // the printable area and whose unit is 0.1 mm. A page after the last is left blank.
    void drawPage(QPainter& painter, const QPageLayout& layout, int page);

    // Told after each page: pages done, pages to do.
    using Progress = std::function<void(int done, int total)>;
    // Prints pages `first` to `last` (clamped to the pages there are) on `device`, whose
    // page layout is used as it is. False when the device cannot be painted on.
    bool print(QPagedPaintDevice& device, int first, int last, const Progress& progress = {});
    // Every page into the PDF file `file` (written atomically: a failure leaves the
    // previous file as it was). False when it cannot be written.
    bool printToPdf(const QString& file, const Progress& progress = {});

    // The font of the cells (bold for bold cells): its size is in 0.1 mm.
    QFont cellFont(bool bold) const;

private:
    class Metrics;
    const ledgora::GridLook& activeLook() const;
    ledgora::PageArea pageArea(const QPageLayout& layout) const;
    void drawHeader(QPainter& painter, const ledgora::PageArea& area, int page);
    // The lines drawn at the header's left under the title, and where the first one's top is.
    std::vector<std::string> headerLines() const;
    double headerLinesTop() const;
    double logoWidth() const;
    void drawRows(QPainter& painter, const ledgora::GridPages& pages, double top, int first,
                  int end);

    const ledgora::Grid& grid_;
    const ledgora::GridLook& look_;
    ledgora::BlackAndWhiteLook blackAndWhite_;
    ledgora::PrintSettings settings_;
    const platform::Clock& clock_;
    std::unique_ptr<Metrics> metrics_;
    std::optional<std::vector<double>> columns_;
    std::optional<ledgora::GridPages> pages_;
    QPageLayout pagesLayout_;
    QImage logo_;
};
