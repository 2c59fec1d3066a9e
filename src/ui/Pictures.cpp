#include "ui/Pictures.h"

#include <array>

namespace pictures {

QIcon icon(const QString& name) {
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(name));
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
