// "Now" for the whole program. Core code asks a Clock it was given, never the system,
// so tests can pin the date.
#pragma once

namespace platform {

struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time.
    virtual DateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    DateTime now() const override;
};

// A clock that shows what it is told.
class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime at = {}) : at_(at) {}
    DateTime now() const override { return at_; }
    void set(DateTime at) { at_ = at; }

private:
    DateTime at_;
};

} // namespace platform
