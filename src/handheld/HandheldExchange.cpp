#include "handheld/HandheldExchange.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <system_error>

#include "handheld/BuilderReporter.h"
#include "handheld/HandheldLayout.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/SettingsKeys.h"
#include "platform/TextCase.h"
#include "register/RegisterColumns.h"
#include "register/RegisterRows.h"

namespace ledgora {
namespace {

namespace com = platform::com;
namespace fs = std::filesystem;
namespace settings = platform::settings;
using com::BstrHolder;
using trellisk::ITrellisk;

constexpr const char* kConfirmExport =
    "Confirmez-vous l'exportation de ce compte vers votre Palm ?";
constexpr const char* kExported = "Le compte a été exporté vers votre Palm.\rLa mise à jour sera "
                                  "effective une fois que vous aurez synchronisé votre Palm.";
constexpr const char* kConfirmImport = "Le compte va être importé depuis votre Palm.\rSi ce "
                                       "n'est déjà fait, synchronisez votre Palm puis cliquez "
                                       "sur OK.";
constexpr const char* kImported = "Le compte a été importé depuis votre Palm.";
constexpr const char* kNoUsers = "Aucun utilisateur Palm trouvé.";
constexpr const char* kNotFound = " introuvable.";

// Without the leading and trailing blanks and control characters.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder.push_back('/');
    }
    return folder;
}

// The text of string field `id` of the current record, as UTF-8; empty when it cannot be
// read. The builder hands out 8-bit text it owns: it is copied at once.
std::string readField(ITrellisk& builder, std::int16_t id) {
    com::BSTR value = nullptr;
    builder.PDBgetStrFieldWithID(id, &value);
    return value != nullptr ? platform::cp1252ToUtf8(trellisk::ansiText(value)) : std::string();
}

// `name` in `folder`, whatever the case of its letters: the handheld's backup names files
// after its databases, and the product was made for a system that ignores case.
std::optional<std::string> fileInFolder(const std::string& folder, std::string_view name) {
    std::error_code ec;
    const std::string exact = folder + std::string(name);
    if (fs::is_regular_file(exact, ec)) {
        return exact;
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (platform::equalsIgnoreCase(entry, name) && it->is_regular_file(ec)) {
            return folder + entry;
        }
    }
    return std::nullopt;
}

// The hourglass of one database step: on for its life.
class Busy {
public:
    explicit Busy(const std::function<void(bool)>& busy) : busy_(busy) {
        if (busy_) {
            busy_(true);
        }
    }
    ~Busy() {
        if (busy_) {
            busy_(false);
        }
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    const std::function<void(bool)>& busy_;
};

// One database built through the builder, every result going through the reporter; a
// failed open ends the database's step.
class DatabaseWriter {
public:
    DatabaseWriter(ITrellisk& builder, BuilderReporter& reporter)
        : builder_(builder), reporter_(reporter) {}

    bool open(const std::string& file, std::string_view type, const std::string& name) {
        return reporter_.report(builder_.PDBopen2(BstrHolder(file).get(),
                                                  BstrHolder(handheld::kCreator).get(),
                                                  BstrHolder(type).get(), BstrHolder(name).get()));
    }
    // Once the database has refused a record for want of room, the builder would refuse
    // every further one and build none: the rest is not sent, and the refusal is shown once.
    void field(const BstrHolder& name, std::string_view value) {
        if (!full_) {
            reporter_.report(builder_.PDBaddStrField(name.get(), BstrHolder(value).get()));
        }
    }
    void record() {
        if (!full_) {
            const std::int32_t result = builder_.PDBaddRecord();
            full_ = result == trellisk::ERR_TOO_MANY_RECORDS;
            reporter_.report(result);
        }
    }
    void finish() {
        if (!full_) {
            reporter_.report(builder_.PDBbuild());
        }
        full_ = false;
        reporter_.report(builder_.PDBclose());
    }

    // `file` in `folder`, one record per entry of the list, in list order.
    void writeList(const std::string& folder, std::string_view file, std::string_view fieldName,
                   const NameList& list) {
        if (!open(folder + std::string(file), handheld::kListType, std::string(file))) {
            return;
        }
        const BstrHolder name(fieldName);
        for (const std::string& entry : list.entries()) {
            field(name, trimmed(entry));
            record();
        }
        finish();
    }

private:
    ITrellisk& builder_;
    BuilderReporter& reporter_;
    bool full_ = false;
};

// Reads the records of a loaded database. A record that cannot be read gives nothing
// rather than the previous record's fields again; the first such failure is shown.
class RecordReader {
public:
    RecordReader(ITrellisk& builder, BuilderReporter& reporter)
        : builder_(builder), reporter_(reporter) {}

