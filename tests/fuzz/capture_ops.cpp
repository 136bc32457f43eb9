// Decoding of the operation scripts and the side-by-side checks.
#include "capture_ops.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "line_assembly.h"
#include "receive_buffer.h"
#include "reference_capture.h"
#include "visible_bytes.h"

namespace mirl::fuzz {
namespace {

constexpr std::array<std::uint8_t, 8> kSymbols{'\n', '\r', 0x00, 'A', 'B', 'C', 0x7F, 0xFF};

[[noreturn]] void Fail(const char* what, long long real, long long expected) {
    std::fprintf(stderr, "capture mismatch: %s: real %lld, expected %lld\n", what, real, expected);
    std::abort();
}

void Expect(bool ok, const char* what) {
    if (!ok) Fail(what, 0, 1);
}

[[noreturn]] void FailText(const char* what, const std::string& real, const std::string& expected) {
    std::fprintf(stderr, "capture mismatch: %s:\n  real     \"%s\"\n  expected \"%s\"\n", what,
                 test::Visible(real).c_str(), test::Visible(expected).c_str());
    std::abort();
}

class Cursor {
  public:
    explicit Cursor(std::span<const std::uint8_t> input) : m_input(input) {}
    std::optional<std::uint8_t> Next() {
        if (m_pos >= m_input.size()) return std::nullopt;
        return m_input[m_pos++];
    }
    // Up to n bytes; fewer when the input ends.
    std::span<const std::uint8_t> Take(std::size_t n) {
        const std::size_t len = std::min(n, m_input.size() - m_pos);
        const auto taken = m_input.subspan(m_pos, len);
        m_pos += len;
        return taken;
    }

  private:
    std::span<const std::uint8_t> m_input;
    std::size_t m_pos = 0;
};

// Runs one script. Besides the side-by-side comparison it keeps the stream of every non-zero
// byte the buffer accepted (stored or inserted): shown lines, then the pending line, then the
// unmoved bytes must always spell it, less only what a clear dropped unmoved.
class Session {
  public:
    void Run(std::span<const std::uint8_t> input) {
        Cursor cursor(input);
        while (const auto op = cursor.Next()) {
            const auto code = static_cast<std::uint8_t>(*op >> 5);
            const auto param = static_cast<std::uint8_t>(*op & 0x1F);
            if (!Step(code, param, cursor)) break;
            CheckState();
        }
        CheckStream();
    }

  private:
    bool Step(std::uint8_t code, std::uint8_t param, Cursor& cursor) {
        switch (code) {
            case kOpStoreByte: {
                const auto b = cursor.Next();
                if (!b) return false;
                Store(*b);
                return true;
            }
            case kOpStoreRun: {
                const auto n = cursor.Next();
                if (!n) return false;
                for (const std::uint8_t b : cursor.Take(*n)) Store(b);
                return true;
            }
            case kOpStoreFill: {
                const auto b = cursor.Next();
                if (!b) return false;
                // Once refused, the rest would be refused alike: one refusal is checked.
                for (int i = 0; i < (param + 1) * 16; ++i) {
                    if (!Store(*b)) break;
                }
                return true;
            }
            case kOpStoreSymbol:
                Store(kSymbols[param % kSymbols.size()]);
                return true;
            case kOpMove:
            case kOpMoveAgain:
                Move();
                return true;
            case kOpMoveThenStore: {
                const auto n = cursor.Next();
                if (!n) return false;
                const auto readerBytes = cursor.Take(*n);
                Move();
                for (const std::uint8_t b : readerBytes) Store(b);
                return true;
            }
            case kOpClear:
                Clear();
                return true;
            default:
                return false;
        }
    }

    bool Store(std::uint8_t b) {
        const bool real = m_buffer->StoreByte(b);
        const bool expected = m_model.Store(b);
        if (real != expected) Fail("StoreByte accepted", real, expected);
        if (real) Accepted(b);
        if (real && m_buffer->At(m_buffer->Count() - 1) != b) Fail("stored byte", 0, b);
        return real;
    }

    void Accepted(std::uint8_t b) {
        if (b != 0) m_stream.push_back(static_cast<char>(b));
    }

