// What the screen shows: a screenshot kept as an artefact, the dialog's size, the scrolling, and a
// tick that brings hundreds of lines.
#include <gtest/gtest.h>

#include <fstream>

#include "message_boxes.h"
#include "scenario_registry.h"

namespace e2e {
namespace {

void ScreenshotSizeAndScrolling(Scenario& s) {
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

}  // namespace

void AddScreenScenarios(ScenarioRegistry& r) {
    r.Add("Screen", "ScreenshotSizeAndScrolling", ScreenshotSizeAndScrolling);
}

}  // namespace e2e
