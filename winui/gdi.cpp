#include "winui/gdi.h"

namespace winui {

BufferedPaint::BufferedPaint(HWND window) : window_(window) {
    BeginPaint(window_, &paint_);
    GetClientRect(window_, &client_);
    const int width = client_.right - client_.left;
    const int height = client_.bottom - client_.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    memory_ = CreateCompatibleDC(paint_.hdc);
    bitmap_ = memory_ != nullptr ? CreateCompatibleBitmap(paint_.hdc, width, height) : nullptr;
    if (bitmap_ == nullptr) {
        if (memory_ != nullptr) {
            DeleteDC(memory_);
            memory_ = nullptr;
        }
        return;
    }
    previousBitmap_ = SelectObject(memory_, bitmap_);
}

BufferedPaint::~BufferedPaint() {
    if (memory_ != nullptr) {
        const RECT& dirty = paint_.rcPaint;
        BitBlt(paint_.hdc, dirty.left, dirty.top, dirty.right - dirty.left,
               dirty.bottom - dirty.top, memory_, dirty.left, dirty.top, SRCCOPY);
        SelectObject(memory_, previousBitmap_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
    }
    EndPaint(window_, &paint_);
}

void fillRect(HDC dc, const RECT& area, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

namespace {

// The DC brush and pen, coloured, for one shape.
class ShapeColours {
public:
    ShapeColours(HDC dc, COLORREF fill, COLORREF edge)
        : brush_(dc, GetStockObject(DC_BRUSH)), pen_(dc, GetStockObject(DC_PEN)) {
        SetDCBrushColor(dc, fill);
        SetDCPenColor(dc, edge);
    }

private:
    Selection brush_;
    Selection pen_;
};

} // namespace

void fillRoundRect(HDC dc, const RECT& area, int radius, COLORREF fill, COLORREF edge) {
    ShapeColours colours(dc, fill, edge);
    RoundRect(dc, area.left, area.top, area.right, area.bottom, radius, radius);
}

void fillEllipse(HDC dc, const RECT& area, COLORREF fill, COLORREF edge) {
    ShapeColours colours(dc, fill, edge);
    Ellipse(dc, area.left, area.top, area.right, area.bottom);
}

void fillPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF edge) {
    ShapeColours colours(dc, fill, edge);
    Polygon(dc, points, count);
}

COLORREF blend(COLORREF from, COLORREF to, int step, int steps) {
    if (steps <= 0) {
        return to;
    }
    auto channel = [&](int a, int b) { return a + (b - a) * step / steps; };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

} // namespace winui
