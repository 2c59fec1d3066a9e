#include "builder/TTrellisk.h"

#include <charconv>
#include <chrono>
#include <random>
#include <system_error>

#include "builder/AnsiText.h"
#include "builder/CSourceGenerator.h"
#include "builder/CsvValue.h"
#include "builder/FernlowToolsUnit.h"
#include "builder/IniFile.h"
#include "builder/NameIndex.h"
#include "builder/PdbFile.h"
#include "builder/RecordEncoding.h"
#include "builder/TDataStream.h"
#include "platform/Cp1252.h"
#include "platform/FileIO.h"

namespace trellisk {
namespace {

constexpr std::string_view kScriptSection = "BUILDERaSSISTANT";
// No layout has more fields than a one-digit ID can number.
constexpr long long kMaxFields = TLVRecord::kMaxFieldId + 1;

std::filesystem::path pathOf(std::string_view utf8) {
    return std::filesystem::path(utf8);
}

bool isBlank(std::string_view text) {
    return AnsiText::trim(text).empty();
}

// Leading blanks, an optional sign, decimal digits and nothing after; anything else is 0.
std::int64_t parseCsvInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return 0;
    }
    return value;
}

} // namespace

TTrellisk::TTrellisk(platform::Registry& registry, const platform::Clock& clock,
                     TrelliskOptions options)
    : registry_(registry), clock_(clock), options_(std::move(options)),
      recordBuffer_(kRecordBufferSize) {
    try {
        users_ = discoverUsers(registry_);
    } catch (...) {
        users_ = UserDiscovery{};
        users_.status = WAR_NO_USERS;
    }
}

// ---- Fields -------------------------------------------------------------------------

int TTrellisk::findField(std::string_view name) const {
    name = AnsiText::trim(name);
    for (std::size_t id = 0; id < fields_.size(); ++id) {
        const std::string& stored = fields_[id].name;
        if (stored.size() != name.size()) {
            continue;
        }
        std::size_t i = 0;
        while (i < name.size() && AnsiText::toLower(name[i]) == stored[i]) {
            ++i;
        }
        if (i == name.size()) {
            return static_cast<int>(id);
        }
    }
    return -1;
}

EnumErrors TTrellisk::fieldForAdd(std::string_view name, TFieldType type, EnumErrors declareError,
                                  EnumErrors typeError, int& id) {
    id = findField(name);
    if (id < 0) {
        const std::string_view trimmed = AnsiText::trim(name);
        // A longer name or a further ID would not fit its one-digit length or ID.
        if (trimmed.size() > TLVRecord::kMaxFieldId ||
            fields_.size() > static_cast<std::size_t>(TLVRecord::kMaxFieldId)) {
            return declareError;
        }
        fields_.push_back({AnsiText::lowerCase(trimmed), type});
        id = static_cast<int>(fields_.size() - 1);
    }
    if (fields_[static_cast<std::size_t>(id)].type != type) {
        return typeError;
    }
    return NO_ERROR;
}

// ---- Building -----------------------------------------------------------------------

