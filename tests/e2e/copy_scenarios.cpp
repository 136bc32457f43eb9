// Copying captured lines out through the list's context menu, worked from outside as a user
// would, while the capture goes on.
#include <gtest/gtest.h>

#include "copy_text.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using Copy = ScenarioTest;

const std::string kFirst = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
const std::string kSecond = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,,,*6A\r\n";
const std::string kThird = "$GPGLL,4916.45,N,12311.12,W,225444,A,*1D\r\n";

// The clipboard's text, once there is one; both formats must be there and say the same.
std::string ClipboardText(Scenario& s) {
    const auto held = s.Ok("clipboard 2000");
    if (held.at(0) != "1" || held.at(2) != "1")
        throw ScenarioFailure("the clipboard lacks a text format: " + Visible(held.at(1)) + " / " +
                              Visible(held.at(3)));
    EXPECT_EQ(Visible(held.at(1)), Visible(held.at(3))) << "CF_UNICODETEXT vs CF_TEXT";
    return held.at(3);
}

TEST_F(Copy, MenuCopiesAllLinesAndTheChosenLineWhileTheCaptureGoesOn) {
    const std::string list = std::to_string(IDC_LIST);
    auto& port = s.StartCapturing();
    s.SendAndFlush(port, kFirst + kSecond);
    s.WaitListEquals({"connected.", kFirst, kSecond, "\n"}, milliseconds(2500));

    // The menu from the keyboard, left open while a tick adds what arrives meanwhile; the
    // clipboard cleared first, so that nothing older can pass for the copy.
    s.Ok("clipclear");
    s.Ok("contextmenu " + list);
    s.SendAtPhase(port, kThird);
    s.WaitListEquals({"connected.", kFirst, kSecond, "\n", kThird, "\n"}, milliseconds(2500));
    s.Ok("menupick a");
    const std::vector<std::string> shown = s.List();
    EXPECT_EQ(Visible(ClipboardText(s)), Visible(mirl::CopyTextOfAllLines(shown)));

    // A selected line, from the keyboard menu.
    s.Ok("clipclear");
    s.Ok("select " + list + " 2");
    s.Ok("contextmenu " + list);
    s.Ok("menupick c");
    EXPECT_EQ(Visible(ClipboardText(s)), Visible(mirl::CopyTextOfLine(shown.at(2))));

    // A right-click on another line selects that one first.
    s.Ok("clipclear");
    s.Ok("contextmenu " + list + " 4");
    s.Ok("menupick c");
    EXPECT_EQ(Visible(ClipboardText(s)), Visible(mirl::CopyTextOfLine(shown.at(4))));
    EXPECT_EQ(s.List(), shown) << "copying leaves the list as it was";
}

}  // namespace
}  // namespace e2e
