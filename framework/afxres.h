// Identifiers the class layer itself defines, usable from resource scripts and from code.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// The standard Help command, routed from a dialog to the application object.
#define ID_HELP 0xE146