EnumErrors TTrellisk::PDBopen(std::string_view fileName, std::string_view creatorId,
                              std::string_view databaseType, std::string_view pdbName) {
    try {
        appInfo_ = false;
        if (mode_ != Mode::Closed) {
            return ERR_ALREADY_OPEN;
        }
        fileName_ = std::string(fileName);
        if (isBlank(fileName)) {
            return ERR_INVALID_FILENAME;
        }
        creatorId_ = std::string(AnsiText::trim(creatorId));
        if (creatorId_.size() != 4) {
            return ERR_INVALID_CREATORID;
        }
        databaseType_ = std::string(AnsiText::trim(databaseType));
        if (databaseType_.size() != 4) {
            return ERR_INVALID_DATABASETYPE;
        }
        pdbName_ = std::string(pdbName.substr(0, kMaxNameLength));
        if (isBlank(pdbName_)) {
            return ERR_INVALID_PDBNAME;
        }
        records_.clear();
        fields_.clear();
        hasFieldList_ = true;
        building_ = false;
        tooManyRecords_ = false;
        recordCount_ = 0;
        mode_ = Mode::Write;
        return NO_ERROR;
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

bool TTrellisk::startRecordFor(int fieldId) {
    // Field 0 starts a new record (the one in progress is dropped); any other field
    // needs one in progress.
    if (fieldId == 0) {
        current_.clear();
        building_ = true;
    }
    return building_;
}

EnumErrors TTrellisk::PDBaddNumField(std::string_view fieldName, std::int64_t value) {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        // The digit encoding has no sign.
        if (value < 0) {
            return ERR_ADDNUMFIELD_FAILED;
        }
        int id = -1;
        const EnumErrors declared =
            fieldForAdd(fieldName, TFieldType{TFieldType::kNumeric}, ERR_ADDNUMFIELD_FAILED,
                        ERR_STRING_FIELD_EXPECTED, id);
        if (declared != NO_ERROR) {
            return declared;
        }
        // A numeric content always fits its length.
        if (!startRecordFor(id)) {
            return ERR_ADDNUMFIELD_FAILED;
        }
        return current_.addNumeric(id, static_cast<std::uint64_t>(value)) ? NO_ERROR
                                                                          : ERR_ADDNUMFIELD_FAILED;
    } catch (...) {
        return ERR_ADDNUMFIELD_FAILED;
    }
}

EnumErrors TTrellisk::PDBaddStrField(std::string_view fieldName, std::string_view value) {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        int id = -1;
        const EnumErrors declared =
            fieldForAdd(fieldName, TFieldType{TFieldType::kString}, ERR_ADDSTRFIELD_FAILED,
                        ERR_NUMERIC_FIELD_EXPECTED, id);
        if (declared != NO_ERROR) {
            return declared;
        }
        // A value too long for its length is refused before the record in progress is
        // dropped, so a refused add leaves it as it was.
        if (!TLVRecord::contentFits(value.size() + 1)) {
            return ERR_ADDSTRFIELD_FAILED;
        }
        if (!startRecordFor(id)) {
            return ERR_ADDSTRFIELD_FAILED;
        }
        return current_.addString(id, value) ? NO_ERROR : ERR_ADDSTRFIELD_FAILED;
    } catch (...) {
        return ERR_ADDSTRFIELD_FAILED;
    }
}

EnumErrors TTrellisk::PDBaddBlobField(std::string_view fieldName, std::string_view blobFileName) {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        int id = -1;
        const EnumErrors declared =
            fieldForAdd(fieldName, TFieldType{TFieldType::kString}, ERR_ADDSTRFIELD_FAILED,
                        ERR_NUMERIC_FIELD_EXPECTED, id);
        if (declared != NO_ERROR) {
            return declared;
        }
        std::error_code ec;
        if (!std::filesystem::is_regular_file(pathOf(blobFileName), ec)) {
            return ERR_ADDSTRFIELD_FAILED;
        }
        const auto bytes = platform::readFile(pathOf(blobFileName));
        if (!bytes || bytes->size() > TLVRecord::kMaxContent) {
            return ERR_ADDSTRFIELD_FAILED;
        }
        // A blob joins the record in progress; it starts one only when there is none.
        if (!building_) {
            current_.clear();
            building_ = true;
        }
        return current_.addBlob(id, *bytes) ? NO_ERROR : ERR_ADDSTRFIELD_FAILED;
    } catch (...) {
        return ERR_ADDSTRFIELD_FAILED;
    }
}

EnumErrors TTrellisk::PDBaddRecord() {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        if (!building_) {
            return ERR_RECORD_EMPTY;
        }
        // The system record takes one place of the count.
        if (records_.size() + 1 >= kPdbMaxRecords) {
            tooManyRecords_ = true;
            return ERR_TOO_MANY_RECORDS;
        }
        if (!records_.append(current_.bytes())) {
            return ERR_RECORD_EMPTY;
        }
        building_ = false;
        return NO_ERROR;
    } catch (...) {
        return ERR_RECORD_EMPTY;
    }
}

