// A fresh folder for one test under the system's temporary folder, private to the user,
// removed with everything in it when the object goes; a current folder inside it moves
// out first. Its name holds the process, the running test and a counter, so tests run
// side by side never share one.
#pragma once

#include <filesystem>
#include <string>

namespace ledgora::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `name` inside the folder, as text.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace ledgora::testing
