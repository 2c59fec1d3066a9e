#include <charconv>
#include <ostream>

#include "cli/Commands.h"
#include "cli/StreamDialogs.h"
#include "handheld/BuilderObject.h"
#include "handheld/HandheldExchange.h"
#include "handheld/SessionImportTarget.h"
#include "platform/Clock.h"
#include "platform/CurrentFolder.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/TextCase.h"
#include "register/AccountNames.h"
#include "workspace/Workspace.h"

namespace cli {
namespace {

constexpr const char* kUsage = "usage: ledgora-cli handheld export|import USER ACCOUNT "
                               "[--palm-user N]\n";

class SilentSounds final : public platform::Sounds {
public:
    void play(const std::filesystem::path&) override {}
};

// The user choice without a question: the index given on the command line, else the one
// the program would preselect.
class GivenPalmUser final : public ledgora::PalmUserChooser {
public:
    GivenPalmUser(std::optional<int> index, std::ostream& err) : index_(index), err_(err) {}

    std::optional<int> choosePalmUser(const std::vector<std::string>& users,
                                      int selected) override {
        if (!index_) {
            return selected;
        }
        if (*index_ >= static_cast<int>(users.size())) {
            err_ << "no handheld user " << *index_ << " (" << users.size() << " found)\n";
            return std::nullopt;
        }
        return index_;
    }

private:
    std::optional<int> index_;
    std::ostream& err_;
};

// The stored spelling of `typed` among `names`, compared without regard to case.
std::optional<std::string> findName(const std::vector<std::string>& names,
                                    const std::string& typed) {
    for (const std::string& name : names) {
        if (platform::equalsIgnoreCase(name, typed)) {
            return name;
        }
    }
    return std::nullopt;
}

struct Request {
    bool toHandheld = true;
    std::string user;
    std::string account;
    std::optional<int> palmUser;
};

std::optional<Request> parse(const Args& args) {
    if (args.size() != 3 && args.size() != 5) {
        return std::nullopt;
    }
    Request r;
    if (args[0] != "export" && args[0] != "import") {
        return std::nullopt;
    }
    r.toHandheld = args[0] == "export";
    r.user = args[1];
    r.account = args[2];
    if (args.size() == 5) {
        int n = -1;
        const std::string& text = args[4];
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (args[3] != "--palm-user" || error != std::errc() || end != text.data() + text.size() ||
            n < 0) {
            return std::nullopt;
        }
        r.palmUser = n;
    }
    return r;
}

} // namespace

int runHandheld(const Args& args, const std::filesystem::path& programFolder, std::ostream& out,
                std::ostream& err) {
    const auto request = parse(args);
    if (!request) {
        err << kUsage;
        return 2;
    }
    const platform::Paths paths = platform::Paths::fromEnvironment(programFolder);
    // The builder's index of handheld names lies beside the data folder, found from the
    // current folder.
    if (!platform::enterFolder(paths.dataFolder())) {
        err << "cannot work in " << paths.dataFolder().string() << '\n';
        return 1;
    }
    platform::Registry registry(paths.registryFolder());
    platform::SystemClock clock;
    StreamDialogs dialogs(out, err);
    SilentSounds sounds;
    ledgora::Workspace workspace(registry, paths, clock, dialogs, dialogs, sounds);
    workspace.start();

    const auto user = findName(ledgora::listUsers(paths), request->user);
    if (!user) {
        err << "unknown user: " << request->user << '\n';
        return 1;
    }
    ledgora::AccountSession& session = workspace.session();
    session.setUser(*user);
    const auto account = findName(ledgora::listAccounts(paths, *user), request->account);
    if (!account) {
        err << "unknown account: " << request->account << '\n';
        return 1;
    }
    if (!session.load(*account)) {
        return 1;
    }

    ledgora::BuilderObject builder = ledgora::BuilderObject::create(paths, registry);
    if (!builder) {
        err << "cannot create Trellisk.Trellisk from "
            << paths.programFile(ledgora::BuilderObject::kLibrary).string() << '\n';
        return 1;
    }
    GivenPalmUser chooser(request->palmUser, err);
    ledgora::HandheldExchange exchange({*builder.get(), registry, paths, dialogs, chooser});
    ledgora::ExchangeOutcome outcome;
    if (request->toHandheld) {
        outcome = exchange.exportAccount(
            {*user, *account, workspace.accounts().storedPassword(*user), session.euros()},
            session.grid(), workspace.categories(), workspace.modes());
    } else {
        ledgora::SessionImportTarget target(session);
        outcome = exchange.importAccount(*user, *account, target, workspace.categories(),
                                         workspace.modes());
        if (outcome.ended == ledgora::ExchangeOutcome::Ended::Done) {
            // What the program's next save would write: the account with its currency,
            // and both lists.
            bool saved = session.save();
            saved = workspace.categories().save(paths.dataFile("Rubriques.txt")) && saved;
            saved = workspace.modes().save(paths.dataFile("Modes.txt")) && saved;
            if (!saved && dialogs.errors() == 0) {
                err << "cannot save the lists in " << paths.dataFolder().string() << '\n';
                return 1;
            }
        }
    }
    const bool done = outcome.ended == ledgora::ExchangeOutcome::Ended::Done;
    return done && dialogs.errors() == 0 ? 0 : 1;
}

} // namespace cli
