// Reads an extended dialog template (DLGTEMPLATEEX) from the module's resources into plain values.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace mirl::test {

// A name-or-ordinal field: an ordinal when `ordinal` is set, otherwise the text.
struct NameOrOrdinal {
    std::optional<WORD> ordinal;
    std::wstring text;
};

struct DialogItem {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring className;  // the predefined ordinals 0x80..0x85 given by name
    NameOrOrdinal title;
};

struct DialogTemplate {
    WORD version = 0;
    WORD signature = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<DialogItem> items;
};

// The template of resource `id` in the given language, or nothing when it is missing or is not
// an extended template.
std::optional<DialogTemplate> LoadDialogTemplate(int id, LANGID language);

}  // namespace mirl::test
