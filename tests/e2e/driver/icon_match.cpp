// Icon handles are per process under Wine, so a handle comparison across processes says nothing;
// instead the control's screen pixels are compared with our own drawing of each standard icon.
#include "icon_match.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "win32_handles.h"

namespace e2e {
namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;  // 0x00RRGGBB, top-down rows
};

// Draws `paint` into a fresh top-down 32-bit bitmap and returns its pixels.
template <typename Paint>
Pixels Render(int width, int height, Paint paint) {
    Pixels out{width, height, {}};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    mirl::unique_window_dc screen(nullptr);
    mirl::unique_hdc dc(CreateCompatibleDC(screen.get()));
    mirl::unique_hbitmap bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !bitmap || !bits) return out;
    {
        mirl::select_object_scope select(dc.get(), bitmap.get());
        paint(dc.get(), screen.get());
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        out.data.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
    }
    for (auto& px : out.data) px &= 0x00FFFFFF;
    return out;
}

Pixels IconOn(HICON icon, int width, int height, COLORREF background) {
    return Render(width, height, [&](HDC dc, HDC) {
        const RECT all = {0, 0, width, height};
        mirl::unique_hbrush brush(CreateSolidBrush(background));
        FillRect(dc, &all, brush.get());
        DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    });
}

bool Near(std::uint32_t a, std::uint32_t b) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > 12) return false;
    }
    return true;
}

// Share of the icon's opaque pixels (same on two backgrounds) that the screen shows alike.
double Score(const Pixels& screen, HICON icon) {
    const Pixels on_magenta = IconOn(icon, screen.width, screen.height, RGB(255, 0, 255));
    const Pixels on_green = IconOn(icon, screen.width, screen.height, RGB(0, 255, 0));
    if (on_magenta.data.size() != screen.data.size() || on_green.data.size() != screen.data.size())
        return 0.0;
    size_t opaque = 0;
    size_t alike = 0;
    for (size_t i = 0; i < screen.data.size(); ++i) {
        if (on_magenta.data[i] != on_green.data[i]) continue;
        ++opaque;
        if (Near(on_magenta.data[i], screen.data[i])) ++alike;
    }
    return opaque == 0 ? 0.0 : static_cast<double>(alike) / static_cast<double>(opaque);
}

}  // namespace

std::string IdentifyIcon(HWND icon_static) {
    if (!icon_static || !IsWindowVisible(icon_static)) return "none";
    // The handle's value means nothing here, but whether there is one does.
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutA(icon_static, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &icon) &&
        icon == 0)
        return "none";
    RECT rect = {};
    GetWindowRect(icon_static, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return "none";
    const Pixels screen = Render(width, height, [&](HDC dc, HDC screen_dc) {
        BitBlt(dc, 0, 0, width, height, screen_dc, rect.left, rect.top, SRCCOPY);
    });
    struct Candidate {
        const char* name;
        LPCSTR id;
    };
    const std::array<Candidate, 4> candidates = {{{"hand", IDI_HAND},
                                                  {"question", IDI_QUESTION},
                                                  {"exclamation", IDI_EXCLAMATION},
                                                  {"asterisk", IDI_ASTERISK}}};
    std::string best = "other";
    double best_score = 0.9;
    for (const auto& c : candidates) {
        const double score = Score(screen, LoadIconA(nullptr, c.id));
        if (score > best_score) {
            best_score = score;
            best = c.name;
        }
    }
    return best;
}

}  // namespace e2e
