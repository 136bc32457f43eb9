// Reads an input as a script of buffer operations, runs it on the real receive buffer and line
// assembler and on the reference model side by side, and aborts at the first difference.
//
// Each operation is one byte: the top three bits choose it, the low five are its parameter p.
//   0  store the next input byte
//   1  store a run: the next byte is its length n, the n bytes after it are stored
//   2  store the next input byte (p + 1) * 16 times
//   3  store a symbol: one of LF, CR, NUL, 'A', 'B', 'C', 0x7F, 0xFF, chosen by p % 8
//   4  move into lines
//   5  move, then the reader's bytes: the next byte is a length n, the n bytes after it are
//      stored once the move has returned its lines (the threaded unit tests store during moves)
//   6  clear
//   7  move into lines
// An input that ends inside an operation ends the script.
#pragma once

#include <cstdint>
#include <span>

namespace mirl::fuzz {

inline constexpr std::uint8_t kOpStoreByte = 0;
inline constexpr std::uint8_t kOpStoreRun = 1;
inline constexpr std::uint8_t kOpStoreFill = 2;
inline constexpr std::uint8_t kOpStoreSymbol = 3;
inline constexpr std::uint8_t kOpMove = 4;
inline constexpr std::uint8_t kOpMoveThenStore = 5;
inline constexpr std::uint8_t kOpClear = 6;
inline constexpr std::uint8_t kOpMoveAgain = 7;

void RunCaptureOps(std::span<const std::uint8_t> input);

}  // namespace mirl::fuzz
