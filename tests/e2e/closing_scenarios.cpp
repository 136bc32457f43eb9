// Ending the program (Exit, Escape, the system menu's Close) and the About box.
#include <gtest/gtest.h>

#include "scenario_test.h"
#include "version.h"

namespace e2e {
namespace {

using Closing = ScenarioTest;

const char kAboutCaption[] =
    "Info \xC3\xBC"
    "ber mirlTTY";  // UTF-8, as the driver reports it

void ExpectEndsWithin(Scenario& s, milliseconds limit, const char* how) {
    const auto took = s.WaitProgramExit(milliseconds(10000));
    ASSERT_TRUE(took.has_value()) << how << ": the program did not end within 10 s";
    EXPECT_LE(took->count(), limit.count())
        << how << ": the program took " << took->count() << " ms to end";
}

void ExpectAboutBox(Scenario& s) {
    const auto box = s.WaitBox();
    EXPECT_EQ(box.caption, kAboutCaption);
    EXPECT_EQ(box.text, MIRL_ABOUT_VERSION_LINE);
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    const auto children = s.Ok("children " + box.hwnd);
    EXPECT_NE(std::find(children.begin(), children.end(), "1:Button:OK"), children.end());
}

TEST_F(Closing, ExitDuringCaptureEndsAtOnceAndFreesThePort) {
    auto& port = s.StartCapturing();
    s.SendAndFlush(port, "busy\r\n");
    s.WaitListEquals({"connected.", "busy\r\n", "\n"}, milliseconds(2500));
    s.Click(IDCANCEL);
    ExpectEndsWithin(s, milliseconds(1000), "Exit during a capture");
    // Wine does not refuse a second open of a COM device, so the driver's own open would prove
    // nothing; a new program that connects and captures at once does.
    s.Start();
    s.ConnectFresh();
    s.SendAndFlush(port, "again\r\n");
    s.WaitListEquals({"connected.", "again\r\n", "\n"}, milliseconds(2500));
}

TEST_F(Closing, EscapeEnds) {
    s.Start();
    s.Ok("key escape");
    ExpectEndsWithin(s, milliseconds(1000), "Escape");
}

TEST_F(Closing, SystemMenuCloseEnds) {
    s.Start();
    s.Ok("syscommand " + std::to_string(SC_CLOSE));
    ExpectEndsWithin(s, milliseconds(1000), "SC_CLOSE");
}

TEST_F(Closing, AboutBoxFromTheSystemMenu) {
    s.Start();
    s.Ok("syscommand " + std::to_string(IDM_ABOUTBOX));
    ExpectAboutBox(s);
    s.Answer(IDOK);
    EXPECT_TRUE(s.Alive());
    EXPECT_EQ(s.Text(IDC_CONNECT), "Connect");
    // Through the menu itself: Alt+Space, Up to the last item, Enter.
    s.Ok("keymenu");
    s.Ok("key up");
    s.Ok("key enter");
    ExpectAboutBox(s);
    s.Ok("key escape");
    s.WaitNoBox(milliseconds(3000));
    EXPECT_TRUE(s.Alive());
    EXPECT_EQ(s.List(), std::vector<std::string>{});
}

}  // namespace
}  // namespace e2e
