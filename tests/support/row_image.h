// A list row's pixels in a 32-bit image: what a list drew into it, what the screen shows of a row,
// or what plain GDI draws of a text, to compare. Windows only, for the dialog tests and the
// end-to-end driver.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <numeric>
#include <optional>
#include <set>

#include "win32_handles.h"

namespace mirl::test {

class RowImage {
  public:
    // Filled with a colour no row has, so that what a drawing leaves out shows; the context's
    // colours are those a list box sets for an unselected row.
    explicit RowImage(const RECT& row) : m_row{0, 0, row.right - row.left, row.bottom - row.top} {
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof info.bmiHeader, m_row.right, -m_row.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        m_bitmap.reset(::CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &m_bits, nullptr, 0));
        m_selected.emplace(m_dc.get(), m_bitmap.get());
        const unique_hbrush unpainted(::CreateSolidBrush(RGB(255, 0, 255)));
        ::FillRect(m_dc.get(), &m_row, unpainted.get());
        ::SetTextColor(m_dc.get(), ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(m_dc.get(), ::GetSysColor(COLOR_WINDOW));
    }
    RowImage(const RowImage&) = delete;
    RowImage& operator=(const RowImage&) = delete;

    HDC dc() const { return m_dc.get(); }
    const RECT& rect() const { return m_row; }

    // What the screen shows at `onScreen` (the same size).
    bool CopyScreen(const RECT& onScreen) {
        const unique_window_dc screen(nullptr);
        return ::BitBlt(m_dc.get(), 0, 0, m_row.right, m_row.bottom, screen.get(), onScreen.left,
                        onScreen.top, SRCCOPY) != FALSE;
    }

    // What plain GDI draws of `text` in `font` at `inset`, in the colours of a selected row or
    // not, the focus mark on top where asked.
    void DrawReference(HGDIOBJ font, const char* text, int inset, bool selected, bool focusMark) {
        ::FillRect(m_dc.get(), &m_row,
                   ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        const select_object_scope in(m_dc.get(), font);
        ::SetBkMode(m_dc.get(), TRANSPARENT);
        ::SetTextColor(m_dc.get(),
                       ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::TextOutA(m_dc.get(), inset, 0, text, static_cast<int>(std::strlen(text)));
        if (focusMark) ::DrawFocusRect(m_dc.get(), &m_row);
    }

    // How many pixels differ from `other`'s (of the same size).
    int Differences(const RowImage& other) const {
        ::GdiFlush();
        return static_cast<int>(std::inner_product(Pixels(), Pixels() + Count(), other.Pixels(), 0,
                                                   std::plus<>(), std::not_equal_to<>()));
    }

    // The colours of the row's leftmost column: a focus mark's dots there make it more than one,
    // the text, drawn in from the edge, never does.
    std::size_t ColoursAtLeftEdge() const {
        ::GdiFlush();
        std::set<std::uint32_t> colours;
        for (LONG y = 0; y < m_row.bottom; ++y) colours.insert(Pixels()[y * m_row.right]);
        return colours.size();
    }

  private:
    const std::uint32_t* Pixels() const { return static_cast<const std::uint32_t*>(m_bits); }
    LONG Count() const { return m_row.right * m_row.bottom; }

    RECT m_row;
    unique_hdc m_dc{::CreateCompatibleDC(nullptr)};
    unique_hbitmap m_bitmap;
    void* m_bits = nullptr;
    std::optional<select_object_scope> m_selected;
};

}  // namespace mirl::test
