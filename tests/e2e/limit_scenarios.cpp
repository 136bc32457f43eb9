// Captures that reach the 2000-byte mark, which only the tick's check ends: a scripted burst and
// the recorded GPS stream.
#include <gtest/gtest.h>

#include <cstdio>

#include "message_boxes.h"
#include "nmea.h"
#include "reference_capture.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Limit = ScenarioTest;

using mirl::test::ReferenceCapture;

// 48-byte numbered lines: the 2000th byte falls inside line 42, so the limit cuts a line.
std::string NumberedLines(int count) {
    std::string out;
    for (int i = 1; i <= count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "L%04d:%s\r\n", i,
                      "abcdefghijklmnopqrstuvwxyz0123456789ABCD");
        out += line;
    }
    return out;
}

// The limit box, its answer, then "disconnect." after `lines`, and the count message.
void ExpectLimitReached(Scenario& s, std::vector<std::string> lines, int count) {
    ExpectLimitBox(s);
    s.Answer(IDOK);
    lines.push_back("disconnect.");
    s.WaitListEquals(lines, milliseconds(5000));
    s.ExpectLocked(false);
    EXPECT_EQ(CountShown(s), count);
}

TEST_F(Limit, BurstOf2500BytesStopsAtTheMark) {
    auto& port = s.StartCapturing();
    const std::string stream = NumberedLines(52);
    ASSERT_EQ(stream.size(), 2496u);
    ReferenceCapture model;
    model.StartReader();
    model.Receive(stream);
    ASSERT_EQ(model.Count(), 2000);
    auto expected = model.Move();
    std::vector<std::string> lines = {"connected."};
    lines.insert(lines.end(), expected.begin(), expected.end());

    s.SendAtPhase(port, stream);
    ExpectLimitReached(s, lines, model.Count());
    // Every byte up to the limit is shown, in order; only the rule's line feed is added.
    std::string shown;
    for (size_t i = 1; i < lines.size(); ++i) shown += lines[i];
    EXPECT_EQ(shown, stream.substr(0, 2000) + "\n");
    EXPECT_EQ(model.Count(), 2001);
}

TEST_F(Limit, RecordedGpsStreamShownByteForByte) {
    const auto sentences = LoadNmeaSentences(s.wine().paths().data_dir / "bu353s4.nmea");
    ASSERT_GT(sentences.size(), 40u);
    auto& port = s.StartCapturing();
    ReferenceCapture model;
    model.StartReader();
    const auto lines =
        s.SendBurstsOnePerTick(port, model, NmeaBursts(sentences, sentences.size(), "\r\n"));
    ExpectLimitReached(s, lines, model.Count());
    int checked = 0;
    for (const auto& line : lines) {
        if (line.size() > 2 && line.front() == '$' && line.ends_with("\r\n")) {
            EXPECT_TRUE(NmeaChecksumOk(line)) << Visible(line);
            ++checked;
        }
    }
    EXPECT_GT(checked, 25);
}

}  // namespace
}  // namespace e2e