std::uint8_t TTrellisk::nextEncodingKey() {
    if (options_.encodingKey) {
        return options_.encodingKey();
    }
    // Reseeded from the clock for every record: records encoded within one tick of the
    // clock may share a key, which the format allows.
    const auto seed = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::mt19937 generator(static_cast<std::mt19937::result_type>(seed ^ (seed >> 32)));
    return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 255)(generator));
}

EnumErrors TTrellisk::writeDatabase(bool encoded) {
    // The list is only emptied once the file is written, so a failed build can be retried
    // and writes the same records, without a second system record at their head.
    const std::string systemRecord = writeSystemRecord(fields_);
    PdbIdentity identity;
    identity.name = pdbName_;
    identity.type = databaseType_;
    identity.creator = creatorId_;
    identity.date = pdbDate(clock_.now());
    const std::string path = AnsiText::changeFileExt(fileName_, encoded ? ".encoded.pdb" : ".pdb");
    const std::size_t count = records_.size() + 1;
    if (tooManyRecords_ || count > kPdbMaxRecords) {
        return ERR_TOO_MANY_RECORDS;
    }
    // Offsets are 32-bit: a larger file could not say where its records are.
    const std::uint64_t total = kPdbHeaderSize + (kPdbRecordEntrySize + 2) * count + 2 +
                                appInfoName_.size() + 2 + systemRecord.size() +
                                records_.bytes().size();
    if (total > UINT32_MAX) {
        return ERR_BUILD_FAILED;
    }
    bool written = false;
    if (encoded) {
        std::vector<std::string> items;
        items.reserve(count);
        std::string appInfo;
        if (appInfo_) {
            appInfo = encodeRecord(appInfoName_, nextEncodingKey());
        }
        items.push_back(encodeRecord(systemRecord, nextEncodingKey()));
        for (std::size_t i = 0; i < records_.size(); ++i) {
            items.push_back(encodeRecord(records_.record(i), nextEncodingKey()));
        }
        const std::vector<std::string_view> views(items.begin(), items.end());
        const std::string_view appInfoView(appInfo);
        written = platform::writeFileAtomically(
            pathOf(path), writePdbFile(identity, appInfo_ ? &appInfoView : nullptr, views));
    } else {
        // The records are already laid out as the file's tail; only the head is made here.
        std::vector<std::uint32_t> lengths;
        lengths.reserve(count);
        lengths.push_back(static_cast<std::uint32_t>(systemRecord.size()));
        lengths.insert(lengths.end(), records_.lengths().begin(), records_.lengths().end());
        const std::string_view appInfoView(appInfoName_);
        std::string head = writePdbHead(identity, appInfo_ ? &appInfoView : nullptr, lengths);
        head += systemRecord;
        head.push_back('\0');
        written = records_.writeFile(pathOf(path), head);
    }
    if (!written) {
        return ERR_BUILD_FAILED;
    }
    recordCount_ = static_cast<std::int32_t>(count);
    records_.clear();
    return NO_ERROR;
}

EnumErrors TTrellisk::PDBbuild() {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        return writeDatabase(false);
    } catch (...) {
        return ERR_BUILD_FAILED;
    }
}

EnumErrors TTrellisk::PDBbuildEncoded() {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        return writeDatabase(true);
    } catch (...) {
        return ERR_BUILD_FAILED;
    }
}

EnumErrors TTrellisk::PDBclose() {
    if (mode_ == Mode::Closed) {
        return ERR_ALREADY_CLOSE;
    }
    try {
        // A record left unfinished belongs to this database, not to the next one.
        records_.clear();
        recordInfos_.clear();
        recordInfos_.shrink_to_fit();
        building_ = false;
        tooManyRecords_ = false;
        fields_.clear();
        hasFieldList_ = false;
        stream_.close();
    } catch (...) {
        // Nothing left to release matters once the object is closed.
    }
    mode_ = Mode::Closed;
    currentRecord_ = -1;
    recordLength_ = 0;
    return NO_ERROR;
}

