#include "builder/cli/TrelliskCli.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <variant>

#include "builder/AnsiText.h"
#include "builder/ITrellisk.h"
#include "builder/IniFile.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"

namespace trellisk::cli {
namespace {

namespace com = platform::com;
using com::BstrHolder;

constexpr const char* kUsage =
    "usage: trellisk-cli build --script S.ini --csv DATA.csv --out FILE [--name NAME] "
    "[--encoded] [--sep C]\n"
    "       trellisk-cli dump FILE.pdb [--sep C]\n"
    "       trellisk-cli gen-c --script S.ini\n"
    "       trellisk-cli gen-c --out FILE --name NAME --script S.ini --new\n"
    "       trellisk-cli users\n";

constexpr const char* kLibraryName = "libtrellisk.so";

struct Options {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // --key value
    std::map<std::string, bool> flags;         // --key
};

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::size_t first) {
    static const std::map<std::string, bool> kKnown = {
        {"--script", true}, {"--csv", true},      {"--out", true}, {"--name", true},
        {"--sep", true},    {"--encoded", false}, {"--new", false}};
    Options options;
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            options.positional.push_back(a);
            continue;
        }
        const auto known = kKnown.find(a);
        if (known == kKnown.end()) {
            return std::nullopt;
        }
        if (!known->second) {
            options.flags[a] = true;
        } else if (i + 1 < args.size()) {
            options.values[a] = args[++i];
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// A folder of its own for intermediate files, removed when done.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "trellisk-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) {
            std::filesystem::remove_all(path_, ec);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Holds the object and releases it at the end.
class Builder {
public:
    explicit Builder(ITrellisk* object) : object_(object) {}
    ~Builder() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    Builder(const Builder&) = delete;
    Builder& operator=(const Builder&) = delete;
    ITrellisk* operator->() const { return object_; }

private:
    ITrellisk* object_;
};

int report(EnumErrors code, std::ostream& err) {
    const std::string_view name = enumErrorsName(code);
    err << (name.empty() ? std::string_view("UNKNOWN_ERROR") : name) << " (" << code << ")\n";
    return kExitError;
}

// The text of a BSTR argument from a command-line argument (UTF-8).
BstrHolder text(const std::string& utf8) {
    return BstrHolder(utf8);
}

ITrellisk* activate(const std::filesystem::path& programFolder, std::ostream& err) {
    ITrellisk* object = nullptr;
    com::HRESULT hr = com::CoCreateInstance(CLSID_Trellisk, nullptr, com::CLSCTX_INPROC_SERVER,
                                            IID_ITrellisk, reinterpret_cast<void**>(&object));
    if (hr == com::REGDB_E_CLASSNOTREG || hr == com::CO_E_DLLNOTFOUND) {
        // Not registered (or registered where it no longer is): register the library
        // that ships beside this program, as the registration program would.
        const std::filesystem::path library = programFolder / kLibraryName;
        std::string reason;
        void* handle = com::loadServerLibrary(library.string(), reason);
        auto registerServer = reinterpret_cast<com::DllRegisterServerFunction>(
            com::serverExport(handle, "DllRegisterServer"));
        if (registerServer == nullptr || com::FAILED(registerServer())) {
            err << "cannot register " << library.string()
                << (reason.empty() ? std::string() : ": " + reason) << "\n";
            return nullptr;
        }
        hr = com::CoCreateInstance(CLSID_Trellisk, nullptr, com::CLSCTX_INPROC_SERVER,
                                   IID_ITrellisk, reinterpret_cast<void**>(&object));
    }
    if (com::FAILED(hr) || object == nullptr) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
        err << "cannot create " << kTrelliskProgId << ": " << code << "\n";
        return nullptr;
    }
    return object;
}

std::string stemOf(const std::string& file) {
    return std::filesystem::path(file).stem().string();
}

// The script's field names in ID order: as the builder declares them, a name given twice
// names one field.
std::vector<std::string> scriptFieldNames(const std::string& script) {
    IniFile ini;
    ini.load(script);
    std::vector<std::string> names;
    std::vector<std::string> folded;
    const long long count = ini.readInteger("BUILDERaSSISTANT", "Count", 0);
    for (long long i = 0; i < count && i < 225; ++i) {
        const std::string name =
            ini.readString("BUILDERaSSISTANT", "Field" + std::to_string(i), "");
        const std::string key = AnsiText::lowerCase(AnsiText::trim(name));
        if (std::find(folded.begin(), folded.end(), key) == folded.end()) {
            folded.push_back(key);
            names.push_back(platform::cp1252ToUtf8(name));
        }
    }
    return names;
}

using Value = std::variant<std::monostate, std::int64_t, std::string>;

// The values of every data record of a database, by field ID; monostate where a record
// lacks the field.
std::optional<std::vector<std::vector<Value>>> readAll(Builder& b, const std::string& file,
                                                       EnumErrors& error) {
    error = b->PDBload(text(file).get());
    if (error != NO_ERROR) {
        return std::nullopt;
    }
    std::vector<std::vector<Value>> records;
    const std::int16_t fields = b->PDBgetFieldCount();
    for (std::int32_t r = 1; r < b->PDBgetRecordCount(); ++r) {
        std::vector<Value> values(static_cast<std::size_t>(fields));
        if (b->PDBgetRecord(r) == NO_ERROR) {
            for (std::int16_t i = 0; i < fields; ++i) {
                if (b->PDBgetIsStrFieldWithID(i) == 1) {
                    BSTR raw = nullptr;
                    if (b->PDBgetStrFieldWithID(i, &raw) == NO_ERROR && raw != nullptr) {
                        values[static_cast<std::size_t>(i)] = std::string(ansiText(raw));
                    }
                } else {
                    std::int64_t n = 0;
                    if (b->PDBgetNumFieldWithID(i, &n) == NO_ERROR) {
                        values[static_cast<std::size_t>(i)] = n;
                    }
                }
            }
        }
        records.push_back(std::move(values));
    }
    b->PDBclose();
    return records;
}

int build(const Options& o, const std::filesystem::path& programFolder, std::ostream& err) {
    const auto script = o.values.find("--script");
    const auto csv = o.values.find("--csv");
    const auto out = o.values.find("--out");
    if (script == o.values.end() || csv == o.values.end() || out == o.values.end() ||
        !o.positional.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const auto nameIt = o.values.find("--name");
    const std::string name = nameIt != o.values.end() ? nameIt->second : stemOf(out->second);
    const auto sepIt = o.values.find("--sep");
    const std::string sep = sepIt != o.values.end() ? sepIt->second : ";";
    ITrellisk* object = activate(programFolder, err);
    if (object == nullptr) {
        return kExitError;
    }
    Builder b(object);
    if (!o.flags.count("--encoded")) {
        EnumErrors e = b->PDBopenFromScript(text(script->second).get(), text(out->second).get(),
                                            text(name).get());
        if (e == NO_ERROR) {
            e = b->PDBbuildWithCsv(text(csv->second).get(), text(sep).get());
        }
        b->PDBclose();
        return e == NO_ERROR ? kExitOk : report(e, err);
    }
    // An encoded database is built from the records the CSV import reads, so both builds
    // follow the same import rules: the plain database is made aside first.
    TempFolder temp;
    if (temp.path().empty()) {
        err << "cannot create a temporary folder\n";
        return kExitError;
    }
    const std::string plain = (temp.path() / "plain").string();
    EnumErrors e =
        b->PDBopenFromScript(text(script->second).get(), text(plain).get(), text(name).get());
    if (e == NO_ERROR) {
        e = b->PDBbuildWithCsv(text(csv->second).get(), text(sep).get());
    }
    b->PDBclose();
    if (e != NO_ERROR) {
        return report(e, err);
    }
    const auto records = readAll(b, plain + ".pdb", e);
    if (!records) {
        return report(e, err);
    }
    const std::vector<std::string> names = scriptFieldNames(script->second);
    e = b->PDBopenFromScript(text(script->second).get(), text(out->second).get(), text(name).get());
    for (std::size_t r = 0; e == NO_ERROR && r < records->size(); ++r) {
        const std::vector<Value>& record = (*records)[r];
        for (std::size_t i = 0; e == NO_ERROR && i < record.size() && i < names.size(); ++i) {
            const BstrHolder field = text(names[i]);
            if (const auto* n = std::get_if<std::int64_t>(&record[i])) {
                e = b->PDBaddNumField(field.get(), *n);
            } else if (const auto* s = std::get_if<std::string>(&record[i])) {
                e = b->PDBaddStrField(field.get(), text(platform::cp1252ToUtf8(*s)).get());
            }
        }
        if (e == NO_ERROR) {
            e = b->PDBaddRecord();
        }
    }
    if (e == NO_ERROR) {
        e = b->PDBbuildEncoded();
    }
    b->PDBclose();
    return e == NO_ERROR ? kExitOk : report(e, err);
}

int dump(const Options& o, const std::filesystem::path& programFolder, std::ostream& out,
         std::ostream& err) {
    if (o.positional.size() != 1 || o.values.count("--script") || o.values.count("--csv") ||
        o.values.count("--out") || o.values.count("--name") || !o.flags.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const auto sepIt = o.values.find("--sep");
    const std::string sep = sepIt != o.values.end() ? sepIt->second : ";";
    ITrellisk* object = activate(programFolder, err);
    if (object == nullptr) {
        return kExitError;
    }
    Builder b(object);
    // The export's own file, copied byte for byte.
    TempFolder temp;
    if (temp.path().empty()) {
        err << "cannot create a temporary folder\n";
        return kExitError;
    }
    const std::filesystem::path csv = temp.path() / "dump.csv";
    const EnumErrors e =
        b->PDBexportToCsv(text(o.positional[0]).get(), text(csv.string()).get(), text(sep).get());
    if (e != NO_ERROR) {
        return report(e, err);
    }
    const auto bytes = platform::readFile(csv);
    if (!bytes) {
        err << "cannot read the exported records\n";
        return kExitError;
    }
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    return kExitOk;
}

int generate(const Options& o, const std::filesystem::path& programFolder, std::ostream& err) {
    const auto script = o.values.find("--script");
    const bool modern = o.flags.count("--new") > 0;
    const auto outIt = o.values.find("--out");
    const auto nameIt = o.values.find("--name");
    if (script == o.values.end() || !o.positional.empty() || o.values.count("--csv") ||
        o.values.count("--sep") || o.flags.count("--encoded") ||
        (modern && (outIt == o.values.end() || nameIt == o.values.end())) ||
        (!modern && (outIt != o.values.end() || nameIt != o.values.end()))) {
        err << kUsage;
        return kExitUsage;
    }
    ITrellisk* object = activate(programFolder, err);
    if (object == nullptr) {
        return kExitError;
    }
    Builder b(object);
    // The old generator names its files after the script; the open only declares fields.
    const std::string file =
        modern ? outIt->second
               : (std::filesystem::path(script->second).parent_path() / stemOf(script->second))
                     .string();
    const std::string name = modern ? nameIt->second : stemOf(script->second);
    EnumErrors e =
        b->PDBopenFromScript(text(script->second).get(), text(file).get(), text(name).get());
    if (e == NO_ERROR) {
        e = modern ? b->PDBcDevelopper() : b->PDBcDevelopper2(text(script->second).get());
    }
    b->PDBclose();
    return e == NO_ERROR ? kExitOk : report(e, err);
}

int users(const Options& o, const std::filesystem::path& programFolder, std::ostream& out,
          std::ostream& err) {
    if (!o.positional.empty() || !o.values.empty() || !o.flags.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    ITrellisk* object = activate(programFolder, err);
    if (object == nullptr) {
        return kExitError;
    }
    Builder b(object);
    const std::int32_t count = b->PDBgetUserCount();
    for (std::int32_t u = 0; u < count || u == 0; ++u) {
        BstrHolder name;
        BstrHolder install;
        BstrHolder backup;
        const EnumErrors e = b->PDBgetUserInfo(static_cast<std::int16_t>(u), name.out(),
                                               install.out(), backup.out());
        if (e != NO_ERROR) {
            return report(e, err);
        }
        out << name.utf8() << '\t' << install.utf8() << '\t' << backup.utf8() << '\n';
    }
    return kExitOk;
}

} // namespace

int run(const std::vector<std::string>& arguments, const std::filesystem::path& programFolder,
        std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const auto options = parseOptions(arguments, 1);
    if (!options) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& command = arguments[0];
    if (command == "build") {
        return build(*options, programFolder, err);
    }
    if (command == "dump") {
        return dump(*options, programFolder, out, err);
    }
    if (command == "gen-c") {
        return generate(*options, programFolder, err);
    }
    if (command == "users") {
        return users(*options, programFolder, out, err);
    }
    err << kUsage;
    return kExitUsage;
}

} // namespace trellisk::cli
