// The program's message boxes, each checked whole: caption, text, icon and buttons.
#pragma once

#include "scenario.h"

namespace e2e {

// Each waits for the box to open and checks it; the scenario answers it.
void ExpectConfirmBox(Scenario& s);
void ExpectDeleteBox(Scenario& s);
void ExpectErrorBox(Scenario& s);
void ExpectLimitBox(Scenario& s);

// Connect over old data on a port that cannot be opened: OK to the confirmation clears the list
// before the error box; the program stays idle.
void ExpectConfirmedConnectFails(Scenario& s);

// Asks for the count message (IDC_COUNT), checks it, closes it and returns the count it shows.
int CountShown(Scenario& s);

}  // namespace e2e
