#include "banktools/DepositDetails.h"

#include "platform/Cp1252.h"
#include "platform/SettingsKeys.h"

namespace ledgora {
namespace {

using platform::Hive;
namespace settings = platform::settings;

// Splits at CR LF, CR or LF.
void appendLines(std::vector<std::string>& lines, std::string_view text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        line.push_back(c);
    }
    lines.push_back(std::move(line));
}

bool storable(std::string_view text) {
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\r' && c != '\n' && c != '\t') || u == 0x7F) {
            return false;
        }
    }
    return platform::fitsCp1252(text);
}

} // namespace

DepositDetails readDepositDetails(const platform::Registry& registry, const std::string& user,
                                  const std::string& account) {
    const std::string key = settings::accountKey(user, account);
    return {registry.readString(Hive::CurrentUser, key, settings::kDepositNumber),
            registry.readString(Hive::CurrentUser, key, settings::kDepositName),
            registry.readString(Hive::CurrentUser, key, settings::kDepositAddress)};
}

bool writeDepositDetails(platform::Registry& registry, const std::string& user,
                         const std::string& account, const DepositDetails& details) {
    const std::string key = settings::accountKey(user, account);
    return registry.update(Hive::CurrentUser, [&](platform::RegistryTree& tree) {
        tree.setValue(key, settings::kDepositNumber,
                      platform::RegistryValue::string(details.number));
        tree.setValue(key, settings::kDepositName, platform::RegistryValue::string(details.name));
        tree.setValue(key, settings::kDepositAddress,
                      platform::RegistryValue::string(details.address));
    });
}

std::optional<int> firstEmptyDetail(const DepositDetails& details) {
    if (details.number.empty()) {
        return 0;
    }
    if (details.name.empty()) {
        return 1;
    }
    if (details.address.empty()) {
        return 2;
    }
    return std::nullopt;
}

std::optional<int> unstorableDetail(const DepositDetails& details) {
    const std::string* fields[] = {&details.number, &details.name, &details.address};
    for (int i = 0; i < 3; ++i) {
        if (!storable(*fields[i])) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::string> depositHeaderLines(const DepositDetails& details) {
    std::vector<std::string> lines;
    appendLines(lines, "Bordereau de remise de chèques - Compte n° " + details.number);
    appendLines(lines, details.name + " - " + details.address);
    return lines;
}

Rgb depositTitleColour(bool blackAndWhite) {
    return blackAndWhite ? colors::kBlack : colors::kNegative;
}

} // namespace ledgora
