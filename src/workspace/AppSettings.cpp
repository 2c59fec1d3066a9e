#include "workspace/AppSettings.h"

#include <optional>

#include "platform/SettingsKeys.h"

namespace ledgora {
namespace {

using platform::Hive;
using platform::RegistryValue;
namespace settings = platform::settings;

void put(platform::RegistryTree& t, const std::string& key, std::string_view name,
         std::string text) {
    t.setValue(key, name, RegistryValue::string(std::move(text)));
}
void put(platform::RegistryTree& t, const std::string& key, std::string_view name, int v) {
    put(t, key, name, std::to_string(v));
}
void putBool(platform::RegistryTree& t, const std::string& key, std::string_view name, bool v) {
    put(t, key, name, std::string(v ? "1" : "0"));
}

} // namespace

WindowPlacement readPlacement(const platform::Registry& r) {
    const std::string k = settings::mainWindowKey();
    WindowPlacement p;
    p.maximised = r.readBool(Hive::CurrentUser, k, settings::kMaxi, true);
    p.width = r.readInteger(Hive::CurrentUser, k, settings::kW, 640);
    p.height = r.readInteger(Hive::CurrentUser, k, settings::kH, 480);
    p.x = r.readInteger(Hive::CurrentUser, k, settings::kX, -1);
    p.y = r.readInteger(Hive::CurrentUser, k, settings::kY, -1);
    return p;
}

AppOptions readOptions(const platform::Registry& r, const std::string& defaultFolder) {
    const std::string k = settings::optionsKey();
    AppOptions o;
    o.newSoldeInEuro = r.readBool(Hive::CurrentUser, k, settings::kNewSoldeInEuro, true);
    o.chooseIndex = r.readInteger(Hive::CurrentUser, k, settings::kChooseIndex, -1);
    o.chooseUserIndex = r.readInteger(Hive::CurrentUser, k, settings::kChooseUserIndex, -1);
    o.cheminExport = r.readString(Hive::CurrentUser, k, settings::kCheminExport, defaultFolder);
    o.exportFilterIndex = r.readInteger(Hive::CurrentUser, k, settings::kExportFilterIndex, 5);
    o.bw = r.readBool(Hive::CurrentUser, k, settings::kBW, false);
    o.sons = r.readBool(Hive::CurrentUser, k, settings::kSons, true);
    o.recapInEuro = r.readBool(Hive::CurrentUser, k, settings::kRecapInEuro, true);
    o.noBackupPrompt = r.readBool(Hive::CurrentUser, k, settings::kNoBackupPrompt, false);
    o.cheminBackup = r.readString(Hive::CurrentUser, k, settings::kCheminBackup, "");
    o.minutesAutoSave = r.readInteger(Hive::CurrentUser, k, settings::kMinutesAutoSave, 10);
    o.activeAutoSave = r.readBool(Hive::CurrentUser, k, settings::kActiveAutoSave, false);
    return o;
}

void writeSettings(platform::RegistryTree& t, const WindowPlacement& p, const AppOptions& o) {
    const std::string w = settings::mainWindowKey();
    t.eraseKey(w);
    put(t, w, settings::kX, p.x);
    put(t, w, settings::kY, p.y);
    put(t, w, settings::kW, p.width);
    put(t, w, settings::kH, p.height);
    putBool(t, w, settings::kMaxi, p.maximised);

    const std::string k = settings::optionsKey();
    // The handheld exchange stores its user choice as it is made: the rewrite keeps it.
    std::optional<RegistryValue> palmUser;
    if (const RegistryValue* stored = t.value(k, settings::kPalmUser)) {
        palmUser = *stored;
    }
    t.eraseKey(k);
    putBool(t, k, settings::kNewSoldeInEuro, o.newSoldeInEuro);
    put(t, k, settings::kChooseIndex, o.chooseIndex);
    put(t, k, settings::kChooseUserIndex, o.chooseUserIndex);
    put(t, k, settings::kCheminExport, o.cheminExport);
    put(t, k, settings::kExportFilterIndex, o.exportFilterIndex);
    putBool(t, k, settings::kBW, o.bw);
    putBool(t, k, settings::kSons, o.sons);
    putBool(t, k, settings::kRecapInEuro, o.recapInEuro);
    put(t, k, settings::kMinutesAutoSave, o.minutesAutoSave);
    putBool(t, k, settings::kActiveAutoSave, o.activeAutoSave);
    if (palmUser) {
        t.setValue(k, settings::kPalmUser, std::move(*palmUser));
    }
    writeBackupOptions(t, o);
}

void writeBackupOptions(platform::RegistryTree& t, const AppOptions& o) {
    const std::string k = settings::optionsKey();
    putBool(t, k, settings::kNoBackupPrompt, o.noBackupPrompt);
    put(t, k, settings::kCheminBackup, o.cheminBackup);
}

} // namespace ledgora
