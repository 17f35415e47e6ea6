#include "ui/ui_font.h"

#include <algorithm>

#include "ui/pixel_bitmap.h"

namespace ui {

namespace {

// Interface fonts to fall back on, the shell's own first, then Japanese ones of Windows
// and of the free IPA family (which Wine and Linux desktops substitute).
constexpr const wchar_t* kFallbackFaces[] = {L"MS Shell Dlg 2", L"Meiryo UI", L"Yu Gothic UI", L"MS PGothic", L"IPAPGothic"};
constexpr wchar_t kJapaneseSample = L'\x30EC';   // KATAKANA LETTER RE

bool HasGlyph(HFONT font, wchar_t character)
{
    WindowDC dc(nullptr);
    ScopedSelect selected(dc.Get(), font);
    WORD index = 0xFFFF;
    return GetGlyphIndicesW(dc.Get(), &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

}  // namespace

bool DrawsUnderscore(HFONT font)
{
    constexpr int kSize = 48;
    // Drawn into a bitmap whose pixels are read in place: asking for them one by one
    // (GetPixel) cost a few milliseconds of every start.
    DWORD* pixels = nullptr;
    UniqueMemoryDC memory;
    UniqueBitmap bitmap;
    {
        WindowDC screen(nullptr);
        memory.Reset(CreateCompatibleDC(screen.Get()));
        bitmap = PixelBitmap(screen.Get(), kSize, kSize, pixels);
    }
    if (!memory || !bitmap || !pixels)
        return true;   // nothing to tell: assume the font is fine
    const HDC dc = memory.Get();
    ScopedSelect selectedBitmap(dc, bitmap.Get());
    ScopedSelect selectedFont(dc, font);
    RECT all{0, 0, kSize, kSize};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 4, 4, L"_", 1);
    GdiFlush();
    return std::any_of(pixels, pixels + kSize * kSize, [](DWORD pixel) { return (pixel & 0xFFFFFF) != 0xFFFFFF; });
}

UniqueFont CreateSystemUiFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) ||
        metrics.lfMessageFont.lfFaceName[0] == L'\0')
        return UniqueFont();
    UniqueFont font(CreateFontIndirectW(&metrics.lfMessageFont));
    if (!font || DrawsUnderscore(font.Get()))
        return font;
    // Another face of the same size must draw the underscore and every script the
    // system's font draws.
    const bool japanese = HasGlyph(font.Get(), kJapaneseSample);
    for (const wchar_t* face : kFallbackFaces) {
        LOGFONTW candidate = metrics.lfMessageFont;
        lstrcpynW(candidate.lfFaceName, face, LF_FACESIZE);
        UniqueFont replacement(CreateFontIndirectW(&candidate));
        if (replacement && DrawsUnderscore(replacement.Get()) &&
            (!japanese || HasGlyph(replacement.Get(), kJapaneseSample)))
            return replacement;
    }
    return font;
}

int RoomyRowHeight(HWND control)
{
    WindowDC dc(control);
    if (!dc)
        return 0;
    ScopedSelect font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW text{};
    GetTextMetricsW(dc.Get(), &text);
    return text.tmHeight + std::max(3, static_cast<int>(text.tmHeight) / 4);
}

void FitComboRowsToFont(HWND comboBox)
{
    const int height = RoomyRowHeight(comboBox);
    if (height <= 0)
        return;
    SendMessageW(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);   // the field
    SendMessageW(comboBox, CB_SETITEMHEIGHT, 0, height);                         // the entries
}

}  // namespace ui
