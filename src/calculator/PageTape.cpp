#include "calculator/PageTape.h"

#include <array>
#include <string_view>

namespace calculator {

namespace {

// The tape operator that begins at `at`, with its length in bytes, or 0.
std::size_t operatorAt(const std::string& line, std::size_t at) {
    static constexpr std::array<std::string_view, 7> operators = {"\\", "÷", "×", "-",
                                                                  "+",  "^", "="};
    const std::string_view rest = std::string_view(line).substr(at);
    for (const std::string_view op : operators) {
        if (rest.starts_with(op)) {
            return op.size();
        }
    }
    return 0;
}

} // namespace

std::vector<std::string> pageToTape(const std::vector<std::string>& page) {
    std::vector<std::string> tape;
    for (const std::string& line : page) {
        std::string piece;
        bool ended = false;
        for (std::size_t i = 0; i < line.size();) {
            const std::size_t length = operatorAt(line, i);
            if (length == 0) {
                piece += line[i++];
                continue;
            }
            tape.push_back(piece);
            if (line[i] == '=') {
                tape.push_back(line.substr(i));
                ended = true;
                break;
            }
            piece = line.substr(i, length);
            i += length;
        }
        if (!ended && !piece.empty()) {
            tape.push_back(piece);
        }
    }
    return tape;
}

std::vector<std::string> tapeToPage(const std::vector<std::string>& tape) {
    std::vector<std::string> page;
    std::string current;
    for (const std::string& line : tape) {
        current += line;
        if (!line.empty() && line[0] == '=') {
            page.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) {
        page.push_back(current);
    }
    return page;
}

std::vector<std::string> splitPage(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            lines.emplace_back();
        } else {
            lines.back() += text[i];
        }
    }
    return lines;
}

std::string joinPage(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += lines[i];
    }
    return text;
}

int characterCount(const std::string& text) {
    int count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

} // namespace calculator
