// The main window's settings: its placement ("MainW") and the options ("Options"), read
// once at start and rewritten from scratch at every settings save.
#pragma once

#include <string>

#include "platform/Registry.h"
#include "register/AccountChoices.h"

namespace ledgora {

struct WindowPlacement {
    int x = -1; // -1: centred
    int y = -1;
    int width = 640;
    int height = 480;
    bool maximised = true;
};

// The options; the choices the users and accounts commands remember are among them.
struct AppOptions : AccountChoices {
    std::string cheminExport;
    int exportFilterIndex = 5;
    bool bw = false;
    bool sons = true;
    bool recapInEuro = true;
    bool noBackupPrompt = false;
    std::string cheminBackup;
    int minutesAutoSave = 10;
    bool activeAutoSave = false;
};

// Absent values take the defaults of the structures above; `defaultFolder` stands for the
// export folder when none was saved.
WindowPlacement readPlacement(const platform::Registry& registry);
AppOptions readOptions(const platform::Registry& registry, const std::string& defaultFolder);

// Erases "MainW" and "Options" and writes them again, options in their usual order; the
// handheld user chosen last ("PalmUser") stays as it was stored.
void writeSettings(platform::RegistryTree& hive, const WindowPlacement& placement,
                   const AppOptions& options);

// Writes "NoBackupPrompt" and "CheminBackup" once more (after the backup offer at closing).
void writeBackupOptions(platform::RegistryTree& hive, const AppOptions& options);

} // namespace ledgora
