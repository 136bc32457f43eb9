// The driver checked against e2e_fixture.exe, whose behaviour we wrote ourselves: if these fail,
// the harness is wrong, not the program.
#include <gtest/gtest.h>

#include <thread>

#include "line_model.h"
#include "scenario_registry.h"

namespace e2e {
namespace {

const std::string kFixture = "e2e\\x20fixture";  // the caption, escaped for the protocol

void StartFixture(Scenario& s) {
    s.Start(s.wine().paths().fixture, kFixture);
}

}  // namespace

void AddDriverSelfTests(ScenarioRegistry& r) {
    r.Add("DriverSelfTest", "ReadsControlsListAndCombo", [](Scenario& s) {
        StartFixture(s);
        EXPECT_EQ(s.Combo(1001).items, (std::vector<std::string>{"alpha", "beta", "gamma"}));
        EXPECT_EQ(s.Combo(1001).selected, 1);
        EXPECT_EQ(s.Text(1001), "beta");
        s.Select(1001, 2);
        EXPECT_EQ(s.Text(1001), "gamma");
        EXPECT_EQ(s.FocusId(), 1006);
        EXPECT_TRUE(s.Enabled(1006));
        EXPECT_EQ(s.Text(1006), "Toggle");
        // Bytes come back as the fixture added them: CR/LF, every high byte, a long line.
        s.Command(1012);
        std::string high;
        for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
        s.WaitListEquals({"crlf\r\n", high, std::string(600, 'L') + "\n"}, milliseconds(5000));
    });
    r.Add("DriverSelfTest", "SeesTextsWhileTheUiThreadIsBlocked", [](Scenario& s) {
        StartFixture(s);
        s.Click(1006);
        const auto seen = s.Ok("watchtext 1006 1500");
        EXPECT_EQ(seen, (std::vector<std::string>{"Toggle", "Wait...", "Toggled"}));
        s.WaitListEquals({"toggled"}, milliseconds(5000));
    });
    r.Add("DriverSelfTest", "ReadsMessageBoxesAndTheirIcons", [](Scenario& s) {
        StartFixture(s);
        s.Command(1016);
        s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "asterisk", {1});
        s.Answer(1);
        s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "exclamation", {1, 2});
        s.Answer(2);
        s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "hand", {6, 7, 2});
        s.Answer(7);
        s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "question", {6, 7});
        s.Answer(6);
        s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "none", {1});
        // Escape closes a box with OK only (Wine answers IDCANCEL there, Windows IDOK).
        s.Ok("key escape");
        const auto lines = s.WaitList([](const auto& l) { return l.size() == 5; },
                                      milliseconds(5000), "to hold five answers");
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
                  (std::vector<std::string>{"answer 1", "answer 2", "answer 7", "answer 6"}));
        s.ExpectNoBox(milliseconds(300));
    });
    r.Add("DriverSelfTest", "OpensTheLastSystemMenuItemAndEnds", [](Scenario& s) {
        StartFixture(s);
        // Keyboard through the system menu: the last item is the fixture's own.
        s.Ok("keymenu");
        std::this_thread::sleep_for(milliseconds(500));
        s.Ok("key up");
        s.Ok("key enter");
        s.ExpectBox(s.WaitBox(), "About fixture", "About text", "none", {1});
        s.Answer(1);
        const auto rect = s.Ok("rect");
        EXPECT_EQ(rect.at(0), rect.at(2)) << "client width vs 280 dialog units";
        EXPECT_EQ(rect.at(1), rect.at(3)) << "client height vs 158 dialog units";
        s.Ok("key escape");
        EXPECT_TRUE(s.WaitProgramExit(milliseconds(5000)).has_value());
    });
}

}  // namespace e2e
