// What the windows' tests read back from the PDF files they print: the text as laid out
// (pdftotext, from poppler-utils) and the first page as a picture (pdftoppm). Both answer
// nothing when the tool is not installed, so that a test can skip.
#pragma once

#include <algorithm>
#include <optional>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace pdftest {

// The lines of the text, each with its runs of spaces made one, the empty ones left out.
inline std::optional<QStringList> lines(const QString& file) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        return std::nullopt;
    }
    QProcess run;
    run.start(tool, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    run.waitForFinished();
    QStringList out;
    for (const QString& line : QString::fromUtf8(run.readAllStandardOutput()).split('\n')) {
        if (!line.trimmed().isEmpty()) {
            out << line.simplified();
        }
    }
    return out;
}

// Page 1 at `dpi`.
inline std::optional<QImage> firstPage(const QString& file, int dpi = 50) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QTemporaryDir dir;
    if (tool.isEmpty() || !dir.isValid()) {
        return std::nullopt;
    }
    const QString stem = dir.filePath(QStringLiteral("page"));
    QProcess run;
    run.start(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                     QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-singlefile"), file,
                     stem});
    run.waitForFinished();
    QImage page(stem + QStringLiteral(".png"));
    if (page.isNull()) {
        return std::nullopt;
    }
    return page;
}

// Pixels of `area` (all of the picture by default) whose colour is not a grey.
inline int colouredPixels(const QImage& picture, QRect area = {}) {
    area = area.isNull() ? picture.rect() : area.intersected(picture.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            const int spread =
                std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            n += spread > 40 ? 1 : 0;
        }
    }
    return n;
}

// With LEDGORA_SHOTS set to a folder, a copy of `file` kept there as `name`, for the people
// who look at the printouts.
inline void keepShot(const QString& file, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        const QString to = QString::fromLocal8Bit(folder) + QLatin1Char('/') + QLatin1String(name);
        QFile::remove(to);
        QFile::copy(file, to);
    }
}

} // namespace pdftest
