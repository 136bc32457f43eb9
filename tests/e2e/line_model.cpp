// The model follows the documented steps literally, so a difference is the program's.
#include "line_model.h"

#include <cstdio>

namespace e2e {

void LineModel::Receive(std::string_view bytes) {
    for (char b : bytes) {
        if (!reading_) return;
        bytes_.resize(static_cast<size_t>(count_));
        bytes_.push_back(b);
        ++count_;
        if (count_ >= kMaxRead) reading_ = false;
    }
}

std::vector<std::string> LineModel::Move() {
    if (move_index_ + 1 < count_) {
        bytes_.resize(static_cast<size_t>(count_));
        bytes_.push_back('\n');
        ++count_;
    }
    if (move_index_ == -1) move_index_ = 0;
    std::vector<std::string> lines;
    for (int i = move_index_; i < count_; ++i) {
        const char c = bytes_[static_cast<size_t>(i)];
        if (c != '\0') pending_.push_back(c);
        move_index_ = i + 1;
        if (c == '\n') {
            lines.push_back(pending_);
            pending_.clear();
        }
    }
    // A reader waiting in a read sees a full buffer after that read and ends.
    if (count_ >= kMaxRead) reading_ = false;
    return lines;
}

void LineModel::Clear() {
    count_ = 0;
    move_index_ = -1;
    bytes_.clear();
}

std::string Visible(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\\') {
            out += "\\\\";
        } else if (b < 0x20 || b >= 0x7F) {
            char hex[8];
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

}  // namespace e2e
