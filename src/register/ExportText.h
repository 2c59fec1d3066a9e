// What the register's export writers share: cell texts go into the files in Windows-1252,
// appended in place so that a long register is converted without a copy per cell.
#pragma once

#include <string>
#include <string_view>

namespace ledgora {

// Appends `text` (UTF-8) to `out` in Windows-1252; characters it cannot hold become "?".
void appendCp1252(std::string& out, std::string_view text);

} // namespace ledgora
