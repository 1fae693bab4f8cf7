#include "winui/banner.h"

#include <string>

namespace winui {

namespace {

constexpr COLORREF kNavy = RGB(14, 38, 86);
constexpr COLORREF kBlue = RGB(44, 98, 168);
constexpr COLORREF kOrange = RGB(240, 140, 20);
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr COLORREF kBodyFace = RGB(70, 78, 96);
constexpr COLORREF kBodyEdge = RGB(150, 160, 180);
constexpr COLORREF kBezel = RGB(28, 32, 42);
constexpr COLORREF kLcd = RGB(196, 218, 176);
constexpr COLORREF kLcdHeader = RGB(150, 182, 138);
constexpr COLORREF kLcdGrid = RGB(92, 122, 86);
constexpr COLORREF kKey = RGB(176, 186, 202);
constexpr COLORREF kShadow = RGB(8, 22, 52);

RECT box(int left, int top, int width, int height) {
    return RECT{left, top, left + width, top + height};
}

SIZE textSize(HDC dc, const WideText& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), text.length(), &size);
    return size;
}

void textOut(HDC dc, int x, int y, const WideText& text, COLORREF colour) {
    SetTextColor(dc, colour);
    TextOutW(dc, x, y, text.c_str(), text.length());
}

// The gradient of the banner, with a faint spreadsheet grid that grows
// stronger towards the right.
void paintBannerGround(HDC dc, const RECT& area, const Scale& scale) {
    const int width = area.right - area.left;
    const int cell = scale.design(24);
    const int row = scale.design(16);
    for (int x = 0; x < width; ++x) {
        const COLORREF base = blend(kNavy, kBlue, x, width);
        const COLORREF grid = blend(base, kWhite, 4 + 10 * x / width, 100);
        const int left = area.left + x;
        if (x % cell == cell / 2) {
            fillRect(dc, RECT{left, area.top, left + 1, area.bottom}, grid);
            continue;
        }
        fillRect(dc, RECT{left, area.top, left + 1, area.bottom}, base);
        for (int y = area.top + row / 2; y < area.bottom; y += row) {
            fillRect(dc, RECT{left, y, left + 1, y + 1}, grid);
        }
    }
}

void paintHandheld(HDC dc, int left, int top, int height, const Scale& scale) {
    auto d = [&](int value) { return scale.design(value); };
    const int width = d(44);
    const RECT body = box(left, top, width, height);

    const RECT shadow{body.left + d(3), body.top + d(3), body.right + d(3), body.bottom + d(3)};
    fillRoundRect(dc, shadow, d(12), kShadow, kShadow);
    fillRoundRect(dc, body, d(12), kBodyFace, kBodyEdge);

    const RECT bezel = box(left + d(5), top + d(5), width - d(10), height * 11 / 20);
    fillRect(dc, bezel, kBezel);
    const RECT lcd{bezel.left + d(2), bezel.top + d(2), bezel.right - d(2), bezel.bottom - d(2)};
    fillRect(dc, lcd, kLcd);

    // A tiny sheet: a header row, three columns, one selected cell.
    const int rowHeight = d(5);
    fillRect(dc, RECT{lcd.left, lcd.top, lcd.right, lcd.top + rowHeight}, kLcdHeader);
    const int columnWidth = (lcd.right - lcd.left) / 3;
    fillRect(dc,
             box(lcd.left + columnWidth + 1, lcd.top + 2 * rowHeight + 1, columnWidth - 1,
                 rowHeight - 1),
             kOrange);
    for (int y = lcd.top + rowHeight; y < lcd.bottom; y += rowHeight) {
        fillRect(dc, RECT{lcd.left, y, lcd.right, y + 1}, kLcdGrid);
    }
    for (int column = 1; column < 3; ++column) {
        const int x = lcd.left + column * columnWidth;
        fillRect(dc, RECT{x, lcd.top, x + 1, lcd.bottom}, kLcdGrid);
    }

    // The writing area below the screen, then the application keys.
    const int padTop = bezel.bottom + d(4);
    const int keySize = d(6);
    const int keyTop = body.bottom - d(5) - keySize;
    fillRoundRect(dc, RECT{bezel.left, padTop, bezel.right, keyTop - d(3)}, d(4), RGB(58, 65, 82),
                  RGB(100, 110, 130));
    const int keySpan = bezel.right - bezel.left - keySize;
    for (int key = 0; key < 4; ++key) {
        const int x = bezel.left + keySpan * key / 3;
        fillEllipse(dc, box(x, keyTop, keySize, keySize), kKey, kBodyEdge);
    }
}