    bool select(std::int32_t record) {
        const std::int32_t result = builder_.PDBgetRecord(record);
        if (result != 0 && !failed_) {
            failed_ = true;
            reporter_.report(result);
        }
        return result == 0;
    }

private:
    ITrellisk& builder_;
    BuilderReporter& reporter_;
    bool failed_ = false;
};

// The register of a loaded account database: one row per data record, field i in column
// i + 1, normalised; at least one data row; sorted by date and renumbered.
Grid readRegister(ITrellisk& builder, BuilderReporter& reporter) {
    Grid reg = makeRegister(2);
    const int fields = builder.PDBgetFieldCount();
    const int records = builder.PDBgetRecordCount();
    reg.reserveRows(std::max(records, 1) + 1);
    RecordReader reader(builder, reporter);
    for (int r = 1; r < records; ++r) {
        if (reader.select(r)) {
            for (int i = 0; i < fields && i + 1 < kRegisterColumns; ++i) {
                reg.set(r, i + 1,
                        handheld::normaliseImportedCell(
                            i + 1, readField(builder, static_cast<std::int16_t>(i))));
            }
        }
        reg.setRowCount(reg.rowCount() + 1);
    }
    reg.setRowCount(reg.rowCount() - 1);
    reporter.report(builder.PDBclose());
    if (reg.rowCount() < 2) {
        reg.setRowCount(2);
    }
    sortByDate(reg);
    renumberRows(reg);
    return reg;
}

} // namespace

bool HandheldExchange::available(trellisk::ITrellisk* builder, bool accountOpen) {
    return builder != nullptr && accountOpen && builder->PDBgetUserCount() > 0;
}

std::optional<HandheldExchange::PalmUser>
HandheldExchange::choosePalmUser(ExchangeOutcome& outcome) {
    const std::int32_t count = std::min<std::int32_t>(s_.builder.PDBgetUserCount(), INT16_MAX);
    if (count < 1) {
        s_.dialogs.inform(kNoUsers);
        outcome.ended = ExchangeOutcome::Ended::NoUsers;
        return std::nullopt;
    }
    std::vector<std::string> names;
    std::vector<PalmUser> users;
    for (std::int32_t i = 0; i < count; ++i) {
        BstrHolder name;
        BstrHolder install;
        BstrHolder backup;
        s_.builder.PDBgetUserInfo(static_cast<std::int16_t>(i), name.out(), install.out(),
                                  backup.out());
        names.push_back(name.utf8());
        users.push_back({i, withSlash(install.utf8()), withSlash(backup.utf8())});
    }
    const std::string key = settings::optionsKey();
    const int stored =
        s_.registry.readInteger(platform::Hive::CurrentUser, key, settings::kPalmUser, 0);
    const int selected = stored >= 0 && stored < count ? stored : 0;
    const std::optional<int> chosen = s_.chooser.choosePalmUser(names, selected);
    if (!chosen || *chosen < 0 || *chosen >= count) {
        outcome.ended = ExchangeOutcome::Ended::Cancelled;
        return std::nullopt;
    }
    s_.registry.writeInteger(platform::Hive::CurrentUser, key, settings::kPalmUser, *chosen);
    return users[static_cast<std::size_t>(*chosen)];
}

