#include "ui/Pictures.h"

#include <array>

#include <QCoreApplication>
#include <QHash>

namespace pictures {

namespace {

// One icon per picture for the program's life: a register asks for a payment mode's
// picture for every cell it sizes or paints, and a fresh icon reads and renders its SVG
// each time, where a kept one renders each size once.
QHash<QString, QIcon>& made() {
    static QHash<QString, QIcon>* icons = [] {
        auto* kept = new QHash<QString, QIcon>;
        // Gone before the application, which the icons' renderings need.
        qAddPostRoutine([] { made().clear(); });
        return kept;
    }();
    return *icons;
}

} // namespace

QIcon icon(const QString& name) {
    QHash<QString, QIcon>& icons = made();
    const auto it = icons.constFind(name);
    if (it != icons.constEnd()) {
        return *it;
    }
    return *icons.insert(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name)));
}

QIcon currency(bool euros) {
    return icon(euros ? QStringLiteral("euro") : QStringLiteral("franc"));
}

QIcon smallCurrency(bool euros) {
    return icon(euros ? QStringLiteral("euro-small") : QStringLiteral("franc-small"));
}

QIcon paymentMode(int picture) {
    static const std::array<const char*, 5> kNames = {"carte", "cheque", "especes", "prelevement",
                                                      "virement"};
    if (picture < 0 || picture >= static_cast<int>(kNames.size())) {
        return {};
    }
    return icon(QString::fromLatin1(kNames[static_cast<std::size_t>(picture)]));
}

QIcon logo() {
    return icon(QStringLiteral("ledgora"));
}

} // namespace pictures
