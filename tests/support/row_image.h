// A list row's pixels in a 32-bit image, to compare what a list drew or the screen shows with a
// text drawn by plain GDI. Windows only, for the dialog tests and the end-to-end driver.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <set>

#include "win32_handles.h"

namespace mirl::test {

class RowImage {
  public:
    // Filled with a colour no row has, so that what a drawing leaves out shows, in a context with
    // the colours a list box sets for an unselected row.
    explicit RowImage(const RECT& row) : m_size{row.right - row.left, row.bottom - row.top} {
        BITMAPINFO info{
            {sizeof(BITMAPINFOHEADER), m_size.cx, -m_size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
        m_selected.emplace(m_dc.get(), m_bitmap.get());
        const unique_hbrush unpainted(::CreateSolidBrush(RGB(255, 0, 255)));
        const RECT all = rect();
        ::FillRect(m_dc.get(), &all, unpainted.get());
        ::SetTextColor(m_dc.get(), ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(m_dc.get(), ::GetSysColor(COLOR_WINDOW));
    }

    HDC dc() const { return m_dc.get(); }
    RECT rect() const { return {0, 0, m_size.cx, m_size.cy}; }

    bool CopyScreen(const RECT& row) {
        const unique_window_dc screen(nullptr);
        return ::BitBlt(m_dc.get(), 0, 0, m_size.cx, m_size.cy, screen.get(), row.left, row.top,
                        SRCCOPY) != FALSE;
    }

    // `text` in `font` at `inset` as a row selected or not shows it, the focus mark on top.
    void DrawReference(HGDIOBJ font, const char* text, int inset, bool selected, bool focusMark) {
        const RECT all = rect();
        ::FillRect(m_dc.get(), &all, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const select_object_scope in(m_dc.get(), font);
        ::SetBkMode(m_dc.get(), TRANSPARENT);
        ::SetTextColor(m_dc.get(),
                       ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::TextOutA(m_dc.get(), inset, 0, text, static_cast<int>(std::strlen(text)));
        if (focusMark) ::DrawFocusRect(m_dc.get(), &all);
    }

    int Differences(const RowImage& other) const {
        ::GdiFlush();
        int differing = 0;
        for (LONG i = 0; i < m_size.cx * m_size.cy; ++i) differing += Pixel(i) != other.Pixel(i);
        return differing;
    }

    // A focus mark's dots make the leftmost column more than one colour; the text, drawn in from
    // the edge, never does.
    bool LeftEdgeIsPlain() const {
        ::GdiFlush();
        std::set<std::uint32_t> colours;
        for (LONG y = 0; y < m_size.cy; ++y) colours.insert(Pixel(y * m_size.cx));
        return colours.size() == 1;
    }

  private:
    std::uint32_t Pixel(LONG i) const { return static_cast<const std::uint32_t*>(m_bits)[i]; }

    SIZE m_size;
    unique_hdc m_dc{::CreateCompatibleDC(nullptr)};
    unique_hbitmap m_bitmap;
    void* m_bits = nullptr;
    std::optional<select_object_scope> m_selected;
};

}  // namespace mirl::test
