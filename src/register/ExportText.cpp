#include "register/ExportText.h"

#include "platform/Cp1252.h"

namespace ledgora {

void appendCp1252(std::string& out, std::string_view text) {
    if (platform::isAscii(text)) {
        out.append(text);
    } else {
        out += platform::utf8ToCp1252(text);
    }
}

} // namespace ledgora