ExchangeOutcome HandheldExchange::exportAccount(const HandheldAccount& account, const Grid& reg,
                                                const NameList& categories, const NameList& modes) {
    ExchangeOutcome outcome;
    if (!s_.dialogs.confirm(kConfirmExport)) {
        return outcome;
    }
    const auto palm = choosePalmUser(outcome);
    if (!palm) {
        return outcome;
    }
    BuilderReporter reporter(s_.dialogs);
    DatabaseWriter db(s_.builder, reporter);

    const std::string registerName = handheld::registerFileName(account.user, account.account);
    if (const Busy busy(s_.busy);
        db.open(palm->install + registerName, handheld::kRegisterType, registerName)) {
        std::deque<BstrHolder> columns;
        for (int c = col::Pointage; c <= col::Creder; ++c) {
            columns.emplace_back(kColumnKeys[static_cast<std::size_t>(c)]);
        }
        for (int r = 1; r < reg.rowCount(); ++r) {
            if (isBlankRow(reg, r)) {
                continue;
            }
            for (int c = col::Pointage; c <= col::Creder; ++c) {
                db.field(columns[static_cast<std::size_t>(c - col::Pointage)],
                         trimmed(reg.at(r, c)));
            }
            db.record();
        }
        db.finish();
    }

    {
        const Busy busy(s_.busy);
        db.writeList(palm->install, handheld::kCategoriesFile, handheld::kCategoryField,
                     categories);
    }
    {
        const Busy busy(s_.busy);
        db.writeList(palm->install, handheld::kModesFile, handheld::kModeField, modes);
    }

    const std::string parameters = handheld::parametersFileName(account.user, account.account);
    if (const Busy busy(s_.busy);
        db.open(palm->install + parameters, handheld::kListType, parameters)) {
        const BstrHolder parameter(handheld::kParameterField);
        const BstrHolder value(handheld::kValueField);
        db.field(parameter, handheld::kPasswordParameter);
        db.field(value, account.password);
        db.record();
        db.field(parameter, handheld::kEuroParameter);
        db.field(value, account.euros ? "1" : "0");
        db.record();
        db.finish();
    }

    std::error_code ec;
    const fs::path application = s_.paths.programFile(std::string(handheld::kApplicationFile));
    if (fs::is_regular_file(application, ec)) {
        const std::string target = palm->install + std::string(handheld::kApplicationFile);
        const auto bytes = platform::readFile(application);
        if (!bytes || !platform::writeFileAtomically(target, *bytes)) {
            s_.dialogs.warn("Impossible de copier " + application.string() + " vers " +
                            palm->install + ".");
        }
    }

    reporter.report(s_.builder.PDBsetInstallFlag(static_cast<std::int16_t>(palm->index)));

    outcome.ended = ExchangeOutcome::Ended::Done;
    outcome.errors = reporter.errors();
    if (outcome.errors == 0) {
        s_.dialogs.inform(kExported);
    }
    return outcome;
}

ExchangeOutcome HandheldExchange::importAccount(const std::string& user, const std::string& account,
                                                ImportTarget& target, NameList& categories,
                                                NameList& modes) {
    ExchangeOutcome outcome;
    if (s_.dialogs.message(platform::MessageKind::Confirmation, kConfirmImport,
                           platform::Buttons::OkCancel) != platform::Reply::Ok) {
        return outcome;
    }
    const auto palm = choosePalmUser(outcome);
    if (!palm) {
        return outcome;
    }
    BuilderReporter reporter(s_.dialogs);
    ITrellisk& builder = s_.builder;
    const std::string userName = handheld::withUnderscores(user);
    const std::string accountName = handheld::withUnderscores(account);

    const BstrHolder parameters(palm->backup + handheld::parametersFileName(userName, accountName));
    if (const Busy busy(s_.busy); reporter.report(builder.PDBload2(parameters.get()))) {
        // The password record is not read back: the desktop keeps its own.
        builder.PDBgetRecord(2);
        const bool euros = readField(builder, 1) == "1";
        reporter.report(builder.PDBclose());
        target.setCurrency(euros);
    }

    target.setValidating(false);
    const BstrHolder registerFile(palm->backup + handheld::registerFileName(userName, accountName));
    if (const Busy busy(s_.busy); reporter.report(builder.PDBload2(registerFile.get()))) {
        target.grid() = readRegister(builder, reporter);
        outcome.registerImported = true;
    }
    target.setValidating(true);
    cleanUpBlankRows(target.grid());
    target.registerReplaced();

    const auto readList = [&](std::string_view name, NameList& list) {
        const auto file = fileInFolder(palm->backup, name);
        if (!file) {
            s_.dialogs.warn(palm->backup + std::string(name) + kNotFound);
            return;
        }
        const Busy busy(s_.busy);
        if (!reporter.report(builder.PDBload2(BstrHolder(*file).get()))) {
            return;
        }
        NameList read;
        RecordReader reader(builder, reporter);
        const std::int32_t records = builder.PDBgetRecordCount();
        for (std::int32_t r = 1; r < records; ++r) {
            if (reader.select(r)) {
                read.add(readField(builder, 0));
            }
        }
        reporter.report(builder.PDBclose());
        list = std::move(read);
    };
    readList(handheld::kCategoriesFile, categories);
    readList(handheld::kModesBackupFile, modes);

    outcome.ended = ExchangeOutcome::Ended::Done;
    outcome.errors = reporter.errors();
    if (outcome.errors == 0) {
        s_.dialogs.inform(kImported);
    }
    return outcome;
}

} // namespace ledgora
