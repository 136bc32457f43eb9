// The chosen line settings as the pseudo-terminal received them, as far as a pty keeps them:
// it forces 8 data bits and clears PARENB, but keeps INPCK/PARODD/CMSPAR and CSTOPB.
#include <gtest/gtest.h>
#include <termios.h>

#include "scenario_test.h"

#ifndef CMSPAR
#define CMSPAR 010000000000
#endif

namespace e2e {
namespace {

using Settings = ScenarioTest;

struct Choice {
    int baud_index;
    int parity_index;
    int bits_index;
    int stop_index;
    speed_t speed;    // what the pty reports
    tcflag_t iflags;  // of INPCK
    tcflag_t cflags;  // of PARODD | CMSPAR | CSTOPB
    const char* what;
};

std::string Flags(const termios& t) {
    std::string out = "speed " + std::to_string(cfgetospeed(&t));
    if (t.c_iflag & INPCK) out += " INPCK";
    if (t.c_cflag & PARODD) out += " PARODD";
    if (t.c_cflag & CMSPAR) out += " CMSPAR";
    if (t.c_cflag & CSTOPB) out += " CSTOPB";
    if ((t.c_cflag & CSIZE) == CS8) out += " CS8";
    return out;
}

void ExpectSettings(Scenario& s, PtyPair& port, const Choice& c) {
    s.Select(IDC_BAUD, c.baud_index);
    s.Select(IDC_PARITY, c.parity_index);
    s.Select(IDC_DATABITS, c.bits_index);
    s.Select(IDC_STOPBITS, c.stop_index);
    s.ConnectFresh();
    const termios t = port.Settings();
    termios want = {};
    cfsetospeed(&want, c.speed);
    want.c_iflag = c.iflags;
    want.c_cflag = c.cflags | CS8;
    EXPECT_EQ(cfgetospeed(&t), c.speed) << c.what << ": seen " << Flags(t);
    EXPECT_EQ(t.c_iflag & INPCK, c.iflags) << c.what << ": seen " << Flags(t);
    EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR | CSTOPB), c.cflags)
        << c.what << ": expected " << Flags(want) << ", seen " << Flags(t);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8)) << c.what << ": a pty keeps CS8";
    s.Click(IDC_CONNECT);
    s.WaitList([](const auto& l) { return !l.empty() && l.back() == "disconnect."; },
               milliseconds(3000), "to end with \"disconnect.\"");
}

// COM12, picked by its list entry: the program reads the port's name at Connect.
TEST_F(Settings, ChosenValuesReachThePort) {
    auto& port = s.AttachPort(12);
    s.Start();
    s.Select(IDC_PORT, 11);
    ASSERT_EQ(s.Text(IDC_PORT), "COM12");
    const termios before = port.Settings();
    ASSERT_EQ(cfgetospeed(&before), static_cast<speed_t>(B1800))
        << "the pty starts at a speed the program never picks";
    // 56000 has no termios code; Linux reads it back as 38400.
    ExpectSettings(s, port, {10, 1, 2, 2, B38400, INPCK, CSTOPB, "56000 Even 7 2"});
    ExpectSettings(s, port, {6, 0, 3, 0, B9600, 0, 0, "9600 None 8 1"});
    ExpectSettings(s, port, {12, 2, 3, 0, B115200, INPCK, PARODD, "115200 Odd 8 1"});
    ExpectSettings(s, port,
                   {3, 3, 0, 1, B1200, INPCK, PARODD | CMSPAR | CSTOPB, "1200 Mark 5 1.5"});
    ExpectSettings(s, port, {0, 4, 1, 0, B110, INPCK, CMSPAR, "110 Space 6 1"});
}

}  // namespace
}  // namespace e2e
