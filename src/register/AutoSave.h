// The autosave rules: the "ActiveAutoSave" and "MinutesAutoSave" options as the timer and
// its dialog use them, the timer port the restore pauses, and what a tick does.
#pragma once

namespace ledgora {

class AccountSession;

inline constexpr int kAutoSaveMinimumMinutes = 5;
inline constexpr int kAutoSaveMaximumMinutes = 60;
inline constexpr int kAutoSaveStepMinutes = 5;

// The dialog's slider takes a stored value outside 5..60 as the nearest end.
int clampAutoSaveMinutes(int minutes);
// The timer's interval for a number of minutes as stored (not clamped: the main window
// starts the timer from the settings as they are); at least one minute.
int autoSaveIntervalMs(int minutes);

// The autosave timer as the commands see it: the Qt window implements it with its timer.
class AutoSaveTimer {
public:
    virtual ~AutoSaveTimer() = default;
    virtual bool running() const = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

// Stops the timer for the life of the object and then gives it back the state it had, on
// every way out of a command.
class AutoSavePause {
public:
    explicit AutoSavePause(AutoSaveTimer& timer);
    ~AutoSavePause();
    AutoSavePause(const AutoSavePause&) = delete;
    AutoSavePause& operator=(const AutoSavePause&) = delete;

private:
    AutoSaveTimer& timer_;
    bool wasRunning_;
};

// A tick of the timer: the open account is saved; with no account open nothing is
// written. False when the save failed (it said why).
bool autoSaveTick(AccountSession& session);

} // namespace ledgora
