#include "builder/PdbFile.h"

#include <chrono>

#include "builder/AnsiText.h"
#include "builder/FernlowToolsUnit.h"

namespace trellisk {

using FernlowToolsUnit::appendBigEndian;

std::string pdbHeaderName(std::string_view databaseName) {
    std::string_view name = AnsiText::fileNamePart(databaseName);
    const std::size_t dot = name.find('.');
    if (dot != std::string_view::npos && dot != 0) {
        name = name.substr(0, dot);
    }
    name = AnsiText::trim(name);
    if (name.size() > 31) {
        name = name.substr(0, 31);
    }
    std::string out(name);
    out.push_back('\0');
    out.append(kPdbNameFiller);
    out.resize(32);
    return out;
}

std::uint32_t pdbDate(const platform::DateTime& now) {
    using namespace std::chrono;
    const year_month_day date{year{now.year}, month{static_cast<unsigned>(now.month)},
                              day{static_cast<unsigned>(now.day)}};
    const year_month_day epoch{year{1904}, January, day{1}};
    const long long days = (sys_days(date) - sys_days(epoch)).count();
    return static_cast<std::uint32_t>(static_cast<unsigned long long>(days * 86400LL));
}

std::string writePdbHead(const PdbIdentity& identity, const std::string_view* appInfo,
                         const std::vector<std::uint32_t>& lengths) {
    const std::size_t count = lengths.size();
    std::string out;
    out.reserve(kPdbHeaderSize + kPdbRecordEntrySize * count + 3 +
                (appInfo != nullptr ? appInfo->size() : 0));
    out.append(pdbHeaderName(identity.name));
    appendBigEndian(out, 0x8000, 2); // attributes
    appendBigEndian(out, 0, 2);      // version
    for (int i = 0; i < 3; ++i) {    // creation, modification, last backup
        appendBigEndian(out, identity.date, 4);
    }
    appendBigEndian(out, 7, 4); // modification number
    const std::size_t listEnd = kPdbHeaderSize + kPdbRecordEntrySize * count;
    appendBigEndian(out, appInfo != nullptr ? listEnd + 2 : 0, 4);
    appendBigEndian(out, 0, 4); // sort info
    std::string type = identity.type;
    std::string creator = identity.creator;
    type.resize(4, ' ');
    creator.resize(4, ' ');
    out.append(type);
    out.append(creator);
    appendBigEndian(out, 0, 4); // unique ID seed
    appendBigEndian(out, 0, 4); // next record list
    appendBigEndian(out, count, 2);

    std::size_t offset = listEnd + 2;
    if (appInfo != nullptr) {
        offset += appInfo->size() + 1;
    }
    for (std::size_t i = 0; i < count; ++i) {
        appendBigEndian(out, offset, 4);
        out.push_back(static_cast<char>(0x40));
        appendBigEndian(out, i, 3);
        offset += lengths[i] + 1;
    }
    out.append(2, '\0');
    if (appInfo != nullptr) {
        out.append(*appInfo);
        out.push_back('\0');
    }
    return out;
}

std::string writePdbFile(const PdbIdentity& identity, const std::string_view* appInfo,
                         const std::vector<std::string_view>& records) {
    std::vector<std::uint32_t> lengths;
    std::size_t total = 0;
    for (std::string_view r : records) {
        lengths.push_back(static_cast<std::uint32_t>(r.size()));
        total += r.size() + 1;
    }
    std::string out = writePdbHead(identity, appInfo, lengths);
    out.reserve(out.size() + total);
    for (std::string_view r : records) {
        out.append(r);
        out.push_back('\0');
    }
    return out;
}

PdbRecordList readPdbRecordList(const TBuffStream& stream) {
    PdbRecordList list;
    unsigned char buffer[4];
    const auto count = stream.readInteger(76, 2, buffer);
    if (!count) {
        return list;
    }
    if (*count == 0) {
        list.status = PdbRecordList::Status::Empty;
        return list;
    }
    const std::uint64_t size = stream.size();
    std::vector<std::uint32_t> offsets;
    offsets.reserve(*count);
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto offset = stream.readInteger(kPdbHeaderSize + kPdbRecordEntrySize * i, 4, buffer);
        // Each record occupies at least its NUL, so every offset lies inside the file and
        // no record starts before the end of the previous one.
        if (!offset || *offset >= size || (!offsets.empty() && *offset <= offsets.back())) {
            return list;
        }
        offsets.push_back(*offset);
    }
    // Every record ends with a NUL, the last one included: a file whose last byte is not
    // one was cut inside its last record, which must not read as a record of empty fields.
    if (!stream.readInteger(size - 1, 1, buffer) || buffer[0] != 0) {
        return list;
    }
    list.records.reserve(*count);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::uint64_t end = i + 1 < offsets.size() ? offsets[i + 1] : size;
        const std::uint64_t length = end - offsets[i] - 1;
        list.records.push_back(
            {offsets[i], length > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(length)});
    }
    list.status = PdbRecordList::Status::Ok;
    return list;
}

} // namespace trellisk
