#pragma once

#include "platform/win32/win32.h"

#include <utility>

namespace winui {

// Owns one GDI object (font, brush, pen, bitmap) and deletes it once.
template <typename Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    void reset() {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
            handle_ = nullptr;
        }
    }

    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;

// Selects an object into a device context and puts the previous one back.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Paints a window into an off-screen bitmap and copies it on screen in one
// go, so that a repaint never shows a half-drawn face.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // Where to draw: the off-screen bitmap, or the screen itself when no
    // bitmap could be made. Coordinates are the window's client coordinates.
    HDC dc() const { return memory_ != nullptr ? memory_ : paint_.hdc; }
    const RECT& client() const { return client_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    RECT client_{};
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
};

// Solid shapes through the device context's own brush and pen, so that
// drawing allocates nothing.
void fillRect(HDC dc, const RECT& area, COLORREF colour);
void fillRoundRect(HDC dc, const RECT& area, int radius, COLORREF fill, COLORREF edge);
void fillEllipse(HDC dc, const RECT& area, COLORREF fill, COLORREF edge);
void fillPolygon(HDC dc, const POINT* points, int count, COLORREF fill, COLORREF edge);

// The colour a fraction `step / steps` of the way from `from` to `to`.
COLORREF blend(COLORREF from, COLORREF to, int step, int steps);

} // namespace winui
