// The class layer in one include, as dialog and application code expect it.
#pragma once

#include <windows.h>

#include "afxres.h"
#include "cmd_target.h"
#include "controls.h"
#include "cstring.h"
#include "dc.h"
#include "ddx.h"
#include "dialog.h"
#include "menu.h"
#include "message_map.h"
#include "rect.h"
#include "win_thread.h"
#include "winapp.h"
#include "wnd.h"
