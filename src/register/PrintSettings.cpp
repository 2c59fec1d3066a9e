#include "register/PrintSettings.h"

#include "platform/Paths.h"

namespace ledgora {

std::string creditLine() {
    return "Imprimé avec " + std::string(platform::kAppTitle);
}

PrintSettings registerPrintSettings(const std::string& caption, bool blackAndWhite) {
    PrintSettings s;
    s.title = caption;
    s.jobName = caption;
    s.blackAndWhite = blackAndWhite;
    return s;
}

PrintSettings tablePrintSettings(const std::string& mainCaption, const std::string& caption,
                                 bool blackAndWhite) {
    PrintSettings s;
    s.title = mainCaption + " - " + caption;
    s.fitToWidth = false;
    s.jobName = std::string(platform::kAppTitle) + " - " + caption;
    s.blackAndWhite = blackAndWhite;
    return s;
}

} // namespace ledgora