// ---- Reading ------------------------------------------------------------------------

EnumErrors TTrellisk::loadRecordIntoBuffer(std::size_t index) {
    const TRecordInfo& info = recordInfos_[index];
    if (info.length > kRecordBufferSize ||
        !stream_.read(info.offset, info.length, recordBuffer_.data())) {
        return ERR_RECORD_NOT_FOUND;
    }
    recordLength_ = info.length;
    currentRecord_ = static_cast<std::int32_t>(index);
    return NO_ERROR;
}

EnumErrors TTrellisk::PDBload(std::string_view fileName) {
    try {
        if (mode_ != Mode::Closed) {
            return ERR_ALREADY_OPEN;
        }
        std::error_code ec;
        if (isBlank(fileName) || !std::filesystem::exists(pathOf(fileName), ec)) {
            return ERR_INVALID_FILENAME;
        }
        if (!stream_.open(pathOf(fileName))) {
            return ERR_INVALID_FILENAME;
        }
        PdbRecordList list = readPdbRecordList(stream_);
        if (list.status != PdbRecordList::Status::Ok) {
            stream_.close();
            return list.status == PdbRecordList::Status::Empty ? ERR_EMPTY_DATABASE
                                                               : ERR_INVALID_FILENAME;
        }
        recordInfos_ = std::move(list.records);
        std::optional<std::vector<DeclaredField>> fields;
        if (loadRecordIntoBuffer(0) == NO_ERROR) {
            fields = readSystemRecord(std::string_view(
                reinterpret_cast<const char*>(recordBuffer_.data()), recordLength_));
        }
        if (!fields) {
            recordInfos_.clear();
            stream_.close();
            currentRecord_ = -1;
            return ERR_INVALID_FILENAME;
        }
        // A file cut inside its last record must not read as a record of empty fields.
        if (recordInfos_.size() > 1 &&
            (loadRecordIntoBuffer(recordInfos_.size() - 1) != NO_ERROR ||
             !TLVRecord::isWhole(std::string_view(
                 reinterpret_cast<const char*>(recordBuffer_.data()), recordLength_)))) {
            recordInfos_.clear();
            stream_.close();
            currentRecord_ = -1;
            return ERR_INVALID_FILENAME;
        }
        loadRecordIntoBuffer(0); // as before the look at the last record
        fields_ = std::move(*fields);
        hasFieldList_ = true;
        building_ = false;
        records_.clear();
        recordCount_ = static_cast<std::int32_t>(recordInfos_.size());
        mode_ = Mode::Read;
        return NO_ERROR;
    } catch (...) {
        recordInfos_.clear();
        stream_.close();
        currentRecord_ = -1;
        return ERR_INVALID_FILENAME;
    }
}

EnumErrors TTrellisk::PDBgetRecord(std::int32_t recordId) {
    try {
        if (mode_ != Mode::Read) {
            return ERR_READ_MODE_REQUIRED;
        }
        if (recordId < 1 || recordId >= recordCount_) {
            return ERR_RECORD_NOT_FOUND;
        }
        return loadRecordIntoBuffer(static_cast<std::size_t>(recordId));
    } catch (...) {
        return ERR_RECORD_NOT_FOUND;
    }
}

std::optional<std::string_view> TTrellisk::findContent(int id) const {
    const std::string_view record(reinterpret_cast<const char*>(recordBuffer_.data()),
                                  recordLength_);
    std::size_t pos = 0;
    while (pos < record.size()) {
        const auto entry = TLVRecord::readEntry(record, pos);
        if (!entry) {
            return std::nullopt; // a malformed entry ends the walk
        }
        if (entry->fieldId == id) {
            return entry->content;
        }
    }
    return std::nullopt;
}

