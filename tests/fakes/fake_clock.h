// Clock fake: a local time a test sets, moved on by `step` seconds after each
// reading (days roll over within the month only, which is all a test needs).
#pragma once

#include "win/services.h"

namespace fakes {

class FakeClock : public win::Clock {
public:
    win::LocalTime now{2024, 6, 12, 14, 30, 0};
    int step = 1;
    int readings = 0;

    win::LocalTime Now() override {
        const win::LocalTime shown = now;
        Advance(step);
        ++readings;
        return shown;
    }
    void Advance(int seconds) {
        int total = ((now.hour * 60) + now.minute) * 60 + now.second + seconds;
        now.day += total / 86400;
        total %= 86400;
        now.hour = total / 3600;
        now.minute = total / 60 % 60;
        now.second = total % 60;
    }
};

}  // namespace fakes
