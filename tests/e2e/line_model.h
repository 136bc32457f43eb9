// What the capture rules make of a byte stream: the expected list lines, worked out on our side.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Mirrors the program's receive buffer from outside: the reader stores bytes until the buffer
// holds 2000, and each move (a timer tick, a flush, a disconnect) turns the unmoved bytes into
// lines, inserting a line feed when two or more bytes are unmoved (one, right after a clear).
class LineModel {
  public:
    static constexpr int kMaxRead = 2000;

    // A connect starts the reader; it ends at once if the buffer is already full.
    void StartReader() { reading_ = count_ < kMaxRead; }
    // Bytes the port delivers; those after the reader has stopped are never stored.
    void Receive(std::string_view bytes);
    // One move; returns the lines it shows.
    std::vector<std::string> Move();
    void Clear();

    int count() const { return count_; }
    bool reading() const { return reading_; }
    const std::string& pending() const { return pending_; }

  private:
    std::string bytes_;
    int count_ = 0;
    int move_index_ = -1;
    std::string pending_;
    bool reading_ = false;
};

// "a\r\n" -> "a\\r\\n": list lines in failure messages.
std::string Visible(std::string_view bytes);
std::string Visible(const std::vector<std::string>& lines);

}  // namespace e2e
