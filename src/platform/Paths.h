// Where Ledgora keeps its files: the data folder with one folder per user, the settings
// hives and the program folder. Names are joined with "/"; user and account names are
// used as given, so callers check them (see AccountNames) before creating anything.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

inline constexpr std::string_view kVendor = "Orvand";
inline constexpr std::string_view kAppTitle = "Ledgora";
inline constexpr std::string_view kAccountExtension = ".ldg";
inline constexpr std::string_view kPlanningExtension = ".pla";

class Paths {
public:
    // `root` stands for the drive root of the data folder, `configRoot` holds the settings
    // hives, `programFolder` the executable and what ships beside it, `home` the user's
    // home folder and `loginName` the system's name of the user running the program (each
    // empty when unknown).
    Paths(std::filesystem::path root, std::filesystem::path configRoot,
          std::filesystem::path programFolder, std::filesystem::path home = {},
          std::string loginName = {});

    // $LEDGORA_HOME (data under it, hives in $LEDGORA_HOME/registry) when set, else
    // ${XDG_DATA_HOME:-~/.local/share} and ${XDG_CONFIG_HOME:-~/.config}/Orvand; the home
    // folder is $HOME; the login name is the account database's, else $USER.
    static Paths fromEnvironment(std::filesystem::path programFolder);

    // root + "Orvand/Ledgora/".
    std::filesystem::path dataFolder() const;
    std::filesystem::path userFolder(const std::string& user) const;
    std::filesystem::path accountFile(const std::string& user, const std::string& account) const;
    std::filesystem::path planningFile(const std::string& user, const std::string& account) const;
    // A file lying directly in the data folder ("Rubriques.txt", "Modes.txt").
    std::filesystem::path dataFile(const std::string& name) const;
    std::filesystem::path registryFolder() const { return configRoot_; }
    std::filesystem::path programFolder() const { return programFolder_; }
    // Where the file choosers start before the user chose a folder.
    std::filesystem::path homeFolder() const { return home_; }
    // Names the folders where the system mounts the user's removable media.
    const std::string& loginName() const { return loginName_; }
    // A file shipped beside the program (sounds, help, pictures).
    std::filesystem::path programFile(const std::string& name) const;

private:
    std::filesystem::path root_;
    std::filesystem::path configRoot_;
    std::filesystem::path programFolder_;
    std::filesystem::path home_;
    std::string loginName_;
};

} // namespace platform
