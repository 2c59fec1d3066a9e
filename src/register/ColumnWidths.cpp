#include "register/ColumnWidths.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace ledgora {

int fittedColumnWidth(int wanted, int available, int othersWidth, int minimum) {
    return std::max(minimum, std::min(wanted, available - othersWidth));
}

std::vector<int> defaultColumnWidths(const std::vector<int>& wanted, int available,
                                     std::size_t stretch, int minimum) {
    const bool stretching = stretch < wanted.size();
    std::vector<int> fixed;
    for (std::size_t c = 0; c < wanted.size(); ++c) {
        if (c != stretch) {
            fixed.push_back(wanted[c]);
        }
    }
    // The widest columns give way first: they share what the narrower ones leave, so a
    // long category is cut while the date and the amounts keep their widths.
    std::sort(fixed.begin(), fixed.end());
    int remaining = available - (stretching ? minimum : 0);
    int cap = std::numeric_limits<int>::max();
    for (std::size_t k = 0; k < fixed.size(); ++k) {
        const int share = remaining / static_cast<int>(fixed.size() - k);
        if (fixed[k] > share) {
            cap = share;
            break;
        }
        remaining -= fixed[k];
    }
    std::vector<int> widths(wanted.size());
    for (std::size_t c = 0; c < wanted.size(); ++c) {
        widths[c] = std::max(minimum, std::min(wanted[c], cap));
    }
    if (stretching) {
        const int others = std::accumulate(widths.begin(), widths.end(), 0) - widths[stretch];
        widths[stretch] = std::max(minimum, available - others);
    }
    return widths;
}

} // namespace ledgora
