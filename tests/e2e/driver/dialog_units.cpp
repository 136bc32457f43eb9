// A hidden in-memory dialog with the wanted font converts dialog units exactly as the program's
// own dialog does, and holds the font the program's dialogs get.
#include "dialog_units.h"

#include <cstring>
#include <cwchar>
#include <vector>

#include "win32_handles.h"

namespace e2e {
namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

void Put(std::vector<WORD>& out, const void* data, size_t bytes) {
    const size_t words = (bytes + 1) / 2;
    const size_t at = out.size();
    out.resize(at + words, 0);
    std::memcpy(out.data() + at, data, bytes);
}

}  // namespace

mirl::unique_hwnd DialogWithFont(const wchar_t* face, WORD points, int cx, int cy) {
    DLGTEMPLATE header = {};
    header.style = WS_POPUP | DS_SETFONT;
    header.cx = static_cast<short>(cx);
    header.cy = static_cast<short>(cy);
    std::vector<WORD> blob;
    Put(blob, &header, sizeof header);
    blob.push_back(0);  // no menu
    blob.push_back(0);  // default class
    blob.push_back(0);  // empty title
    blob.push_back(points);
    Put(blob, face, (std::wcslen(face) + 1) * sizeof(wchar_t));

    return mirl::unique_hwnd(CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(blob.data()), nullptr,
        QuietProc, 0));
}

std::optional<SIZE> DialogUnitsToPixels(int cx, int cy, const wchar_t* face, WORD points) {
    const mirl::unique_hwnd dialog = DialogWithFont(face, points, cx, cy);
    if (!dialog) return std::nullopt;
    RECT rect = {0, 0, cx, cy};
    if (!MapDialogRect(dialog.get(), &rect)) return std::nullopt;
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace e2e
