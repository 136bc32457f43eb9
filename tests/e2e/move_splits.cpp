// Greedy: a shown byte that matches the next sent byte is that byte, and any other line feed is
// an inserted one. Where a sent line feed and an inserted one meet, either reading gives the same
// lines, so the model check that follows is still exact.
#include "move_splits.h"

#include "reference_capture.h"

namespace e2e {

std::optional<std::vector<size_t>> MoveSplits(std::string_view sent, std::string_view shown) {
    std::vector<size_t> splits;
    size_t part_start = 0;
    size_t i = 0;
    for (const char c : shown) {
        while (i < sent.size() && sent[i] == '\0') ++i;
        if (i < sent.size() && sent[i] == c) {
            ++i;
        } else if (c == '\n') {
            splits.push_back(i - part_start);
            part_start = i;
        } else {
            return std::nullopt;
        }
    }
    return splits;
}

ModelledCapture ModelMoves(std::string_view sent, const std::vector<size_t>& splits) {
    mirl::test::ReferenceCapture model;
    model.StartReader();
    ModelledCapture out;
    size_t at = 0;
    auto move = [&](std::string_view part) {
        model.Receive(part);
        const auto lines = model.Move();
        out.lines.insert(out.lines.end(), lines.begin(), lines.end());
    };
    for (const size_t n : splits) {
        move(sent.substr(at, n));
        at += n;
    }
    move(sent.substr(at));
    out.count = model.Count();
    return out;
}

}  // namespace e2e
