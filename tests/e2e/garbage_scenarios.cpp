// Input that is no text: every byte value, a run with no line feed, CR-only line ends, and a flood
// at the highest rate. What is shown must be the bytes received, by the line rules, and no more.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "line_model.h"
#include "move_splits.h"
#include "nmea.h"
#include "scenario_registry.h"

namespace e2e {
namespace {

const char kLimitText[] = "Reading data stopped early. Maximum data reached.";

int Count(Scenario& s) {
    s.Command(1016);
    const auto box = s.WaitBox();
    s.Answer(1);
    int count = -1;
    int max = -1;
    if (box.caption != "mirltty" ||
        std::sscanf(box.text.c_str(), "Readed characters: %d (max. %d)", &count, &max) != 2 ||
        max != 2001)
        throw ScenarioFailure("expected the count message; seen " + box.Describe());
    return count;
}

void ExpectLimitBox(Scenario& s) {
    s.ExpectBox(s.WaitBox(milliseconds(5000)), "MirlTTY", kLimitText, "asterisk", {1});
    s.Answer(1);
}

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

}  // namespace

void AddGarbageScenarios(ScenarioRegistry& r) {
    r.Add("Garbage", "EveryByteValueShownAsReceived", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        // Upwards, then downwards: each line feed splits, CRs and high bytes stay as they are.
        std::string up, down;
        for (int b = 0; b <= 0xFF; ++b) up.push_back(static_cast<char>(b));
        for (int b = 0xFF; b >= 0; --b) down.push_back(static_cast<char>(b));
        LineModel model;
        model.StartReader();
        std::vector<std::string> lines = {"connected."};
        for (const auto& burst : {up, down}) {
            model.Receive(burst);
            lines = Join(lines, model.Move());
            s.SendAtPhase(port, burst);
            s.WaitListEquals(lines, milliseconds(3000));
        }
        s.Click(1006);
        lines = Join(lines, model.Move());
        lines.push_back("disconnect.");
        s.WaitListEquals(lines, milliseconds(3000));
        // The two zero bytes are counted though never shown.
        EXPECT_EQ(Count(s), model.count());
        EXPECT_EQ(model.count(), 2 * 256 + 2);
    });
    r.Add("Garbage", "RunOf2000BytesWithoutALineFeedIsOneLine", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        // Every byte but zero and line feed, over and over.
        std::string run;
        for (int i = 0; run.size() < 2000; ++i) {
            const auto b = static_cast<char>(1 + i % 255);
            if (b != '\n') run.push_back(b);
        }
        s.SendAtPhase(port, run);
        ExpectLimitBox(s);
        s.WaitListEquals({"connected.", run + "\n", "disconnect."}, milliseconds(5000));
        s.ExpectLocked(false);
        EXPECT_EQ(Count(s), 2001);
    });
    r.Add("Garbage", "CarriageReturnOnlyLineEnds", [](Scenario& s) {
        const auto sentences = LoadNmeaSentences(s.wine().paths().data_dir / "bu353s4.nmea");
        ASSERT_GE(sentences.size(), 15u);
        auto& port = s.AttachPort(1);
        s.Start();
        s.ConnectFresh();
        // A CR ends no line: each tick's bytes become one line, by the inserted line feed only.
        LineModel model;
        model.StartReader();
        std::vector<std::string> lines = {"connected."};
        for (size_t burst = 0; burst < 3; ++burst) {
            std::string bytes;
            for (size_t i = 0; i < 5; ++i) bytes += sentences[burst * 5 + i] + "\r";
            model.Receive(bytes);
            const auto moved = model.Move();
            ASSERT_EQ(moved.size(), 1u);
            lines = Join(lines, moved);
            s.SendAtPhase(port, bytes);
            s.WaitListEquals(lines, milliseconds(3000));
        }
        s.Click(1006);
        lines.push_back("disconnect.");
        s.WaitListEquals(lines, milliseconds(3000));
        EXPECT_EQ(Count(s), model.count());
    });
    r.Add("Garbage", "FloodAt256000BaudStopsAtTheMarkWithNothingLost", [](Scenario& s) {
        auto& port = s.AttachPort(1);
        s.Start();
        const auto rates = s.Combo(1001).items;
        const auto it = std::find(rates.begin(), rates.end(), "256000");
        ASSERT_NE(it, rates.end()) << "no 256000 in the Baud list";
        s.Select(1001, static_cast<int>(it - rates.begin()));
        s.ConnectFresh();
        // All byte values over and over, written at once: the program reads one byte per call
        // and its ticks fall anywhere in the stream. 3500 bytes fit in the pty's queue even after
        // the reader has stopped at 2000.
        std::string flood;
        for (int i = 0; i < 3500; ++i) flood.push_back(static_cast<char>(i % 256));
        const auto start = Clock::now();
        port.pty.Write(flood);
        ExpectLimitBox(s);
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        const auto list =
            s.WaitList([](const auto& l) { return l.size() >= 2 && l.back() == "disconnect."; },
                       milliseconds(5000), "to end with \"disconnect.\"");
        ASSERT_EQ(list.front(), "connected.");
        const int count = Count(s);
        std::printf("[ figures  ] flood: limit box %.2f s after the write, count %d, %zu lines\n",
                    took, count, list.size() - 2);
        EXPECT_TRUE(count == 2000 || count == 2001) << "count " << count;

        // The shown text is the flood with line feeds added; the line model, moving it in the
        // parts those line feeds mark, must give exactly the lines shown and the same count.
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
    });
}

}  // namespace e2e
