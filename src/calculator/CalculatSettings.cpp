#include "calculator/CalculatSettings.h"

#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/SettingsKeys.h"

namespace calculator {

namespace {

constexpr platform::Hive kHive = platform::Hive::CurrentUser;

std::string decimalsName(int item) {
    if (item == DecimalsSetting::kNone) {
        return "Aucune";
    }
    if (item == DecimalsSetting::kFloating) {
        return "Flottante";
    }
    return "d" + std::to_string(item - 1);
}

} // namespace

CalculatSettings CalculatSettings::read(const platform::Registry& registry) {
    const std::string key = platform::settings::calculatorKey();
    CalculatSettings s;
    s.lastFile = registry.readString(kHive, key, "DernierFichier");
    s.maximised = registry.readBool(kHive, key, "Maxi", s.maximised);
    if (registry.value(kHive, key, "x") && registry.value(kHive, key, "y")) {
        s.x = registry.readInteger(kHive, key, "x", 0);
        s.y = registry.readInteger(kHive, key, "y", 0);
    }
    s.width = registry.readInteger(kHive, key, "w", s.width);
    s.height = registry.readInteger(kHive, key, "h", s.height);
    s.reopenLastFile = registry.readBool(kHive, key, "Open", s.reopenLastFile);
    s.promptOnClose = registry.readBool(kHive, key, "PromptOnClose", s.promptOnClose);
    s.tape = registry.readBool(kHive, key, "Ruban", s.tape);
    for (int i = 0; i < DecimalsSetting::kCount; ++i) {
        s.decimals.setTicked(i,
                             registry.readBool(kHive, key, decimalsName(i), s.decimals.ticked(i)));
    }
    s.fontName = registry.readString(kHive, key, "nompolice", s.fontName);
    s.fontColour = registry.readInteger(kHive, key, "couleurpolice", s.fontColour);
    s.fontHeight = registry.readInteger(kHive, key, "hauteurpolice", s.fontHeight);
    s.fontSize = registry.readInteger(kHive, key, "taillepolice", s.fontSize);
    s.bold = registry.readBool(kHive, key, "graspolice", s.bold);
    s.italic = registry.readBool(kHive, key, "italiquepolice", s.italic);
    s.underline = registry.readBool(kHive, key, "soulignépolice", s.underline);
    s.strikeOut = registry.readBool(kHive, key, "barrépolice", s.strikeOut);
    return s;
}

bool CalculatSettings::write(platform::Registry& registry) const {
    const std::string key = platform::settings::calculatorKey();
    return registry.update(kHive, [&](platform::RegistryTree& tree) {
        tree.eraseKey(key);
        tree.createKey(key);
        const auto text = [&](std::string_view name, std::string value) {
            tree.setValue(key, name, platform::RegistryValue::string(std::move(value)));
        };
        const auto number = [&](std::string_view name, long long value) {
            text(name, std::to_string(value));
        };
        const auto flag = [&](std::string_view name, bool value) { text(name, value ? "1" : "0"); };
        text("DernierFichier", lastFile);
        flag("Maxi", maximised);
        if (x && y) {
            number("x", *x);
            number("y", *y);
        }
        number("w", width);
        number("h", height);
        flag("Open", reopenLastFile);
        flag("PromptOnClose", promptOnClose);
        flag("Ruban", tape);
        for (int i = 0; i < DecimalsSetting::kCount; ++i) {
            flag(decimalsName(i), decimals.ticked(i));
        }
        text("nompolice", fontName);
        number("couleurpolice", fontColour);
        number("hauteurpolice", fontHeight);
        number("taillepolice", fontSize);
        flag("graspolice", bold);
        flag("italiquepolice", italic);
        flag("soulignépolice", underline);
        flag("barrépolice", strikeOut);
    });
}

} // namespace calculator
