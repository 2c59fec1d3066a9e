#include "builder/TDataStream.h"

#include <system_error>

#include "platform/FileIO.h"

namespace trellisk {

bool TDataStream::open(const std::filesystem::path& path) {
    close();
    std::error_code ec;
    std::optional<std::string> bytes;
    if (std::filesystem::is_regular_file(path, ec)) {
        bytes = platform::readFile(path);
    }
    if (!bytes || bytes->empty()) {
        failed_ = true;
        return false;
    }
    bytes_ = std::move(*bytes);
    return true;
}

void TDataStream::close() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    position_ = 0;
    failed_ = false;
    lineTooLong_ = false;
    lineLength_ = 0;
    endOfLine_ = false;
}

bool TDataStream::hasTextFrom(std::size_t offset) const {
    for (std::size_t i = offset; i < bytes_.size(); ++i) {
        if (bytes_[i] != '\r' && bytes_[i] != '\n') {
            return true;
        }
    }
    return false;
}

unsigned char TDataStream::readByte() {
    if (failed_ || position_ >= bytes_.size()) {
        failed_ = true;
        return ' ';
    }
    return static_cast<unsigned char>(bytes_[position_++]);
}

std::string TDataStream::readString(std::size_t count) {
    if (failed_) {
        return std::string(count, ' ');
    }
    const std::size_t available = bytes_.size() - position_;
    const std::size_t n = count < available ? count : available;
    std::string out = bytes_.substr(position_, n);
    position_ += n;
    if (n < count) {
        failed_ = true;
    }
    return out;
}

bool TDataStream::scanTo(unsigned char wanted) {
    if (failed_ || position_ >= bytes_.size()) {
        failed_ = true;
        return false;
    }
    unsigned char last = 0;
    while (position_ < bytes_.size()) {
        last = static_cast<unsigned char>(bytes_[position_++]);
        if (last == wanted) {
            return true;
        }
    }
    return false;
}

unsigned char TDataStream::readLine() {
    lineLength_ = 0;
    lineTooLong_ = false;
    while (!failed_) {
        const unsigned char c = readByte();
        if (failed_ || c == '\r' || atEnd()) {
            break;
        }
        if (lineLength_ + 1 >= kLineBufferSize) {
            lineTooLong_ = true;
            failed_ = true;
            break;
        }
        line_[lineLength_++] = static_cast<char>(c);
    }
    line_[lineLength_] = '\0';
    endOfLine_ = lineLength_ == 0;
    return readByte();
}

} // namespace trellisk
