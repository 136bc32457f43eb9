// CRect: a RECT with the width and height helpers the painting code uses.
#pragma once

#include <windows.h>

class CRect : public RECT {
  public:
    CRect() : RECT{0, 0, 0, 0} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
