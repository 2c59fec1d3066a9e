#include "reports/Progression.h"

#include <algorithm>

#include "register/RegisterColumns.h"

namespace ledgora {

std::vector<ProgressionPoint> progressionPoints(const Grid& reg) {
    std::vector<ProgressionPoint> points;
    for (int r = 1; r < reg.rowCount(); ++r) {
        const std::string& solde = reg.at(r, col::Solde);
        if (!solde.empty()) {
            points.push_back({reg.at(r, col::Date), parseCents(solde)});
        }
    }
    return points;
}

std::string progressionCaption(std::string_view mainCaption) {
    return std::string(mainCaption) + " - Progression du solde";
}

std::string_view currencyAxisTitle(bool euros) {
    return euros ? "Euros" : "Francs";
}

ProgressionPages::ProgressionPages(int pointCount)
    : pointCount_(std::max(pointCount, 0)),
      pageCount_(std::max(1, (pointCount_ + kPointsPerPage - 1) / kPointsPerPage)) {}

int ProgressionPages::firstPoint() const {
    return std::min(page_ * kPointsPerPage, pointCount_);
}

int ProgressionPages::endPoint() const {
    return std::min(firstPoint() + kPointsPerPage, pointCount_);
}

void ProgressionPages::previous() {
    page_ = std::max(page_ - 1, 0);
}

void ProgressionPages::next() {
    page_ = std::min(page_ + 1, pageCount_ - 1);
}

PageButtons ProgressionPages::buttons() const {
    const bool after = page_ < pageCount_ - 1;
    const bool before = page_ > 0;
    return {before, before, after, after};
}

} // namespace ledgora
