// The autosave timer of the main window: a Qt timer behind the core's timer port, so that
// the restore can pause it. Each tick calls the window's handler.
#pragma once

#include <functional>

#include <QObject>
#include <QTimer>

#include "register/AutoSave.h"

class QtAutoSaveTimer : public QObject, public ledgora::AutoSaveTimer {
    Q_OBJECT
public:
    QtAutoSaveTimer(std::function<void()> tick, QObject* parent);

    bool running() const override { return timer_.isActive(); }
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }

    // "MinutesAutoSave" and "ActiveAutoSave": the interval is set whatever the state, the
    // timer runs only when active.
    void apply(int minutes, bool active);
    int intervalMs() const { return timer_.interval(); }
    // One tick now, as the timer would give it.
    void tickNow() { tick_(); }

private:
    QTimer timer_;
    std::function<void()> tick_;
};
