// Ids of the reference dialog; plain defines, shared by its resource script and its code.
#pragma once

#define IDD_BARE 100
#define IDC_BARE_CONNECT 1006
#define IDC_BARE_PORT 1000
#define IDC_BARE_LIST 1013
