// The database file as written and read: the 78-byte header, the record list (offset,
// attributes, unique ID per record), two gap bytes, the optional application-info block,
// then each record followed by one NUL. All integers big-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "builder/TBuffStream.h"
#include "builder/TRecordInfo.h"
#include "platform/Clock.h"

namespace trellisk {

inline constexpr std::size_t kPdbHeaderSize = 78;
inline constexpr std::size_t kPdbRecordEntrySize = 8;
// The record count is 16-bit and counts the system record.
inline constexpr std::size_t kPdbMaxRecords = 0xFFFF;
inline constexpr std::string_view kPdbNameFiller = "Quarlen VESTIBAR Quarlen VESTIBAR";

struct PdbIdentity {
    std::string name;    // the database name (8-bit text)
    std::string type;    // 4 bytes
    std::string creator; // 4 bytes
    std::uint32_t date = 0;
};

// The 32-byte name field: the name's file-name part, cut before its first "." (unless the
// name starts with it), trimmed, at most 31 bytes, a NUL, then the filler.
std::string pdbHeaderName(std::string_view databaseName);
// Whole days from 1 January 1904 to the local date, times 86,400, low 32 bits.
std::uint32_t pdbDate(const platform::DateTime& now);

// The file's bytes. `appInfo`, when not null, is written as the application-info block;
// `records` in order, the system record first. The record count excludes the block.
std::string writePdbFile(const PdbIdentity& identity, const std::string_view* appInfo,
                         const std::vector<std::string_view>& records);
// What comes before the records: header, record list for records of `lengths` bytes, gap
// and application-info block with its NUL.
std::string writePdbHead(const PdbIdentity& identity, const std::string_view* appInfo,
                         const std::vector<std::uint32_t>& lengths);

struct PdbRecordList {
    enum class Status { Ok, Empty, Malformed };
    Status status = Status::Malformed;
    std::vector<TRecordInfo> records;
};

// The record list of an open file, each length running to the next record's offset (the
// last one's to the end of the file) less the NUL. Malformed when the header is cut
// short, the list passes the end of the file, an offset lies beyond the file or before
// the previous one, or the file does not end with the last record's NUL (it was cut).
PdbRecordList readPdbRecordList(const TBuffStream& stream);

} // namespace trellisk