EnumErrors TTrellisk::readNumber(int id, std::int64_t& value) const {
    if (fields_[static_cast<std::size_t>(id)].type.isString()) {
        return ERR_NUMERIC_FIELD_EXPECTED;
    }
    const auto content = findContent(id);
    if (!content) {
        return ERR_GETNUMFIELD_FAILED;
    }
    const auto decoded = FernlowToolsUnit::decodeDigits(
        reinterpret_cast<const unsigned char*>(content->data()), content->size());
    if (!decoded) {
        return ERR_GETNUMFIELD_FAILED;
    }
    value = *decoded;
    return NO_ERROR;
}

EnumErrors TTrellisk::readString(int id, std::string& value) const {
    if (fields_[static_cast<std::size_t>(id)].type.isNumeric()) {
        return ERR_STRING_FIELD_EXPECTED;
    }
    const auto content = findContent(id);
    if (!content) {
        return ERR_GETSTRFIELD_FAILED;
    }
    const std::size_t nul = content->find('\0');
    value.assign(content->substr(0, nul));
    return NO_ERROR;
}

EnumErrors TTrellisk::fieldReadable() const {
    if (mode_ != Mode::Read) {
        return ERR_READ_MODE_REQUIRED;
    }
    return currentRecord_ < 1 ? ERR_INVALID_RECORD_ID : NO_ERROR;
}

EnumErrors TTrellisk::PDBgetNumField(std::string_view fieldName, std::int64_t& value) {
    try {
        if (const EnumErrors e = fieldReadable(); e != NO_ERROR) {
            return e;
        }
        const int id = findField(fieldName);
        return id < 0 ? ERR_GETNUMFIELD_FAILED : readNumber(id, value);
    } catch (...) {
        return ERR_GETNUMFIELD_FAILED;
    }
}

EnumErrors TTrellisk::PDBgetStrField(std::string_view fieldName, std::string& value) {
    try {
        if (const EnumErrors e = fieldReadable(); e != NO_ERROR) {
            return e;
        }
        const int id = findField(fieldName);
        return id < 0 ? ERR_GETSTRFIELD_FAILED : readString(id, value);
    } catch (...) {
        return ERR_GETSTRFIELD_FAILED;
    }
}

EnumErrors TTrellisk::PDBgetNumFieldWithID(std::int16_t fieldId, std::int64_t& value) {
    try {
        if (const EnumErrors e = fieldReadable(); e != NO_ERROR) {
            return e;
        }
        if (fieldId < 0 || static_cast<std::size_t>(fieldId) >= fields_.size()) {
            return ERR_GETNUMFIELD_FAILED;
        }
        return readNumber(fieldId, value);
    } catch (...) {
        return ERR_GETNUMFIELD_FAILED;
    }
}

EnumErrors TTrellisk::PDBgetStrFieldWithID(std::int16_t fieldId, std::string& value) {
    try {
        if (const EnumErrors e = fieldReadable(); e != NO_ERROR) {
            return e;
        }
        if (fieldId < 0 || static_cast<std::size_t>(fieldId) >= fields_.size()) {
            return ERR_GETSTRFIELD_FAILED;
        }
        return readString(fieldId, value);
    } catch (...) {
        return ERR_GETSTRFIELD_FAILED;
    }
}

std::int32_t TTrellisk::PDBgetRecordCount() const {
    return recordCount_;
}

std::int32_t TTrellisk::PDBgetIsStrFieldWithID(std::int16_t fieldId) const {
    if (!hasFieldList_) {
        return ERR_GET_IS_STR_FIELD_WITH_ID_FAILED;
    }
    if (fieldId < 0 || static_cast<std::size_t>(fieldId) >= fields_.size()) {
        return ERR_INVALID_FIELD_ID;
    }
    return fields_[static_cast<std::size_t>(fieldId)].type.isString() ? 1 : 0;
}

std::int32_t TTrellisk::PDBgetIsNumFieldWithID(std::int16_t fieldId) const {
    if (!hasFieldList_) {
        return ERR_GET_IS_NUM_FIELD_WITH_ID_FAILED;
    }
    if (fieldId < 0 || static_cast<std::size_t>(fieldId) >= fields_.size()) {
        return ERR_INVALID_FIELD_ID;
    }
    return fields_[static_cast<std::size_t>(fieldId)].type.isNumeric() ? 1 : 0;
}

