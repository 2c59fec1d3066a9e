#include "platform/RegFile.h"
#include "platform/HexDigit.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/Cp1252.h"
#include "platform/FileIO.h"
#include "platform/TextCase.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";

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

// A string holding a line end cannot stand between quotes: it is written as hex(1),
// the ANSI bytes and a terminating NUL, which the reader turns back into a string.
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
        const std::string bytes = utf8ToCp1252(v.text);
        if (bytes.find_first_of("\r\n") != std::string::npos) {
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

// hex(1) data back to the ANSI bytes it holds, up to the first NUL.
std::optional<std::string> parseHexString(std::string_view s) {
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
        const char c = static_cast<char>(hi * 16 + lo);
        if (c == '\0') {
            break;
        }
        out.push_back(c);
        i += 2;
    }
    return out;
}

struct Parser {
    const RegFileTargets& targets;
    RegistryTree* tree = nullptr; // hive of the current key, null when skipped
    std::string key;

    void keyLine(std::string_view line) {
        const std::size_t close = line.rfind(']');
        std::string_view path =
            line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1);
        bool erase = false;
        if (!path.empty() && path.front() == '-') {
            erase = true;
            path.remove_prefix(1);
        }
        const std::string decoded = cp1252ToUtf8(path);
        const std::size_t sep = decoded.find('\\');
        const std::string hive = foldCase(decoded.substr(0, sep));
        const std::string rest =
            sep == std::string::npos ? std::string() : RegistryTree::normalise(decoded.substr(sep));
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
        key = rest;
        tree->createKey(key);
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
            name = cp1252ToUtf8(*quoted);
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
                tree->setValue(key, name, RegistryValue::string(cp1252ToUtf8(*text)));
            }
        } else if (line.substr(0, 6) == "dword:") {
            if (auto v = parseDword(line.substr(6))) {
                tree->setValue(key, name, RegistryValue::number(*v));
            }
        } else if (line.substr(0, 7) == "hex(1):") {
            if (auto text = parseHexString(line.substr(7))) {
                tree->setValue(key, name, RegistryValue::string(cp1252ToUtf8(*text)));
            }
        } else if (line.substr(0, 3) == "hex") {
            // What the reader trims, or takes for a continuation, cannot end raw data.
            while (!line.empty() &&
                   (line.back() == '\\' || line.back() == ' ' || line.back() == '\t')) {
                line.remove_suffix(1);
            }
            tree->setValue(key, name,
                           RegistryValue{RegistryValue::Type::Raw, cp1252ToUtf8(line), 0});
        }
    }
};

} // namespace

std::string_view hiveName(Hive hive) {
    return hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_CLASSES_ROOT";
}

std::string writeRegFile(const RegistryTree& tree, Hive hive, std::string_view path) {
    std::string out(kHeader);
    out += "\r\n\r\n";
    tree.forEachKey(path, [&](const RegistryTree::Key& key) {
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

bool readRegFile(std::string_view bytes, const RegFileTargets& targets) {
    const std::vector<std::string_view> lines = splitLines(bytes);
    if (lines.empty() || trim(lines.front()) != kHeader) {
        return false;
    }
    Parser parser{targets, nullptr, {}};
    std::string joined;
    for (std::size_t i = 1; i < lines.size(); ++i) {
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
    return true;
}

} // namespace platform
