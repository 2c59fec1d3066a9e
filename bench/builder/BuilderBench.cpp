// Building a database of 100,000 records of 11 string fields, and loading it and reading
// every field back: through the builder object, and through the COM interface as a client
// sees it. Files go to a scratch folder under $TMPDIR.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <vector>

#include "builder/ITrellisk.h"
#include "builder/TTrellisk.h"

namespace {

namespace fs = std::filesystem;
namespace com = platform::com;
using namespace trellisk;

constexpr int kRecords = 100000;
constexpr int kFields = 11;

const fs::path& scratch() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "trellisk-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(scratch(), ec);
        });
        return fs::path(pattern);
    }();
    return folder;
}

// Field names and the values of a record, as an account export would have them.
const std::vector<std::string>& fieldNames() {
    static const std::vector<std::string> names = {"date",   "numero", "rubrique", "notes",
                                                   "mode",   "debit",  "credit",   "solde",
                                                   "pointe", "compte", "devise"};
    return names;
}

std::string value(int record, int field) {
    static const char* kWords[] = {"Courses", "Loyer", "Salaire", "Téléphone", "Restaurant"};
    switch (field) {
    case 0:
        return std::to_string(record % 28 + 1) + "/03/2024";
    case 3:
        return std::string(kWords[record % 5]) + " " + std::to_string(record);
    default:
        return std::to_string((record * 7919 + field * 104729) % 100000) + "." +
               std::to_string(record % 100);
    }
}

const std::vector<std::vector<std::string>>& rows() {
    static const std::vector<std::vector<std::string>> all = [] {
        std::vector<std::vector<std::string>> r(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            for (int f = 0; f < kFields; ++f) {
                r[static_cast<std::size_t>(i)].push_back(value(i, f));
            }
        }
        return r;
    }();
    return all;
}

struct World {
    platform::Registry registry{scratch() / "registry"};
    platform::FixedClock clock{platform::DateTime{2024, 3, 15, 0, 0, 0}};
};

void build(TTrellisk& t, const std::string& file) {
    if (t.PDBopen(file, "LDGR", "DATA", "Bench") != NO_ERROR) {
        std::abort();
    }
    for (const auto& row : rows()) {
        for (int f = 0; f < kFields; ++f) {
            t.PDBaddStrField(fieldNames()[static_cast<std::size_t>(f)],
                             row[static_cast<std::size_t>(f)]);
        }
        t.PDBaddRecord();
    }
    if (t.PDBbuild() != NO_ERROR || t.PDBclose() != NO_ERROR) {
        std::abort();
    }
}

