// The progression of the open account's balance: one point per row with a running balance,
// in register order, green at 0 or more and red below; shown 30 points a page, with the
// four page buttons and their enabling.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "money/Amount.h"
#include "register/CellRules.h"
#include "register/Grid.h"

namespace ledgora {

inline constexpr int kPointsPerPage = 30;
inline constexpr Rgb kRisingPoint{0, 128, 0};
inline constexpr Rgb kFallingPoint{255, 0, 0};

struct ProgressionPoint {
    std::string label; // the row's date text
    Cents balance = 0;
    Rgb color() const { return balance >= 0 ? kRisingPoint : kFallingPoint; }
};

// The rows of `reg` whose "solde" is not empty, in order.
std::vector<ProgressionPoint> progressionPoints(const Grid& reg);

// Caption and chart title: the main window's caption + " - Progression du solde".
std::string progressionCaption(std::string_view mainCaption);
// The left axis: "Euros" or "Francs".
std::string_view currencyAxisTitle(bool euros);

// Which of "Début du graphique", "Page précédente", "Page suivante" and "Fin du
// graphique" can be pressed.
struct PageButtons {
    bool first = false;
    bool previous = false;
    bool next = false;
    bool last = false;
    bool operator==(const PageButtons&) const = default;
};

class ProgressionPages {
public:
    // Starts on the first page. Without points there is one empty page.
    explicit ProgressionPages(int pointCount);

    int pageCount() const { return pageCount_; }
    int page() const { return page_; } // from 0
    // The points of the page shown: [firstPoint(), endPoint()).
    int firstPoint() const;
    int endPoint() const;

    void first() { page_ = 0; }
    void previous();
    void next();
    void last() { page_ = pageCount_ - 1; }

    // "Page suivante" and "Fin du graphique" while there is a page after this one,
    // "Page précédente" and "Début du graphique" while there is one before.
    PageButtons buttons() const;

private:
    int pointCount_;
    int pageCount_;
    int page_ = 0;
};

} // namespace ledgora
