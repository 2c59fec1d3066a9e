// The worksheet's "Décimales" menu: 17 items ("Aucune", "Flottante", "1" to "15") that are
// normally ticked one at a time, and how a result is printed under them.
#pragma once

#include <array>
#include <string>

namespace calculator {

class DecimalsSetting {
public:
    static constexpr int kNone = 0;     // "Aucune"
    static constexpr int kFloating = 1; // "Flottante"
    static constexpr int kCount = 17;   // then "1" to "15" at 2 to 16

    // "2" decimals ticked.
    DecimalsSetting();

    bool ticked(int item) const { return ticks_[static_cast<std::size_t>(item)]; }
    void setTicked(int item, bool on) { ticks_[static_cast<std::size_t>(item)] = on; }
    // Unticks every other item and ticks this one.
    void choose(int item);
    const std::array<bool, kCount>& ticks() const { return ticks_; }

    // A result as the worksheet shows it, with "," as separator. When several items are
    // ticked, "Flottante" wins over "Aucune", both over numbers, and the largest number wins;
    // none ticked prints no decimals.
    std::string format(double value) const;

private:
    std::array<bool, kCount> ticks_{};
};

} // namespace calculator
