// Dialog initialisation data (resource type 240): the item lists a template gives its combo boxes.
#pragma once

#include <windows.h>

#include <cstddef>

namespace mirl {

// The resource type that resource compilers write DLGINIT blocks as.
inline constexpr WORD kDialogInitResourceType = 240;

// Runs the records of one block on the dialog's children. A record is WORD control id, WORD
// message, DWORD length, then `length` bytes (a NUL-terminated ANSI string); a zero id ends the
// block. The message words are the 16-bit-era CB_ADDSTRING (0x403) and LB_ADDSTRING (0x401), or
// the Win32 values. FALSE if a control refused an item or the block is malformed.
BOOL ExecuteDialogInitData(HWND hDlg, const void* data, std::size_t size);

// Finds the block named like the dialog template and runs it; TRUE when there is none.
BOOL ExecuteDialogInitResource(HWND hDlg, HINSTANCE hInstance, LPCSTR lpszTemplateName);

}  // namespace mirl
