// CRect and CPoint: a RECT and a POINT with the helpers the painting and menu code use.
#pragma once

#include <windows.h>

class CRect : public RECT {
  public:
    CRect() : RECT{0, 0, 0, 0} {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
};

class CPoint : public POINT {
  public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
};
