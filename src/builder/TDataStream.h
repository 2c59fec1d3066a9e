// A byte reader over a text or user file, with the line reading that CSV import and user
// discovery rely on. It never throws: every failure sets the failure flag, after
// which byte reads answer a space. Lines longer than the line buffer are refused.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace trellisk {

class TDataStream {
public:
    static constexpr std::size_t kLineBufferSize = 1024; // one byte kept for the terminator

    // False (and the failure flag set) when the file cannot be opened or is empty.
    bool open(const std::filesystem::path& path);
    void close();

    bool failed() const { return failed_; }
    // Set when the last read line did not fit the line buffer (the failure flag is set too).
    bool lineTooLong() const { return lineTooLong_; }
    bool atEnd() const { return position_ >= bytes_.size(); }
    // The offset of the next byte to read.
    std::size_t position() const { return position_; }
    // True when the bytes from `offset` on hold anything but line ends (CR, LF).
    bool hasTextFrom(std::size_t offset) const;

    // One byte; a space when the flag is set or the read fails (which sets it).
    unsigned char readByte();
    // `count` bytes; fewer, and the flag set, when the file ends first.
    std::string readString(std::size_t count);
    // Reads until a byte equal to `wanted` or the end; whether the last byte read equals it.
    // Called at the end of the file it sets the flag and answers false.
    bool scanTo(unsigned char wanted);

    // Stores bytes up to a CR into the line buffer; the last byte of the file ends the line
    // without being stored. Sets the end-of-line flag for an empty line, then reads one
    // more byte (the LF) and answers it. The values of a line are CsvValue's to read.
    unsigned char readLine();
    bool endOfLine() const { return endOfLine_; }
    std::string_view line() const { return std::string_view(line_, lineLength_); }

private:
    std::string bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
    bool lineTooLong_ = false;
    char line_[kLineBufferSize] = {};
    std::size_t lineLength_ = 0;
    bool endOfLine_ = false;
};

} // namespace trellisk
