#include "register/AutoSave.h"

#include <algorithm>

#include "register/AccountSession.h"

namespace ledgora {

int clampAutoSaveMinutes(int minutes) {
    return std::clamp(minutes, kAutoSaveMinimumMinutes, kAutoSaveMaximumMinutes);
}

int autoSaveIntervalMs(int minutes) {
    // A stored value of 0 or less would make a timer fire without pause; beyond a day
    // the product of the multiplication would no longer fit an int.
    return std::clamp(minutes, 1, 24 * 60) * 60000;
}

AutoSavePause::AutoSavePause(AutoSaveTimer& timer) : timer_(timer), wasRunning_(timer.running()) {
    timer_.stop();
}

AutoSavePause::~AutoSavePause() {
    if (wasRunning_) {
        timer_.start();
    }
}

bool autoSaveTick(AccountSession& session) {
    if (!session.isOpen()) {
        return true;
    }
    return session.save();
}

} // namespace ledgora