std::int16_t TTrellisk::PDBgetFieldCount() const {
    return hasFieldList_ ? static_cast<std::int16_t>(fields_.size()) : 0;
}

// ---- HotSync users ------------------------------------------------------------------

std::int32_t TTrellisk::PDBgetUserCount() const {
    return static_cast<std::int32_t>(users_.users.size());
}

EnumErrors TTrellisk::PDBgetUserInfo(std::int16_t userId, std::string& userName,
                                     std::string& installPath, std::string& backupPath) const {
    userName.clear();
    installPath.clear();
    backupPath.clear();
    try {
        if (users_.status != NO_ERROR) {
            return users_.status;
        }
        if (userId < 0 || static_cast<std::size_t>(userId) >= users_.users.size()) {
            return ERR_INVALID_USER_ID;
        }
        const TUser& user = users_.users[static_cast<std::size_t>(userId)];
        const std::string folder =
            users_.desktopPath + "/" + platform::cp1252ToUtf8(user.folderName);
        userName = platform::cp1252ToUtf8(user.userName);
        installPath = folder + "/Install";
        backupPath = folder + "/Backup";
        return NO_ERROR;
    } catch (...) {
        return ERR_INVALID_USER_ID;
    }
}

EnumErrors TTrellisk::PDBsetInstallFlag(std::int16_t userId) {
    try {
        if (users_.status != NO_ERROR) {
            return users_.status;
        }
        if (userId < 0 || static_cast<std::size_t>(userId) >= users_.users.size()) {
            return ERR_INVALID_USER_ID;
        }
        for (std::string_view key : kHotSyncKeys) {
            if (registry_.keyExists(platform::Hive::CurrentUser, key)) {
                const std::string name =
                    "Install" + users_.users[static_cast<std::size_t>(userId)].userId;
                return registry_.writeDword(platform::Hive::CurrentUser, key, name, 1)
                           ? NO_ERROR
                           : ERR_BUILD_FAILED;
            }
        }
        // Without the HotSync Manager's key there is nothing that would read the flag.
        return WAR_PALM_DESKTOP_NOT_INSTALLED;
    } catch (...) {
        return ERR_INVALID_USER_ID;
    }
}

