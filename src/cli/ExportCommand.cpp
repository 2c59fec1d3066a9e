#include <ostream>

#include "cli/Commands.h"
#include "cli/ShownAccount.h"
#include "register/ExportFormats.h"

namespace cli {

namespace {

constexpr const char* kExportUsage = "usage: ledgora-cli export FILE.ldg OUT.csv|htm|txt|doc|xls\n";

} // namespace

int runExport(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << kExportUsage;
        return 2;
    }
    const std::filesystem::path target = args[1];
    std::string extension = target.extension().string();
    if (!extension.empty()) {
        extension.erase(0, 1);
    }
    const auto format = ledgora::exportFormatOfExtension(extension);
    if (!format) {
        err << kExportUsage;
        return 2;
    }
    std::string error;
    const auto shown = ShownAccount::open(args[0], cliPaths(), error);
    if (!shown) {
        err << error << '\n';
        return 1;
    }
    if (auto failed = ledgora::exportGrid(*format, shown->grid(), shown->look(), target)) {
        err << *failed << '\n';
        return 1;
    }
    out << target.string() << '\n';
    return 0;
}

#ifndef LEDGORA_CLI_PRINT
int runPrint(const Args&, std::ostream&, std::ostream& err) {
    err << "ledgora-cli was built without printing\n";
    return 1;
}
#endif

} // namespace cli
