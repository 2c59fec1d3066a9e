#include "platform/RegFile.h"
#include "platform/HexDigit.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/TextCase.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

void appendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

// A string holding a control character (a line end above all) does not stand between
// quotes: it is written as hex(1), the ANSI bytes and a terminating NUL, which the reader
// turns back into a string.
void appendHexString(std::string& out, std::string_view bytes) {
    out += "hex(1):";
    char buf[4];
    for (char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02x,", static_cast<unsigned char>(c));
        out += buf;
    }
    out += "00";
}

void appendValue(std::string& out, std::string_view name, const RegistryValue& v) {
    if (name.empty()) {
        out.push_back('@');
    } else {
        appendQuoted(out, utf8ToCp1252(name));
    }
    out.push_back('=');
    switch (v.type) {
    case RegistryValue::Type::String: {
        // A registry string ends at its first NUL, in either form.
        const std::string_view text = std::string_view(v.text).substr(0, v.text.find('\0'));
        const std::string bytes = utf8ToCp1252(text);
        // Judged on what a reader will find: a character the code page cannot hold is
        // written as "?", which needs no hex.
        if (hasControlCharacter(cp1252ToUtf8(bytes))) {
            appendHexString(out, bytes);
        } else {
            appendQuoted(out, bytes);
        }
        break;
    }
    case RegistryValue::Type::Dword: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", v.dword);
        out += buf;
        break;
    }
    case RegistryValue::Type::Raw:
        out += utf8ToCp1252(v.text);
        break;
    }
    out += "\r\n";
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

// Reads a quoted string starting at s[0] == '"'; returns the unescaped text and leaves
// `s` after the closing quote. Nothing when the quote is not closed.
std::optional<std::string> readQuoted(std::string_view& s) {
    std::string out;
    std::size_t i = 1;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size()) {
            out.push_back(s[i + 1]);
            i += 2;
            continue;
        }
        out.push_back(c);
        ++i;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> parseDword(std::string_view s) {
    s = trim(s);
    if (s.empty() || s.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t v = 0;
    for (char c : s) {
        const int d = hexDigitValue(c);
        if (d < 0) {
            return std::nullopt;
        }
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return v;
}

// Hex data ("01,02, 03") to the bytes it holds; nothing when a pair is broken.
std::optional<std::string> parseHexBytes(std::string_view s) {
    std::string out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ',' || s[i] == ' ')) {
            ++i;
        }
        if (i >= s.size()) {
            break;
        }
        if (i + 1 >= s.size()) {
            return std::nullopt;
        }
        const int hi = hexDigitValue(s[i]);
        const int lo = hexDigitValue(s[i + 1]);
        if (hi < 0 || lo < 0) {
            return std::nullopt;
        }
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    return out;
}

std::string hexText(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, i == 0 ? "%02x" : ",%02x",
                      static_cast<unsigned char>(bytes[i]));
        out += buf;
    }
    return out;
}

// A file's text as UTF-8, whatever its encoding, and the format its header names.
struct DecodedFile {
    std::string text;
    RegFileFormat format = RegFileFormat::Regedit4;
    bool utf16 = false; // the hex data of strings is UTF-16LE too
};

// The first line that is not blank, trimmed.
std::string_view headerLine(std::string_view text, std::size_t& after) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = trim(text.substr(start, end - start));
        after = end;
        if (!line.empty()) {
            return line;
        }
        start = end + 1;
    }
    after = text.size();
    return {};
}

std::optional<DecodedFile> decodeFile(std::string_view bytes) {
    DecodedFile file;
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        file.text = utf16leToUtf8(bytes.substr(2));
        file.utf16 = true;
    } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        // Marked as UTF-8; an editor that added the mark to ANSI bytes is believed less.
        const std::string_view rest = bytes.substr(3);
        file.text = isValidUtf8(rest) ? std::string(rest) : cp1252ToUtf8(rest);
    } else {
        std::size_t after = 0;
        const bool version5 = headerLine(bytes, after) == kHeader5;
        file.text = version5 && isValidUtf8(bytes) ? std::string(bytes) : cp1252ToUtf8(bytes);
    }
    std::size_t after = 0;
    const std::string_view header = headerLine(file.text, after);
    if (header == kHeader) {
        file.format = RegFileFormat::Regedit4;
    } else if (header == kHeader5) {
        file.format = RegFileFormat::Version5;
    } else {
        return std::nullopt;
    }
    file.text.erase(0, after);
    return file;
}

struct Parser {
    const RegFileTargets& targets;
    bool utf16 = false;
    std::size_t keysRefused = 0;
    RegistryTree* tree = nullptr; // hive of the current key, null when skipped
    std::string key;

    // The text of hex(1) string data, as the file's format encodes it, up to the first NUL.
    std::string stringFromHex(std::string_view bytes) const {
        std::string text = utf16 ? utf16leToUtf8(bytes) : cp1252ToUtf8(bytes);
        const std::size_t nul = text.find('\0');
        return nul == std::string::npos ? text : text.substr(0, nul);
    }

