#include <ostream>

#include <QGuiApplication>

#include "cli/Commands.h"
#include "cli/ShownAccount.h"
#include "platform/Clock.h"
#include "register/PrintSettings.h"
#include "ui/GridPrinter.h"

namespace cli {

namespace {

constexpr const char* kPrintUsage = "usage: ledgora-cli print FILE.ldg OUT.pdf [--bw]\n";

// Fonts need a GUI application; a headless one does, whatever the display.
class HeadlessGui {
public:
    HeadlessGui() {
        if (QCoreApplication::instance() == nullptr) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            app_.emplace(argc_, argv_);
        }
    }

private:
    int argc_ = 1;
    char name_[12] = "ledgora-cli";
    char* argv_[2] = {name_, nullptr};
    std::optional<QGuiApplication> app_;
};

} // namespace

int runPrint(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && args[2] != "--bw")) {
        err << kPrintUsage;
        return 2;
    }
    std::string error;
    const auto shown = ShownAccount::open(args[0], cliPaths(), error);
    if (!shown) {
        err << error << '\n';
        return 1;
    }
    HeadlessGui gui;
    const platform::SystemClock clock;
    GridPrinter printer(shown->grid(), shown->look(),
                        ledgora::registerPrintSettings(shown->caption(), args.size() == 3), clock);
    if (!printer.printToPdf(QString::fromStdString(args[1]))) {
        err << "Cannot Create file " << args[1] << '\n';
        return 1;
    }
    out << args[1] << '\n';
    return 0;
}

} // namespace cli
