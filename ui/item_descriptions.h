// Accessible descriptions of single items of a list window, for screen readers, which know the
// items of an owner-drawn list by their strings alone. Set through Dynamic Annotation (oleacc,
// Windows XP and later): the list keeps its own accessible object, and each item described gets a
// description beside its name.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleacc.h>

#include <map>
#include <string>
#include <vector>

#include "win32_handles.h"

// Typical use: descriptions.Set(listWindow, {{6, "present, Arduino Uno"}}) after each change; the
// items described before and not now lose theirs. Everything set goes with this object.
class CItemDescriptions {
  public:
    CItemDescriptions() = default;
    ~CItemDescriptions();
    CItemDescriptions(const CItemDescriptions&) = delete;
    CItemDescriptions& operator=(const CItemDescriptions&) = delete;

    // By item index, in the ANSI code page. S_OK, or the first failure: E_NOTIMPL where the
    // system has no Dynamic Annotation (Wine), what CoCreateInstance said where oleacc is missing.
    HRESULT Set(HWND list, const std::map<int, std::string>& descriptions);

  private:
    HRESULT Forget(int index);

    mirl::com_apartment_scope m_apartment;
    mirl::unique_com<IAccPropServices> m_services;
    HWND m_list = nullptr;
    std::vector<int> m_described;
};
