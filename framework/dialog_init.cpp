// Runs a dialog template's initialisation data, the way resource editors lay it out.
#include "dialog_init.h"

#include <cstdint>
#include <cstring>

namespace mirl {
namespace {

// The block was written for 16-bit Windows, where these messages had other numbers.
constexpr WORD kWin16ListBoxAddString = 0x0401;
constexpr WORD kWin16ComboBoxAddString = 0x0403;

template <typename T>
T ReadAt(const unsigned char* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);  // records are only WORD-aligned
    return value;
}

}  // namespace

BOOL ExecuteDialogInitData(HWND hDlg, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t pos = 0;
    BOOL ok = TRUE;
    while (pos + sizeof(WORD) <= size) {
        WORD controlId = ReadAt<WORD>(bytes + pos);
        if (controlId == 0) return ok;
        if (pos + 2 * sizeof(WORD) + sizeof(DWORD) > size) return FALSE;
        WORD message = ReadAt<WORD>(bytes + pos + 2);
        DWORD length = ReadAt<DWORD>(bytes + pos + 4);
        pos += 2 * sizeof(WORD) + sizeof(DWORD);
        if (length > size - pos) return FALSE;

        UINT win32Message = message;
        if (message == kWin16ListBoxAddString) win32Message = LB_ADDSTRING;
        if (message == kWin16ComboBoxAddString) win32Message = CB_ADDSTRING;
        if (win32Message == LB_ADDSTRING || win32Message == CB_ADDSTRING) {
            // The item must end inside the record, or the control would read past it.
            if (length == 0 || bytes[pos + length - 1] != '\0') return FALSE;
            LRESULT added = ::SendDlgItemMessageA(hDlg, controlId, win32Message, 0,
                                                  reinterpret_cast<LPARAM>(bytes + pos));
            // LB_ERR and CB_ERR are both -1; LB_ERRSPACE/CB_ERRSPACE are -2.
            if (added < 0) ok = FALSE;
        }
        pos += length;
    }
    return ok;
}

BOOL ExecuteDialogInitResource(HWND hDlg, HINSTANCE hInstance, LPCSTR lpszTemplateName) {
    HRSRC found =
        ::FindResourceA(hInstance, lpszTemplateName, MAKEINTRESOURCEA(kDialogInitResourceType));
    if (found == nullptr) return TRUE;
    HGLOBAL loaded = ::LoadResource(hInstance, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) return FALSE;
    return ExecuteDialogInitData(hDlg, data, ::SizeofResource(hInstance, found));
}

}  // namespace mirl
