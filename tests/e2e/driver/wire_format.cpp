// Escaping of protocol tokens; the Linux side decodes with the same rules.
#include "wire_format.h"

#include <cstdio>

namespace e2e {

std::string EscapeToken(std::string_view bytes) {
    if (bytes.empty()) return "\"\"";
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x21 && b <= 0x7E && b != '\\' && b != '"') {
            out.push_back(ch);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            out += hex;
        }
    }
    return out;
}

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Unescape(std::string_view token) {
    if (token == "\"\"") return {};
    std::string out;
    for (size_t i = 0; i < token.size(); ++i) {
        if (token[i] == '\\' && i + 3 < token.size() && token[i + 1] == 'x' &&
            HexValue(token[i + 2]) >= 0 && HexValue(token[i + 3]) >= 0) {
            out.push_back(static_cast<char>(HexValue(token[i + 2]) * 16 + HexValue(token[i + 3])));
            i += 3;
        } else {
            out.push_back(token[i]);
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> SplitTokens(std::string_view line) {
    std::vector<std::string> tokens;
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\r' || line[pos] == '\n'))
            ++pos;
        if (pos >= line.size()) break;
        size_t end = pos;
        while (end < line.size() && line[end] != ' ' && line[end] != '\r' && line[end] != '\n')
            ++end;
        tokens.push_back(Unescape(line.substr(pos, end - pos)));
        pos = end;
    }
    return tokens;
}

}  // namespace e2e
