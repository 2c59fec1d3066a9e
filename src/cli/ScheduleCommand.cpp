#include <ostream>

#include "cli/Commands.h"
#include "cli/StreamDialogs.h"
#include "money/DateText.h"
#include "planning/AutomaticEntry.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "register/AccountNames.h"
#include "workspace/Workspace.h"

namespace cli {
namespace {

constexpr const char* kUsage = "usage: ledgora-cli schedule USER ACCOUNT [--date dd/mm/yyyy] "
                               "[--password P] (--list | --yes)\n";

class SilentSounds final : public platform::Sounds {
public:
    void play(const std::filesystem::path&) override {}
};

struct Request {
    std::string user;
    std::string account;
    std::optional<ledgora::Date> date;
    std::optional<std::string> password;
    bool list = false;
};

std::optional<Request> parse(const Args& args) {
    if (args.size() < 3) {
        return std::nullopt;
    }
    Request r;
    r.user = args[0];
    r.account = args[1];
    bool mode = false;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--list" || a == "--yes") && !mode) {
            r.list = a == "--list";
            mode = true;
        } else if (a == "--date" && i + 1 < args.size() && !r.date) {
            r.date = ledgora::parseDate(args[++i]);
            if (!r.date) {
                return std::nullopt;
            }
        } else if (a == "--password" && i + 1 < args.size() && !r.password) {
            r.password = args[++i];
        } else {
            return std::nullopt;
        }
    }
    return mode ? std::optional<Request>(r) : std::nullopt;
}

} // namespace

int runSchedule(const Args& args, std::ostream& out, std::ostream& err) {
    const auto request = parse(args);
    if (!request) {
        err << kUsage;
        return 2;
    }
    const platform::Paths paths = platform::Paths::fromEnvironment({});
    platform::Registry registry(paths.registryFolder());
    platform::FixedClock clock(platform::SystemClock().now());
    if (request->date) {
        clock.set({request->date->year, request->date->month, request->date->day, 12, 0, 0});
    }
    StreamDialogs dialogs(out, err);
    SilentSounds sounds;
    ledgora::Workspace workspace(registry, paths, clock, dialogs, dialogs, sounds);
    workspace.start();

    const auto user = ledgora::sameName(ledgora::listUsers(paths), request->user);
    if (!user) {
        err << "unknown user: " << request->user << '\n';
        return 1;
    }
    const std::string stored = workspace.accounts().storedPassword(*user);
    if (!stored.empty() && request->password.value_or("") != stored) {
        err << (request->password ? "Mot de passe incorrect. Accès refusé.\n"
                                  : "this user has a password: give it with --password\n");
        return 1;
    }
    ledgora::AccountSession& session = workspace.session();
    session.setUser(*user);
    const auto account = ledgora::sameName(ledgora::listAccounts(paths, *user), request->account);
    if (!account) {
        err << "unknown account: " << request->account << '\n';
        return 1;
    }
    if (!session.load(*account)) {
        return 1;
    }

    ledgora::AutomaticEntry entry(registry, clock, dialogs, workspace.transfers());
    ledgora::Grid& planning = workspace.planning().grid();
    if (request->list) {
        for (int row : entry.dueToday(*user, *account, planning)) {
            out << '"' << ledgora::plannedOperationText(planning, row) << "\"\n";
        }
        return 0;
    }
    entry.run(*user, *account, planning, session.edits());
    // The register, the planning with its marks, then "LastYear" (the workspace's parts).
    const bool saved = session.save();
    return saved && dialogs.errors() == 0 ? 0 : 1;
}

} // namespace cli
