// Setting and clearing the items' descriptions through the annotation service.
#include "item_descriptions.h"

#include "cstring.h"

namespace {

// Written out here rather than taken from oleacc.h, which only defines its GUIDs in a file that
// includes initguid.h first.
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kDescription = {
    0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};

// An item's child id in its list's client object.
DWORD ChildOf(int index) {
    return static_cast<DWORD>(index) + 1;
}

}  // namespace

CItemDescriptions::~CItemDescriptions() {
    for (const int index : m_described) Forget(index);
}

HRESULT CItemDescriptions::Set(HWND list, const std::map<int, std::string>& descriptions) {
    if (!m_services) {
        void* services = nullptr;
        const HRESULT created = ::CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                                   kIAccPropServices, &services);
        if (FAILED(created)) return created;
        m_services.reset(static_cast<IAccPropServices*>(services));
    }
    HRESULT result = S_OK;
    const auto note = [&result](HRESULT outcome) {
        if (SUCCEEDED(result) && FAILED(outcome)) result = outcome;
    };
    // What is no longer described, or was described on another window, is cleared where it was.
    for (const int index : m_described) {
        if (list != m_list || !descriptions.contains(index)) note(Forget(index));
    }
    m_described.clear();
    m_list = list;
    for (const auto& [index, text] : descriptions) {
        const std::wstring wide = mirl::WideFromAnsi(text);
        note(m_services.get()->SetHwndPropStr(list, static_cast<DWORD>(OBJID_CLIENT),
                                              ChildOf(index), kDescription, wide.c_str()));
        m_described.push_back(index);
    }
    return result;
}

HRESULT CItemDescriptions::Forget(int index) {
    MSAAPROPID description = kDescription;
    return m_services.get()->ClearHwndProps(m_list, static_cast<DWORD>(OBJID_CLIENT),
                                            ChildOf(index), &description, 1);
}