EnumErrors TTrellisk::PDBopen2(std::string_view fileName, std::string_view creatorId,
                               std::string_view databaseType, std::string_view pdbName) {
    try {
        // The export names the account as typed: only its own line may give its name.
        const auto mapped =
            mapDatabaseName(options_.indexFile, platform::cp1252ToUtf8(pdbName), NameUse::Export);
        if (!mapped) {
            // Without a name of its own the database would overwrite another account's
            // on the handheld.
            appInfo_ = false;
            return ERR_INVALID_PDBNAME;
        }
        const EnumErrors result =
            PDBopen(fileName, creatorId, databaseType, platform::utf8ToCp1252(*mapped));
        appInfoName_ = std::string(pdbName);
        appInfo_ = true;
        return result;
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

EnumErrors TTrellisk::PDBload2(std::string_view fileName) {
    try {
        const auto mapped = mapDatabaseName(options_.indexFile, fileName, NameUse::Backup);
        // A name the index cannot give has no database, or would be another account's.
        return mapped ? PDBload(*mapped) : ERR_INVALID_FILENAME;
    } catch (...) {
        return ERR_INVALID_FILENAME;
    }
}

// ---- CSV and scripts ----------------------------------------------------------------

EnumErrors TTrellisk::PDBexportToCsv(std::string_view fileName, std::string_view csvFileName,
                                     std::string_view fieldSeparator) {
    const EnumErrors loaded = PDBload(fileName);
    if (loaded != NO_ERROR) {
        return loaded;
    }
    bool written = false;
    try {
        const char separatorChar = fieldSeparator.empty() ? ';' : fieldSeparator.front();
        std::string separator(1, separatorChar);
        separator.push_back(' ');
        std::string out;
        std::string text;
        const auto fieldCount = static_cast<std::int16_t>(fields_.size());
        for (std::int32_t r = 1; r < PDBgetRecordCount(); ++r) {
            // A record that cannot be read is written with empty values rather than with
            // those of the record before it.
            const bool readable = PDBgetRecord(r) == NO_ERROR;
            for (std::int16_t i = 0; i < fieldCount; ++i) {
                if (i > 0) {
                    out += separator;
                }
                if (!readable) {
                    continue;
                }
                if (PDBgetIsStrFieldWithID(i) == 1) {
                    if (PDBgetStrFieldWithID(i, text) == NO_ERROR) {
                        out += csvValue(text, separatorChar);
                    }
                } else {
                    std::int64_t value = 0;
                    if (PDBgetNumFieldWithID(i, value) == NO_ERROR) {
                        out += std::to_string(value);
                    }
                }
            }
            out += "\r\n";
        }
        // The records may be an account's: the user's alone, like every database.
        written = platform::writeFileAtomically(
            pathOf(AnsiText::changeFileExt(csvFileName, ".csv")), out);
    } catch (...) {
        written = false;
    }
    PDBclose();
    return written ? NO_ERROR : ERR_INVALID_FILENAME;
}

EnumErrors TTrellisk::PDBbuildWithCsv(std::string_view csvFileName,
                                      std::string_view fieldSeparator) {
    if (mode_ != Mode::Write) {
        return ERR_WRITE_MODE_REQUIRED;
    }
    bool lineTooLong = false;
    bool stoppedEarly = false;
    try {
        const char separator = fieldSeparator.empty() ? ';' : fieldSeparator.front();
        TDataStream in;
        if (in.open(pathOf(csvFileName))) {
            EnumErrors error = NO_ERROR;
            std::string line;
            while (!in.failed() && error == NO_ERROR) {
                const std::size_t lineStart = in.position();
                unsigned char after = in.readLine();
                line.assign(in.line());
                // A quoted value's line break belongs to it: the line goes on.
                while (!in.failed() && endsInsideQuotes(line, separator)) {
                    line.push_back('\r');
                    line.push_back(static_cast<char>(after));
                    after = in.readLine();
                    line.append(in.line());
                    if (line.size() >= kRecordBufferSize) {
                        lineTooLong = true;
                        break;
                    }
                }
                if (in.failed() || lineTooLong) {
                    lineTooLong = lineTooLong || in.lineTooLong();
                    // A last line without its CR LF is not imported, which loses it.
                    stoppedEarly = in.hasTextFrom(lineStart);
                    break;
                }
                std::size_t position = 0;
                std::size_t n = 0;
                while (position < line.size() && error == NO_ERROR) {
                    const CsvToken value = readCsvValue(line, position, separator);
                    // A value beyond the declared fields has no field to go to.
                    if (n >= fields_.size()) {
                        error = ERR_INVALID_FIELD_ID;
                        break;
                    }
                    const std::string name = fields_[n].name;
                    if (PDBgetIsNumFieldWithID(static_cast<std::int16_t>(n)) == 1) {
                        error = PDBaddNumField(name, parseCsvInteger(value.text));
                    } else {
                        error = PDBaddStrField(name, value.text);
                    }
                    ++n;
                    if (value.lastOfLine) {
                        break;
                    }
                    position = value.next;
                }
                if (error == NO_ERROR) {
                    error = PDBaddRecord();
                }
                // An error ends the import; it loses something unless only line ends
                // were left (an empty line at the end of the file).
                if (error != NO_ERROR) {
                    stoppedEarly = in.hasTextFrom(lineStart);
                }
            }
            in.close();
        }
    } catch (...) {
        return ERR_BUILD_FAILED;
    }
    // A line that does not fit the line buffer is refused whole rather than cut: nothing
    // is written, and the records read so far stay for the client to build or discard.
    if (lineTooLong) {
        return ERR_BUILD_FAILED;
    }
    // The records before the line that stopped the import are built; the answer says
    // that the database does not hold the whole file.
    const EnumErrors built = PDBbuild();
    return built == NO_ERROR && stoppedEarly ? ERR_BUILD_FAILED : built;
}

EnumErrors TTrellisk::PDBopenFromScript(std::string_view scriptFileName, std::string_view fileName,
                                        std::string_view pdbName) {
    try {
        IniFile script;
        if (script.load(pathOf(scriptFileName)) == IniFile::LoadResult::Unreadable) {
            return ERR_SCRIPT_NOT_FOUND;
        }
        const EnumErrors opened =
            PDBopen(fileName, script.readString(kScriptSection, "CreatorID", ""),
                    script.readString(kScriptSection, "DataBase Type", ""), pdbName);
        if (opened != NO_ERROR) {
            return opened;
        }
        const long long count = script.readInteger(kScriptSection, "Count", 0);
        if (count < 1) {
            return ERR_SCRIPT_HAS_NO_FIELDS;
        }
        EnumErrors error = NO_ERROR;
        for (long long i = 0; i < count && error == NO_ERROR; ++i) {
            const std::string index = std::to_string(i);
            const bool numeric = script.readBool(kScriptSection, "IsNumeric" + index, false);
            // A field past the last possible ID cannot be declared; stopping here also
            // keeps an absurd count from running for ever.
            if (i >= kMaxFields) {
                error = numeric ? ERR_ADDNUMFIELD_FAILED : ERR_ADDSTRFIELD_FAILED;
                break;
            }
            const std::string name = script.readString(kScriptSection, "Field" + index, "");
            error = numeric ? PDBaddNumField(name, 0) : PDBaddStrField(name, "");
        }
        return error;
    } catch (...) {
        return ERR_SCRIPT_NOT_FOUND;
    }
}

// ---- Handheld source ----------------------------------------------------------------

EnumErrors TTrellisk::PDBcDevelopper() {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        const std::string cFile = AnsiText::changeFileExt(fileName_, ".c");
        const std::string hFile = AnsiText::changeFileExt(fileName_, ".h");
        CSourceInput input;
        input.prefix = pdbName_;
        input.creator = creatorId_;
        input.type = databaseType_;
        input.fields = fields_;
        input.headerFileName = std::string(AnsiText::fileNamePart(hFile));
        const CSource source = generateNewSource(input);
        if (!platform::writeFileAtomically(pathOf(cFile), source.c, platform::FileAccess::Shared) ||
            !platform::writeFileAtomically(pathOf(hFile), source.h, platform::FileAccess::Shared)) {
            return ERR_C_DEVELOPPER_FAILED;
        }
        return NO_ERROR;
    } catch (...) {
        return ERR_C_DEVELOPPER_FAILED;
    }
}

EnumErrors TTrellisk::PDBcDevelopper2(std::string_view scriptFileName) {
    try {
        if (mode_ != Mode::Write) {
            return ERR_WRITE_MODE_REQUIRED;
        }
        const std::string_view scriptName = AnsiText::fileNamePart(scriptFileName);
        const std::string cFile = AnsiText::changeFileExt(scriptFileName, ".c");
        const std::string hFile = AnsiText::changeFileExt(scriptFileName, ".h");
        CSourceInput input;
        // Names in the source are 8-bit text; the include names the file as it is on disk.
        const std::string name = platform::utf8ToCp1252(scriptName);
        input.prefix = name.substr(0, name.size() >= 4 ? name.size() - 4 : 0);
        input.creator = creatorId_;
        input.type = databaseType_;
        input.fields = fields_;
        input.headerFileName = std::string(AnsiText::fileNamePart(hFile));
        const CSource source = generateOldSource(input);
        if (!platform::writeFileAtomically(pathOf(cFile), source.c, platform::FileAccess::Shared) ||
            !platform::writeFileAtomically(pathOf(hFile), source.h, platform::FileAccess::Shared)) {
            return ERR_C_DEVELOPPER_FAILED;
        }
        return NO_ERROR;
    } catch (...) {
        return ERR_C_DEVELOPPER_FAILED;
    }
}

} // namespace trellisk
