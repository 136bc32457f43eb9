#include "visible_bytes.h"

#include <cstdio>

namespace mirl::test {

std::string Visible(std::string_view bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\\') {
            out += "\\\\";
        } else if (b < 0x20 || b >= 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            out += hex;
        } else {
            out.push_back(ch);
        }
    }
    return out;
}

std::string Visible(const std::vector<std::string>& lines) {
    std::string out = "[" + std::to_string(lines.size()) + " lines]";
    for (size_t i = 0; i < lines.size(); ++i)
        out += "\n    " + std::to_string(i) + ": \"" + Visible(lines[i]) + "\"";
    return out;
}

}  // namespace mirl::test
