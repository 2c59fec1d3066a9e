// The calculator window's settings, section "Calculat" of the settings store: read once
// when the window is created, erased and rewritten whole when it is closed.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "calculator/DecimalsSetting.h"

namespace platform {
class Registry;
}

namespace calculator {

struct CalculatSettings {
    std::string lastFile; // "DernierFichier"
    bool maximised = false;
    std::optional<int> x, y; // absent: centred on the screen
    int width = 640;
    int height = 480;
    bool reopenLastFile = true; // "Open"
    bool promptOnClose = true;
    bool tape = false; // "Ruban"
    DecimalsSetting decimals;
    std::string fontName = "MS Sans Serif";
    int fontColour = 0; // 0x00BBGGRR
    int fontHeight = -16;
    int fontSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    static CalculatSettings read(const platform::Registry& registry);
    // Erases the section and writes every value; false when the store cannot be saved.
    bool write(platform::Registry& registry) const;
};

} // namespace calculator
