// Input that is no text: every byte value, a run with no line feed, CR-only line ends, and a flood
// at the highest rate. What is shown must be the bytes received, by the line rules, and no more.
// The bursts are hundreds of bytes, which take milliseconds to read, so they are aimed between
// ticks (the flood alone is meant to be split by them).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "message_boxes.h"
#include "move_splits.h"
#include "nmea.h"
#include "reference_capture.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Garbage = ScenarioTest;

using mirl::test::ReferenceCapture;

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The lines between "connected." and "disconnect.", joined.
std::string CapturedText(const std::vector<std::string>& list) {
    std::string out;
    for (size_t i = 1; i + 1 < list.size(); ++i) out += list[i];
    return out;
}

TEST_F(Garbage, EveryByteValueShownAsReceived) {
    auto& port = s.StartCapturing();
    // Upwards, then downwards: each line feed splits, CRs and high bytes stay as they are.
    std::string up, down;
    for (int b = 0; b <= 0xFF; ++b) up.push_back(static_cast<char>(b));
    for (int b = 0xFF; b >= 0; --b) down.push_back(static_cast<char>(b));
    ReferenceCapture model;
    model.StartReader();
    std::vector<std::string> lines = {"connected."};
    for (const auto& burst : {up, down}) {
        model.Receive(burst);
        lines = Join(lines, model.Move());
        s.SendAtPhase(port, burst);
        s.WaitListEquals(lines, milliseconds(3000));
    }
    s.Click(IDC_CONNECT);
    lines = Join(lines, model.Move());
    lines.push_back("disconnect.");
    s.WaitListEquals(lines, milliseconds(3000));
    // The two zero bytes are counted though never shown.
    EXPECT_EQ(CountShown(s), model.Count());
    EXPECT_EQ(model.Count(), 2 * 256 + 2);
}

TEST_F(Garbage, RunOf2000BytesWithoutALineFeedIsOneLine) {
    auto& port = s.StartCapturing();
    // Every byte but zero and line feed, over and over.
    std::string run;
    for (int i = 0; run.size() < 2000; ++i) {
        const auto b = static_cast<char>(1 + i % 255);
        if (b != '\n') run.push_back(b);
    }
    s.SendAtPhase(port, run);
    ExpectLimitBox(s);
    s.Answer(IDOK);
    s.WaitListEquals({"connected.", run + "\n", "disconnect."}, milliseconds(5000));
    s.ExpectLocked(false);
    EXPECT_EQ(CountShown(s), 2001);
}

TEST_F(Garbage, CarriageReturnOnlyLineEnds) {
    const auto sentences = LoadNmeaSentences(s.wine().paths().data_dir / "bu353s4.nmea");
    ASSERT_GE(sentences.size(), 15u);
    auto& port = s.StartCapturing();
    // A CR ends no line: each tick's bytes become one line, by the inserted line feed only.
    ReferenceCapture model;
    model.StartReader();
    const auto bursts = NmeaBursts(sentences, 3, "\r");
    auto lines = s.SendBurstsOnePerTick(port, model, bursts);
    ASSERT_EQ(lines.size(), 1u + bursts.size());
    for (size_t i = 0; i < bursts.size(); ++i) EXPECT_EQ(lines[1 + i], bursts[i] + "\n");
    s.Click(IDC_CONNECT);
    lines.push_back("disconnect.");
    s.WaitListEquals(lines, milliseconds(3000));
    EXPECT_EQ(CountShown(s), model.Count());
}

TEST_F(Garbage, FloodAt256000BaudStopsAtTheMarkWithNothingLost) {
    auto& port = s.AttachPort(1);
    s.Start();
    const auto rates = s.Combo(IDC_BAUD).items;
    const auto it = std::find(rates.begin(), rates.end(), "256000");
    ASSERT_NE(it, rates.end()) << "no 256000 in the Baud list";
    s.Select(IDC_BAUD, static_cast<int>(it - rates.begin()));
    s.ConnectFresh();
    // All byte values over and over, written at once: the program reads one byte per call and
    // its ticks fall anywhere in the stream. 3500 bytes fit in the pty's queue even after the
    // reader has stopped at 2000.
    std::string flood;
    for (int i = 0; i < 3500; ++i) flood.push_back(static_cast<char>(i % 256));
    const auto start = Clock::now();
    port.Write(flood);
    ExpectLimitBox(s);
    s.Answer(IDOK);
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    const auto list =
        s.WaitList([](const auto& l) { return l.size() >= 2 && l.back() == "disconnect."; },
                   milliseconds(5000), "to end with \"disconnect.\"");
    ASSERT_EQ(list.front(), "connected.");
    const int count = CountShown(s);
    std::printf("[ figures  ] flood: limit box %.2f s after the write, count %d, %zu lines\n", took,
                count, list.size() - 2);
    EXPECT_TRUE(count == 2000 || count == 2001) << "count " << count;

    // The shown text is the flood with line feeds added; the line model, moving it in the parts
    // those line feeds mark, must give exactly the lines shown and the same count.
    const std::string shown = CapturedText(list);
    const auto splits = MoveSplits(flood, shown);
    ASSERT_TRUE(splits.has_value())
        << "the shown text is not the flood plus line feeds:\n  shown " << Visible(shown);
    const auto modelled = ModelMoves(flood, *splits);
    const std::vector<std::string> shown_lines(list.begin() + 1, list.end() - 1);
    EXPECT_EQ(modelled.lines, shown_lines)
        << "model " << Visible(modelled.lines) << "\n  shown " << Visible(shown_lines);
    EXPECT_EQ(modelled.count, count);
    s.ExpectLocked(false);
}

}  // namespace
}  // namespace e2e
