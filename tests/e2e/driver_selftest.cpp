// The driver checked against e2e_fixture.exe, whose behaviour we wrote ourselves: if these fail,
// the harness is wrong, not the program.
#include <gtest/gtest.h>

#include "driver/fixture/fixture_resource.h"
#include "scenario_test.h"

namespace e2e {
namespace {

using DriverSelfTest = ScenarioTest;

const std::string kFixture = "e2e\\x20fixture";  // the caption, escaped for the protocol

void StartFixture(Scenario& s) {
    s.Start(s.wine().paths().fixture, kFixture);
}

TEST_F(DriverSelfTest, ReadsControlsListAndCombo) {
    StartFixture(s);
    EXPECT_EQ(s.Combo(IDC_FIX_COMBO).items, (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_EQ(s.Combo(IDC_FIX_COMBO).selected, 1);
    EXPECT_EQ(s.Text(IDC_FIX_COMBO), "beta");
    s.Select(IDC_FIX_COMBO, 2);
    EXPECT_EQ(s.Text(IDC_FIX_COMBO), "gamma");
    EXPECT_EQ(s.FocusId(), IDC_FIX_TOGGLE);
    EXPECT_TRUE(s.Enabled(IDC_FIX_TOGGLE));
    EXPECT_EQ(s.Text(IDC_FIX_TOGGLE), "Toggle");
    // Bytes come back as the fixture added them: CR/LF, every high byte, a long line.
    s.Command(IDC_FIX_FILL);
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high.push_back(static_cast<char>(b));
    s.WaitListEquals({"crlf\r\n", high, std::string(600, 'L') + "\n"}, milliseconds(5000));
}

TEST_F(DriverSelfTest, SeesTextsWhileTheUiThreadIsBlocked) {
    StartFixture(s);
    const auto seen = s.Ok("watchtext " + std::to_string(IDC_FIX_TOGGLE) + " 1500 click");
    EXPECT_EQ(seen, (std::vector<std::string>{"Toggle", "Wait...", "Toggled"}));
    s.WaitListEquals({"toggled"}, milliseconds(5000));
}

TEST_F(DriverSelfTest, ReadsMessageBoxesAndTheirIcons) {
    StartFixture(s);
    s.Command(IDC_FIX_BOXES);
    s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "asterisk", {IDOK});
    s.Answer(IDOK);
    s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "exclamation", {IDOK, IDCANCEL});
    s.Answer(IDCANCEL);
    s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "hand", {IDYES, IDNO, IDCANCEL});
    s.Answer(IDNO);
    s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "question", {IDYES, IDNO});
    s.Answer(IDYES);
    s.ExpectBox(s.WaitBox(), "Fixture box", "Box text", "none", {IDOK});
    // Escape closes a box with OK only (Wine answers IDCANCEL there, Windows IDOK).
    s.Ok("key escape");
    const auto lines = s.WaitList([](const auto& l) { return l.size() == 5; }, milliseconds(5000),
                                  "to hold five answers");
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"answer 1", "answer 2", "answer 7", "answer 6"}));
    s.ExpectNoBox(milliseconds(300));
}

TEST_F(DriverSelfTest, OpensTheLastSystemMenuItemAndEnds) {
    StartFixture(s);
    // Keyboard through the system menu: the last item is the fixture's own.
    s.Ok("keymenu");
    s.Ok("key up");
    s.Ok("key enter");
    s.ExpectBox(s.WaitBox(), "About fixture", "About text", "none", {IDOK});
    s.Answer(IDOK);
    const auto rect = s.Ok("rect 280 158");
    EXPECT_EQ(rect.at(0), rect.at(2)) << "client width vs 280 dialog units";
    EXPECT_EQ(rect.at(1), rect.at(3)) << "client height vs 158 dialog units";
    s.Ok("key escape");
    EXPECT_TRUE(s.WaitProgramExit(milliseconds(5000)).has_value());
}

}  // namespace
}  // namespace e2e
