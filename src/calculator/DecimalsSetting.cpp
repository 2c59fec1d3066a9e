#include "calculator/DecimalsSetting.h"

#include "calculator/NumberText.h"

namespace calculator {

DecimalsSetting::DecimalsSetting() {
    ticks_[3] = true;
}

void DecimalsSetting::choose(int item) {
    ticks_.fill(false);
    if (item >= 0 && item < kCount) {
        ticks_[static_cast<std::size_t>(item)] = true;
    }
}

std::string DecimalsSetting::format(double value) const {
    if (ticked(kFloating)) {
        return formatGeneral(value, ',');
    }
    if (!ticked(kNone)) {
        for (int decimals = 15; decimals >= 1; --decimals) {
            if (ticked(decimals + 1)) {
                return formatFixed(value, decimals, ',');
            }
        }
    }
    return formatFixed(value, 0, ',');
}

} // namespace calculator