// "Quintara", a "4" on an orange badge, "Palm"; returns its width.
int drawLogo(HDC dc, int x, int baseline, const Scale& scale, const Fonts& fonts,
             const Palette& palette) {
    const bool own = !palette.highContrast;
    const COLORREF accent = palette(Paint::Accent);
    Selection font(dc, fonts.logo.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const WideText first(L"Quintara");
    const WideText digit(L"4");
    const WideText last(L"Palm");

    const UINT alignment = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    int at = x;
    textOut(dc, at, baseline, first, own ? kNavy : palette(Paint::StripText));
    at += textSize(dc, first).cx + scale.design(2);

    const int badgeHeight = metrics.tmAscent - metrics.tmInternalLeading + scale.design(4);
    const int badgeWidth = textSize(dc, digit).cx + scale.design(6);
    const int badgeTop = baseline - badgeHeight + scale.design(2);
    fillRoundRect(dc, box(at, badgeTop, badgeWidth, badgeHeight), scale.design(6), accent, accent);
    SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    textOut(dc, at + badgeWidth / 2, baseline, digit, palette(Paint::AccentText));
    at += badgeWidth + scale.design(2);

    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    textOut(dc, at, baseline, last, own ? kBlue : palette(Paint::StripText));
    at += textSize(dc, last).cx;
    SetTextAlign(dc, alignment);
    return at - x;
}

} // namespace

void paintHeaderBanner(HDC dc, const RECT& area, const Scale& scale, const Fonts& fonts,
                       const Palette& palette) {
    const int height = area.bottom - area.top;
    const int handheldLeft = area.left + scale.design(34);
    // In the user's colours the pictures are left out: the slogan alone stays.
    if (palette.highContrast) {
        fillRect(dc, area, palette(Paint::Banner));
    } else {
        paintBannerGround(dc, area, scale);
        paintHandheld(dc, handheldLeft, area.top + scale.design(6), height - scale.design(12),
                      scale);
    }

    const WideText slogan(L"The spreadsheet for Palm");
    Selection font(dc, fonts.slogan.get());
    SetBkMode(dc, TRANSPARENT);
    const SIZE size = textSize(dc, slogan);
    const int x = handheldLeft + scale.design(100);
    const int y = area.top + (height - size.cy) / 2 - scale.design(3);
    textOut(dc, x, y, slogan, palette(Paint::BannerText));
    fillRect(
        dc,
        box(x + scale.design(2), y + size.cy + scale.design(3), scale.design(56), scale.design(3)),
        palette(Paint::Accent));
}

void paintSubHeader(HDC dc, const RECT& area, const Scale& scale, const Fonts& fonts,
                    const Palette& palette, bool welcome, const WideText& caption) {
    const int width = area.right - area.left;
    const bool own = !palette.highContrast;
    for (int x = 0; x < width; ++x) {
        fillRect(dc, RECT{area.left + x, area.top, area.left + x + 1, area.bottom},
                 own ? blend(kWhite, RGB(210, 222, 240), x, width) : palette(Paint::Strip));
    }
    fillRect(dc, RECT{area.left, area.bottom - 1, area.right, area.bottom},
             own ? RGB(150, 164, 186) : palette(Paint::StripText));

    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW metrics{};
    {
        Selection font(dc, fonts.logo.get());
        GetTextMetricsW(dc, &metrics);
    }
    const int baseline =
        area.top + (area.bottom - area.top + metrics.tmAscent - metrics.tmInternalLeading) / 2;
    const UINT alignment = SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    int x = area.left + scale.twips(250);
    const int gap = scale.design(8);
    if (welcome) {
        Selection font(dc, fonts.caption.get());
        const WideText words(L"welcome to");
        textOut(dc, x, baseline, words, palette(Paint::StripText));
        x += textSize(dc, words).cx + gap;
    }
    x += drawLogo(dc, x, baseline, scale, fonts, palette) + gap;
    {
        Selection font(dc, fonts.caption.get());
        textOut(dc, x, baseline, caption, palette(Paint::StripText));
    }
    SetTextAlign(dc, alignment);
}

} // namespace winui
