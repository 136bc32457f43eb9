// The texts are the program's own, word for word: users and their scripts match on them.
#include "message_boxes.h"

#include <cstdio>

namespace e2e {

void ExpectConfirmBox(Scenario& s) {
    s.ExpectBox(s.WaitBox(), "mirlTTY", "Opening a new connection, all data will be deleted !",
                "exclamation", {IDOK, IDCANCEL});
}

void ExpectDeleteBox(Scenario& s) {
    s.ExpectBox(s.WaitBox(), "MirlTTY", "Do you want to delete all data ?", "hand",
                {IDYES, IDNO, IDCANCEL});
}

void ExpectErrorBox(Scenario& s) {
    s.ExpectBox(s.WaitBox(), "Error", "A connection could not put up.", "exclamation", {IDOK});
}

void ExpectLimitBox(Scenario& s) {
    s.ExpectBox(s.WaitBox(milliseconds(5000)), "MirlTTY",
                "Reading data stopped early. Maximum data reached.", "asterisk", {IDOK});
}

void ExpectConfirmedConnectFails(Scenario& s) {
    s.Click(IDC_CONNECT);
    ExpectConfirmBox(s);
    s.Answer(IDOK);
    ExpectErrorBox(s);
    s.Answer(IDOK);
    s.WaitListEquals({}, milliseconds(2000));
    s.ExpectLocked(false);
}

int CountShown(Scenario& s) {
    s.Command(IDC_COUNT);
    const auto box = s.WaitBox();
    int count = -1;
    if (std::sscanf(box.text.c_str(), "Readed characters: %d", &count) != 1)
        throw ScenarioFailure("expected the count message; seen " + box.Describe());
    s.ExpectBox(box, "mirltty", "Readed characters: " + std::to_string(count) + " (max. 2001)",
                "none", {IDOK});
    s.Answer(IDOK);
    return count;
}

}  // namespace e2e
