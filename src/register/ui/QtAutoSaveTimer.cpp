#include "register/ui/QtAutoSaveTimer.h"

QtAutoSaveTimer::QtAutoSaveTimer(std::function<void()> tick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)) {
    timer_.setObjectName(QStringLiteral("AutoSaveTimer"));
    connect(&timer_, &QTimer::timeout, this, [this] { tick_(); });
}

void QtAutoSaveTimer::apply(int minutes, bool active) {
    timer_.setInterval(ledgora::autoSaveIntervalMs(minutes));
    if (active) {
        timer_.start();
    } else {
        timer_.stop();
    }
}
