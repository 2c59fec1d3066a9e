// The compound-file container ("structured storage", version 3, 512-byte sectors) that
// holds the spreadsheet export's workbook stream: header, allocation table with its
// extension for large files, and a directory of the root entry and one stream.
#pragma once

#include <string>
#include <string_view>

namespace ledgora {

// Streams shorter than this live in the mini stream; the container pads shorter ones up
// to it instead, so that every stream is in the regular allocation table.
inline constexpr std::size_t kMiniStreamCutoff = 4096;

// The bytes of a compound file whose root holds one stream named `streamName` (ASCII, at
// most 31 characters) with the bytes of `stream`, padded with zero bytes to
// kMiniStreamCutoff when shorter: fit only for formats whose readers stop at their own end
// record. Streams of 4 GiB or more are not representable; the caller keeps below that.
std::string compoundFile(std::string_view streamName, std::string_view stream);

} // namespace ledgora
