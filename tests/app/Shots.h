// Pictures of windows for the people who look at them: with LEDGORA_SHOTS set to a
// folder, a test keeps the PNGs it names there; otherwise nothing is written.
#pragma once

#include <QString>
#include <QWidget>

inline void saveShot(QWidget& w, const char* name) {
    if (const QByteArray folder = qgetenv("LEDGORA_SHOTS"); !folder.isEmpty()) {
        w.grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + QString::fromUtf8(name));
    }
}
