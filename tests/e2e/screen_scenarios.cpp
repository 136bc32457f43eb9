// What the screen shows: a screenshot kept as an artefact, the dialog's size, the scrolling, a
// tick that brings hundreds of lines, the focus mark, and the dialog at 150 % display scaling.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "message_boxes.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Screen = ScenarioTest;

TEST_F(Screen, ScreenshotSizeAndScrolling) {
    auto& port = s.StartCapturing();
    // The template's 280 x 158 dialog units, in pixels at the real font: what only the running
    // program can show.
    const auto rect = s.Ok("rect 280 158");
    EXPECT_EQ(rect.at(0), rect.at(2)) << "client width vs 280 dialog units of MS Sans Serif 8";
    EXPECT_EQ(rect.at(1), rect.at(3)) << "client height vs 158 dialog units";

    s.SendAndFlush(port, "first line\r\nsecond line\r\n");
    s.WaitList([](const auto& l) { return l.size() == 4; }, milliseconds(2500),
               "to hold four lines");
    EXPECT_EQ(s.ListTop(), 0) << "five lines or fewer: the first is at the top";
    s.SendAndFlush(port, "third\r\nfourth\r\nfifth\r\n");
    s.WaitList([](const auto& l) { return l.size() == 8; }, milliseconds(2500),
               "to hold eight lines");
    // The newest line is the fifth from the top, as far as the list box lets it scroll.
    int top = s.ListTop();
    EXPECT_GE(top, 8 - 6);
    EXPECT_LE(top, 8 - 5);

    // A device that sends short lines fast: one tick brings 500 lines, all shown in order, and
    // the list follows the newest. Deleted first, so that the burst stays below the limit.
    s.Click(IDC_DELETE);
    ExpectDeleteBox(s);
    s.Answer(IDYES);
    std::vector<std::string> burst(499, "ab\r\n");
    std::string bytes;
    for (const auto& line : burst) bytes += line;
    burst.push_back("\n");  // the move's own line feed after the unmoved bytes
    s.SendAtPhase(port, bytes);
    s.WaitListEquals(burst, milliseconds(2500));
    top = s.ListTop();
    EXPECT_GE(top, 500 - 6);
    EXPECT_LE(top, 500 - 5);

    const auto file = s.Screenshot("dialog_with_lines.png");
    std::ifstream png(file, std::ios::binary);
    char magic[8] = {};
    png.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG") << file;
    EXPECT_GT(std::filesystem::file_size(file), 2000u) << file;
    std::printf("screenshot: %s\n", file.c_str());
}

// The focus mark follows the focus: on the selected line while the list has the focus, gone once
// it moves to a button, back when it returns. Read from the screen's pixels, with focus marks
// shown, as they are once the keyboard is in use.
TEST_F(Screen, TheFocusMarkFollowsTheFocus) {
    auto& port = s.StartCapturing();
    s.SendAndFlush(port, "first\r\nsecond\r\n");
    s.WaitList([](const auto& l) { return l.size() == 4; }, milliseconds(2500),
               "to hold four lines");
    s.Select(IDC_LIST, 1);
    const std::string list = std::to_string(IDC_LIST);
    const auto markShown = [&](const char* wanted) {
        return s.Ok("focusmark " + list + " 1 " + wanted + " 3000").at(0);
    };
    for (int round = 1; round <= 2; ++round) {
        s.Ok("focusto " + list);
        EXPECT_EQ(markShown("1"), "1") << "the list has the focus, round " << round;
        s.Ok("focusto " + std::to_string(IDC_DELETE));
        EXPECT_EQ(markShown("0"), "0") << "the focus on Delete, round " << round;
    }
}

// At 150 % scaling (144 DPI, the default of most laptops) the program is drawn at the display's
// DPI instead of stretched as a blurred bitmap: its client area is its 280 x 158 dialog units at
// that DPI's font, half as large again as at 96 DPI, and the system counts it aware of each
// monitor's DPI (Wine counts every program so; Windows only one whose manifest asks for it).
TEST_F(Screen, HighDpiIsDrawnAtTheDisplaysDpi) {
    s.Start();
    const auto at96 = s.Ok("rect 280 158");
    s.StopProgram();

    const DisplayDpi scaled(s.wine(), 144);
    auto& port = s.StartCapturing();
    const auto dpi = s.Ok("dpi");
    EXPECT_EQ(dpi.at(0), "144") << "the display's DPI as programs see it";
    if (dpi.at(1) != "-") {
        EXPECT_EQ(dpi.at(1), "per-monitor");
    }
    const auto at144 = s.Ok("rect 280 158");
    EXPECT_EQ(at144.at(0), at144.at(2)) << "client width vs 280 dialog units at 144 DPI";
    EXPECT_EQ(at144.at(1), at144.at(3)) << "client height vs 158 dialog units at 144 DPI";
    EXPECT_NEAR(std::stod(at144.at(0)) / std::stod(at96.at(0)), 1.5, 0.1);
    EXPECT_NEAR(std::stod(at144.at(1)) / std::stod(at96.at(1)), 1.5, 0.1);

    s.SendAndFlush(port, "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    // connected., the sentence, and the move's own line feed after the unmoved bytes.
    s.WaitList([](const auto& l) { return l.size() == 3; }, milliseconds(2500),
               "to hold a GPS sentence");
    std::printf("screenshot: %s\n", s.Screenshot("dialog_at_144_dpi.png").c_str());
}

}  // namespace
}  // namespace e2e
