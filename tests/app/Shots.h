// Pictures of windows for the people who look at them: with LEDGORA_SHOTS set to a
// folder, a test keeps the PNGs it names there; otherwise nothing is written.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QWidget>

inline void saveShot(QWidget& w, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        // Pending layout requests first, so the picture is what the user would see.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        w.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QString::fromUtf8(name));
    }
}
