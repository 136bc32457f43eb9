// Reads an extended dialog template (DLGTEMPLATEEX) from the module's resources into plain values.
#include "dialog_template.h"

#include <cstring>

namespace mirl::test {
namespace {

// Walks the packed template; every field is WORD-aligned, every item DWORD-aligned from the start.
class Reader {
  public:
    Reader(const BYTE* begin, DWORD size) : m_begin(begin), m_size(size) {}

    template <typename T>
    T Take() {
        T value{};
        if (m_pos + sizeof(T) > m_size) {
            m_ok = false;
            return value;
        }
        std::memcpy(&value, m_begin + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    std::wstring TakeString() {
        std::wstring text;
        for (WCHAR c = Take<WCHAR>(); m_ok && c != 0; c = Take<WCHAR>()) text.push_back(c);
        return text;
    }
    NameOrOrdinal TakeNameOrOrdinal() {
        NameOrOrdinal field;
        const WORD first = Take<WORD>();
        if (first == 0xFFFF) {
            field.ordinal = Take<WORD>();
        } else if (first != 0) {
            field.text.push_back(static_cast<WCHAR>(first));
            field.text += TakeString();
        }
        return field;
    }
    void Skip(size_t bytes) { m_pos += bytes; }
    void AlignToDword() { m_pos = (m_pos + 3) & ~size_t{3}; }
    bool Ok() const { return m_ok && m_pos <= m_size; }

  private:
    const BYTE* m_begin;
    size_t m_size;
    size_t m_pos = 0;
    bool m_ok = true;
};

std::wstring PredefinedClassName(WORD ordinal) {
    switch (ordinal) {
        case 0x80:
            return L"Button";
        case 0x81:
            return L"Edit";
        case 0x82:
            return L"Static";
        case 0x83:
            return L"ListBox";
        case 0x84:
            return L"ScrollBar";
        case 0x85:
            return L"ComboBox";
        default:
            return L"#" + std::to_wstring(ordinal);
    }
}

}  // namespace

std::optional<DialogTemplate> LoadDialogTemplate(int id, LANGID language) {
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC info = ::FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), language);
    if (info == nullptr) return std::nullopt;
    const HGLOBAL data = ::LoadResource(module, info);
    if (data == nullptr) return std::nullopt;
    Reader in(static_cast<const BYTE*>(::LockResource(data)), ::SizeofResource(module, info));

    DialogTemplate dlg;
    dlg.version = in.Take<WORD>();
    dlg.signature = in.Take<WORD>();
    if (dlg.version != 1 || dlg.signature != 0xFFFF) return std::nullopt;
    in.Take<DWORD>();  // help id
    dlg.exStyle = in.Take<DWORD>();
    dlg.style = in.Take<DWORD>();
    const WORD count = in.Take<WORD>();
    dlg.x = in.Take<short>();
    dlg.y = in.Take<short>();
    dlg.cx = in.Take<short>();
    dlg.cy = in.Take<short>();
    dlg.menu = in.TakeNameOrOrdinal();
    dlg.windowClass = in.TakeNameOrOrdinal();
    dlg.caption = in.TakeString();
    if (dlg.style & (DS_SETFONT | DS_SHELLFONT)) {
        dlg.pointSize = in.Take<WORD>();
        in.Take<WORD>();  // weight
        in.Take<BYTE>();  // italic
        in.Take<BYTE>();  // character set
        dlg.typeface = in.TakeString();
    }
    for (WORD i = 0; i < count && in.Ok(); ++i) {
        in.AlignToDword();
        DialogItem item;
        in.Take<DWORD>();  // help id
        item.exStyle = in.Take<DWORD>();
        item.style = in.Take<DWORD>();
        item.x = in.Take<short>();
        item.y = in.Take<short>();
        item.cx = in.Take<short>();
        item.cy = in.Take<short>();
        item.id = static_cast<int>(in.Take<DWORD>());
        const NameOrOrdinal cls = in.TakeNameOrOrdinal();
        item.className = cls.ordinal ? PredefinedClassName(*cls.ordinal) : cls.text;
        item.title = in.TakeNameOrOrdinal();
        in.Skip(in.Take<WORD>());  // creation data
        dlg.items.push_back(item);
    }
    if (!in.Ok()) return std::nullopt;
    return dlg;
}

}  // namespace mirl::test