    void keyLine(std::string_view line) {
        const std::size_t close = line.rfind(']');
        std::string_view path =
            line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1);
        bool erase = false;
        if (!path.empty() && path.front() == '-') {
            erase = true;
            path.remove_prefix(1);
        }
        const std::size_t sep = path.find('\\');
        const std::string hive = foldCase(path.substr(0, sep));
        const std::string rest =
            sep == std::string::npos ? std::string() : RegistryTree::normalise(path.substr(sep));
        tree = nullptr;
        if (hive == "hkey_current_user") {
            tree = targets.currentUser;
        } else if (hive == "hkey_classes_root") {
            tree = targets.classesRoot;
        }
        if (tree == nullptr || rest.empty()) {
            tree = nullptr;
            return;
        }
        if (erase) {
            tree->eraseKey(rest);
            tree = nullptr;
            return;
        }
        if (!tree->createKey(rest)) {
            ++keysRefused; // beyond the limits: the key and its values are left out
            tree = nullptr;
            return;
        }
        key = rest;
    }

    void valueLine(std::string_view line) {
        if (tree == nullptr) {
            return;
        }
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto quoted = readQuoted(line);
            if (!quoted) {
                return;
            }
            name = std::move(*quoted);
        }
        line = trim(line);
        if (line.empty() || line.front() != '=') {
            return;
        }
        line = trim(line.substr(1));
        if (line == "-") {
            tree->eraseValue(key, name);
        } else if (!line.empty() && line.front() == '"') {
            if (auto text = readQuoted(line)) {
                text->resize(std::min(text->size(), text->find('\0'))); // as the writer ends it
                tree->setValue(key, name, RegistryValue::string(std::move(*text)));
            }
        } else if (line.substr(0, 6) == "dword:") {
            if (auto v = parseDword(line.substr(6))) {
                tree->setValue(key, name, RegistryValue::number(*v));
            }
        } else if (line.substr(0, 7) == "hex(1):") {
            if (auto bytes = parseHexBytes(line.substr(7))) {
                tree->setValue(key, name, RegistryValue::string(stringFromHex(*bytes)));
            }
        } else if (utf16 && (line.substr(0, 7) == "hex(2):" || line.substr(0, 7) == "hex(7):")) {
            // Version 5 writes expandable and multiple strings in UTF-16LE; held as the
            // ANSI form REGEDIT4 writes.
            if (auto bytes = parseHexBytes(trimContinuation(line.substr(7)))) {
                const std::string ansi = utf8ToCp1252(utf16leToUtf8(*bytes));
                tree->setValue(key, name,
                               RegistryValue{RegistryValue::Type::Raw,
                                             std::string(line.substr(0, 7)) + hexText(ansi), 0});
            }
        } else if (line.substr(0, 3) == "hex") {
            tree->setValue(
                key, name,
                RegistryValue{RegistryValue::Type::Raw, std::string(trimContinuation(line)), 0});
        }
    }

    // What the reader trims, or takes for a continuation, cannot end raw data.
    static std::string_view trimContinuation(std::string_view line) {
        while (!line.empty() &&
               (line.back() == '\\' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        return line;
    }
};

} // namespace

std::string_view hiveName(Hive hive) {
    return hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_CLASSES_ROOT";
}

std::string writeRegFile(const RegistryTree& tree, Hive hive, std::string_view path) {
    std::string out(kHeader);
    out += "\r\n\r\n";
    tree.forEachKey(path, [&](const RegistryTree::KeyView& key) {
        if (key.values.empty() && key.hasSubKeys) {
            return; // made by the keys below it
        }
        out.push_back('[');
        out += hiveName(hive);
        out.push_back('\\');
        out += utf8ToCp1252(key.path);
        out += "]\r\n";
        for (const auto& [name, value] : key.values) {
            appendValue(out, name, value);
        }
        out += "\r\n";
    });
    return out;
}

RegFileReport readRegFile(std::string_view bytes, const RegFileTargets& targets) {
    RegFileReport report;
    const std::optional<DecodedFile> file = decodeFile(bytes);
    if (!file) {
        return report;
    }
    report.readable = true;
    report.format = file->format;
    const std::vector<std::string_view> lines = splitLines(file->text);
    Parser parser{targets, file->utf16, 0, nullptr, {}};
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = trim(lines[i]);
        // Long hex data continues on the next line after a trailing "\".
        if (!line.empty() && line.back() == '\\' && line.front() != '[' &&
            line.find("=hex") != std::string_view::npos) {
            joined.assign(line.substr(0, line.size() - 1));
            while (i + 1 < lines.size()) {
                std::string_view next = trim(lines[++i]);
                const bool more = !next.empty() && next.back() == '\\';
                joined.append(more ? next.substr(0, next.size() - 1) : next);
                if (!more) {
                    break;
                }
            }
            line = joined;
        }
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            parser.keyLine(line);
        } else if (line.front() == '"' || line.front() == '@') {
            parser.valueLine(line);
        }
    }
    report.keysRefused = parser.keysRefused;
    return report;
}

} // namespace platform