void BM_Build100kRecordsOf11Strings(benchmark::State& state) {
    World w;
    rows();
    const std::string file = (scratch() / "build").string();
    for (auto _ : state) {
        TTrellisk t(w.registry, w.clock);
        build(t, file);
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(file + ".pdb"));
}
BENCHMARK(BM_Build100kRecordsOf11Strings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadAndRead100kRecordsOf11Strings(benchmark::State& state) {
    World w;
    const std::string file = (scratch() / "read").string();
    {
        TTrellisk t(w.registry, w.clock);
        build(t, file);
    }
    std::size_t total = 0;
    for (auto _ : state) {
        TTrellisk t(w.registry, w.clock);
        if (t.PDBload(file + ".pdb") != NO_ERROR) {
            std::abort();
        }
        std::string text;
        for (std::int32_t r = 1; r < t.PDBgetRecordCount(); ++r) {
            t.PDBgetRecord(r);
            for (std::int16_t f = 0; f < kFields; ++f) {
                t.PDBgetStrFieldWithID(f, text);
                total += text.size();
            }
        }
        t.PDBclose();
    }
    benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_LoadAndRead100kRecordsOf11Strings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadAndReadByName100kRecordsOf11Strings(benchmark::State& state) {
    World w;
    const std::string file = (scratch() / "read-by-name").string();
    {
        TTrellisk t(w.registry, w.clock);
        build(t, file);
    }
    std::size_t total = 0;
    for (auto _ : state) {
        TTrellisk t(w.registry, w.clock);
        t.PDBload(file + ".pdb");
        std::string text;
        for (std::int32_t r = 1; r < t.PDBgetRecordCount(); ++r) {
            t.PDBgetRecord(r);
            for (const std::string& name : fieldNames()) {
                t.PDBgetStrField(name, text);
                total += text.size();
            }
        }
        t.PDBclose();
    }
    benchmark::DoNotOptimize(total);
}
BENCHMARK(BM_LoadAndReadByName100kRecordsOf11Strings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---- Through COM, as the main program does it -----------------------------------------

ITrellisk* activate() {
    static const bool registered = [] {
        ::setenv("LEDGORA_HOME", scratch().c_str(), 1);
        std::string reason;
        auto registerServer = reinterpret_cast<com::DllRegisterServerFunction>(com::serverExport(
            com::loadServerLibrary(TRELLISK_LIBRARY, reason), "DllRegisterServer"));
        return registerServer != nullptr && registerServer() == com::S_OK;
    }();
    ITrellisk* t = nullptr;
    if (!registered ||
        com::CoCreateInstance(CLSID_Trellisk, nullptr, com::CLSCTX_INPROC_SERVER, IID_ITrellisk,
                              reinterpret_cast<void**>(&t)) != com::S_OK) {
        std::abort();
    }
    return t;
}

void BM_ComBuild100kRecordsOf11Strings(benchmark::State& state) {
    ITrellisk* t = activate();
    // The client's strings, converted once, as a caller holding BSTRs would.
    std::deque<com::BstrHolder> names;
    for (const std::string& n : fieldNames()) {
        names.emplace_back(n);
    }
    std::vector<std::vector<BSTR>> values(kRecords);
    for (int i = 0; i < kRecords; ++i) {
        for (int f = 0; f < kFields; ++f) {
            values[static_cast<std::size_t>(i)].push_back(com::bstrFromUtf8(
                rows()[static_cast<std::size_t>(i)][static_cast<std::size_t>(f)]));
        }
    }
    const com::BstrHolder file((scratch() / "com-build").string()), creator("LDGR"), type("DATA"),
        name("Bench");
    for (auto _ : state) {
        t->PDBopen(file.get(), creator.get(), type.get(), name.get());
        for (const auto& row : values) {
            for (int f = 0; f < kFields; ++f) {
                t->PDBaddStrField(names[static_cast<std::size_t>(f)].get(),
                                  row[static_cast<std::size_t>(f)]);
            }
            t->PDBaddRecord();
        }
        if (t->PDBbuild() != NO_ERROR || t->PDBclose() != NO_ERROR) {
            std::abort();
        }
    }
    for (auto& row : values) {
        for (BSTR b : row) {
            com::SysFreeString(b);
        }
    }
    t->Release();
}
BENCHMARK(BM_ComBuild100kRecordsOf11Strings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ComLoadAndRead100kRecordsOf11Strings(benchmark::State& state) {
    ITrellisk* t = activate();
    {
        World w;
        TTrellisk core(w.registry, w.clock);
        build(core, (scratch() / "com-read").string());
    }
    const com::BstrHolder file((scratch() / "com-read.pdb").string());
    std::size_t total = 0;
    for (auto _ : state) {
        t->PDBload(file.get());
        BSTR text = nullptr;
        for (std::int32_t r = 1; r < t->PDBgetRecordCount(); ++r) {
            t->PDBgetRecord(r);
            for (std::int16_t f = 0; f < kFields; ++f) {
                t->PDBgetStrFieldWithID(f, &text);
                total += std::char_traits<char>::length(ansiText(text));
            }
        }
        t->PDBclose();
    }
    benchmark::DoNotOptimize(total);
    t->Release();
}
BENCHMARK(BM_ComLoadAndRead100kRecordsOf11Strings)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