    // The model runs first: it decides whether a line feed goes in, which the stream records.
    void Move() {
        bool inserted = false;
        const std::vector<std::string> modelLines = m_model.Move(&inserted);
        if (inserted) Accepted('\n');

        const std::vector<std::string> realLines = m_assembler.MoveToLines(*m_buffer);
        if (realLines.size() != modelLines.size()) {
            Fail("lines shown by one move", static_cast<long long>(realLines.size()),
                 static_cast<long long>(modelLines.size()));
        }
        for (std::size_t i = 0; i < realLines.size(); ++i) {
            if (realLines[i] != modelLines[i]) FailText("shown line", realLines[i], modelLines[i]);
            Expect(!realLines[i].empty() && realLines[i].back() == '\n', "line ends in line feed");
            m_shown += realLines[i];
        }
        if (m_buffer->MoveIndex() != m_buffer->Count()) {
            Fail("move index after move", m_buffer->MoveIndex(), m_buffer->Count());
        }
        CheckPending();
        CheckNewBytes();
    }

    void Clear() {
        // The unmoved tail is dropped: it must be the end of the stream, then leaves it.
        const std::string tail = UnmovedText();
        if (tail.size() > m_stream.size() ||
            m_stream.compare(m_stream.size() - tail.size(), tail.size(), tail) != 0) {
            FailText("unmoved bytes at clear", tail, m_stream);
        }
        m_stream.resize(m_stream.size() - tail.size());
        m_buffer->Clear();
        m_model.Clear();
        m_checkedUpTo = 0;
        CheckPending();
    }

    std::string UnmovedText() const {
        std::string text;
        for (int i = std::max(m_buffer->MoveIndex(), 0); i < m_buffer->Count(); ++i) {
            if (m_buffer->At(i) != 0) text.push_back(static_cast<char>(m_buffer->At(i)));
        }
        return text;
    }

    void CheckState() const {
        const int count = m_buffer->Count();
        const int moveIndex = m_buffer->MoveIndex();
        if (count != m_model.Count()) Fail("count", count, m_model.Count());
        if (moveIndex != m_model.MoveIndex()) Fail("move index", moveIndex, m_model.MoveIndex());
        Expect(count >= 0 && count <= kBufferSize, "0 <= count <= capacity");
        Expect(moveIndex >= -1 && moveIndex <= count, "-1 <= move index <= count");
    }

    // Only moves change the pending line; checked after them, not after every store.
    void CheckPending() const {
        if (m_assembler.PendingLine() != m_model.Pending()) {
            FailText("pending line", m_assembler.PendingLine(), m_model.Pending());
        }
        Expect(m_assembler.PendingLine().find('\n') == std::string::npos, "no line feed pending");
        Expect(m_assembler.PendingLine().find('\0') == std::string::npos, "no zero byte shown");
    }

    // Stores only append and a clear restarts at 0, so after a move only the bytes from the last
    // checked count (or 0, after a clear) on can differ; the end of a script checks them all.
    void CheckNewBytes() {
        CheckBytesFrom(std::min(m_checkedUpTo, m_model.Count()));
        m_checkedUpTo = m_model.Count();
    }

    void CheckBytesFrom(int first) const {
        const auto& bytes = m_model.Bytes();
        for (int i = first; i < m_model.Count(); ++i) {
            if (m_buffer->At(i) != bytes[static_cast<std::size_t>(i)]) {
                Fail("buffer byte at index", i, bytes[static_cast<std::size_t>(i)]);
            }
        }
    }

    void CheckStream() const {
        CheckPending();
        CheckBytesFrom(0);
        const std::string seen = m_shown + m_assembler.PendingLine() + UnmovedText();
        if (seen != m_stream)
            FailText("shown + pending + unmoved vs. accepted bytes", seen, m_stream);
    }

    // On the heap: the real buffer is a fixed 2 KB array with a lock.
    std::unique_ptr<ReceiveBuffer> m_buffer = std::make_unique<ReceiveBuffer>();
    LineAssembler m_assembler;
    test::ReferenceCapture m_model;
    std::string m_shown;
    std::string m_stream;
    int m_checkedUpTo = 0;
};

}  // namespace

void RunCaptureOps(std::span<const std::uint8_t> input) {
    Session session;
    session.Run(input);
}

}  // namespace mirl::fuzz
