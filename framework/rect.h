// CRect: a RECT with the width and height helpers the painting code uses.
#pragma once

#include <windows.h>

class CRect : public RECT {
  public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    operator LPRECT() { return this; }         // NOLINT: passes as the API's RECT*
    operator LPCRECT() const { return this; }  // NOLINT
};
