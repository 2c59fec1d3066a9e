// The builder object behind the COM class: declares fields, collects records and writes a
// Palm OS record database, or loads one and reads its records back; lists the HotSync
// users; exchanges CSV files, builds from scripts, writes encoded databases and generates
// handheld C source. Every method answers a code and never throws.
//
// Text arguments are of two kinds: file names are UTF-8 paths; database names, creator
// IDs, types, field names and values are the 8-bit Windows-1252 text stored in databases.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "builder/EnumErrors.h"
#include "builder/RecordStore.h"
#include "builder/SystemRecord.h"
#include "builder/TBuffStream.h"
#include "builder/TLVRecord.h"
#include "builder/TRecordInfo.h"
#include "builder/UserDiscovery.h"
#include "platform/Clock.h"
#include "platform/Registry.h"

namespace trellisk {

struct TrelliskOptions {
    // The name index of PDBopen2 / PDBload2, relative to the current directory.
    std::filesystem::path indexFile = "../PennaroPalm.ind";
    // The key of each encoded record; when empty, a generator reseeded from the clock.
    std::function<std::uint8_t()> encodingKey;
};

class TTrellisk {
public:
    static constexpr std::size_t kRecordBufferSize = 30721;
    static constexpr std::size_t kMaxNameLength = 30;

    enum class Mode { Closed, Write, Read };

    // Runs user discovery at once; `registry` holds the HotSync keys and receives the
    // install flag, `clock` dates the databases. Both must outlive the object.
    TTrellisk(platform::Registry& registry, const platform::Clock& clock,
              TrelliskOptions options = {});

    // Building.
    EnumErrors PDBopen(std::string_view fileName, std::string_view creatorId,
                       std::string_view databaseType, std::string_view pdbName);
    EnumErrors PDBaddNumField(std::string_view fieldName, std::int64_t value);
    EnumErrors PDBaddStrField(std::string_view fieldName, std::string_view value);
    EnumErrors PDBaddBlobField(std::string_view fieldName, std::string_view blobFileName);
    EnumErrors PDBaddRecord();
    EnumErrors PDBbuild();
    EnumErrors PDBbuildEncoded();
    EnumErrors PDBclose();

    // Reading.
    EnumErrors PDBload(std::string_view fileName);
    EnumErrors PDBgetRecord(std::int32_t recordId);
    EnumErrors PDBgetNumField(std::string_view fieldName, std::int64_t& value);
    EnumErrors PDBgetStrField(std::string_view fieldName, std::string& value);
    EnumErrors PDBgetNumFieldWithID(std::int16_t fieldId, std::int64_t& value);
    EnumErrors PDBgetStrFieldWithID(std::int16_t fieldId, std::string& value);
    // Includes the system record.
    std::int32_t PDBgetRecordCount() const;
    // 1 or 0, or ERR_INVALID_FIELD_ID / ERR_GET_IS_..._FAILED.
    std::int32_t PDBgetIsStrFieldWithID(std::int16_t fieldId) const;
    std::int32_t PDBgetIsNumFieldWithID(std::int16_t fieldId) const;
    std::int16_t PDBgetFieldCount() const;

    // HotSync users. Out texts are UTF-8.
    std::int32_t PDBgetUserCount() const;
    EnumErrors PDBgetUserInfo(std::int16_t userId, std::string& userName, std::string& installPath,
                              std::string& backupPath) const;
    EnumErrors PDBsetInstallFlag(std::int16_t userId);
    EnumErrors PDBopen2(std::string_view fileName, std::string_view creatorId,
                        std::string_view databaseType, std::string_view pdbName);
    EnumErrors PDBload2(std::string_view fileName);

    // CSV and scripts.
    EnumErrors PDBexportToCsv(std::string_view fileName, std::string_view csvFileName,
                              std::string_view fieldSeparator);
    EnumErrors PDBbuildWithCsv(std::string_view csvFileName, std::string_view fieldSeparator);
    EnumErrors PDBopenFromScript(std::string_view scriptFileName, std::string_view fileName,
                                 std::string_view pdbName);

    // Handheld source.
    EnumErrors PDBcDevelopper();
    EnumErrors PDBcDevelopper2(std::string_view scriptFileName);

    Mode mode() const { return mode_; }
    const std::vector<DeclaredField>& fields() const { return fields_; }
    std::int32_t currentRecord() const { return currentRecord_; }
    EnumErrors discoveryStatus() const { return users_.status; }

private:
    // Before a field is added: true when the record it belongs to is in progress.
    bool startRecordFor(int fieldId);
    // A field can be read: a database is loaded and one of its records is current.
    EnumErrors fieldReadable() const;
    // The field's ID, or -1. `name` is trimmed and compared in lower case.
    int findField(std::string_view name) const;
    // Finds or declares the field for an add; an error code when it cannot be declared or
    // has the other type.
    EnumErrors fieldForAdd(std::string_view name, TFieldType type, EnumErrors declareError,
                           EnumErrors typeError, int& id);
    EnumErrors writeDatabase(bool encoded);
    // The current record's first entry for `id`: its content, or nothing.
    std::optional<std::string_view> findContent(int id) const;
    EnumErrors readNumber(int id, std::int64_t& value) const;
    EnumErrors readString(int id, std::string& value) const;
    EnumErrors loadRecordIntoBuffer(std::size_t index);
    std::uint8_t nextEncodingKey();

    platform::Registry& registry_;
    const platform::Clock& clock_;
    TrelliskOptions options_;

    std::vector<DeclaredField> fields_;
    bool hasFieldList_ = false;
    RecordStore records_;
    std::vector<TRecordInfo> recordInfos_;
    // The record under construction, when `building_`; its buffer serves every record.
    TLVRecord current_;
    bool building_ = false;
    // A record was refused for want of room in the record count: a build of the others
    // would silently lose it, so none is written until the database is closed.
    bool tooManyRecords_ = false;

    std::string fileName_;
    std::string creatorId_;
    std::string databaseType_;
    std::string pdbName_;

    Mode mode_ = Mode::Closed;
    std::int32_t currentRecord_ = -1;
    UserDiscovery users_;

    TBuffStream stream_;
    std::vector<unsigned char> recordBuffer_;
    std::size_t recordLength_ = 0;
    std::int32_t recordCount_ = 0;

    bool appInfo_ = false;
    std::string appInfoName_;
};

} // namespace trellisk
