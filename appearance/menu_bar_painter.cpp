#include "appearance/menu_bar_painter.h"

#include "appearance/appearance_paint.h"
#include "ui/dpi.h"

namespace appearance {
namespace {

// The system's menu font. Its character set is left to the font mapper (the user's
// code page), so that a face without the glyphs of the menu texts is not forced on them.
UniqueFont CreateMenuFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return UniqueFont(nullptr);
    metrics.lfMenuFont.lfCharSet = DEFAULT_CHARSET;
    return UniqueFont(CreateFontIndirectW(&metrics.lfMenuFont));
}

// The character after the first single '&' of `text`, upper case; 0 when there is none.
wchar_t MnemonicOf(const std::wstring& text)
{
    for (size_t at = text.find(L'&'); at != std::wstring::npos && at + 1 < text.size();
         at = text.find(L'&', at + 2)) {
        if (text[at + 1] != L'&')
            return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
                CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(text[at + 1])))));
    }
    return 0;
}

// The character of a WM_MENUCHAR, upper case; narrow windows send it in the ANSI code page.
wchar_t MenuCharacter(HWND window, WPARAM wParam)
{
    wchar_t character = LOWORD(wParam);
    if (!IsWindowUnicode(window)) {
        char narrow = static_cast<char>(LOWORD(wParam) & 0xFF);
        if (MultiByteToWideChar(CP_ACP, 0, &narrow, 1, &character, 1) != 1)
            return 0;
    }
    return static_cast<wchar_t>(
        reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(character)))));
}

}  // namespace

void MenuBarPainter::Apply(HWND frame, const AppearanceStyle& style)
{
    HMENU menu = GetMenu(frame);
    if (frame != frame_ || menu != menu_)
        Restore();
    frame_ = frame;
    style_ = &style;
    if (!menu || !IsMenu(menu) || style.nativeLook) {
        Restore();
        return;
    }
    menu_ = menu;
    if (!font_)
        font_ = CreateMenuFont();
    UniqueBrush brush(CreateSolidBrush(style.menuBar));
    SetBackground(brush.Get());
    background_ = std::move(brush);  // the previous brush is no longer in use
    if (entries_.empty())
        MakeOwnerDrawn();
    DrawMenuBar(frame_);
}

void MenuBarPainter::Restore()
{
    if (menu_ && IsMenu(menu_)) {
        int count = GetMenuItemCount(menu_);
        for (int position = 0; position < count; ++position) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            if (!GetMenuItemInfoW(menu_, position, TRUE, &info))
                continue;
            const Entry* entry = EntryOf(info.dwItemData);
            if (!entry)
                continue;
            info.fType &= ~MFT_OWNERDRAW;
            info.dwItemData = entry->previousData;
            SetMenuItemInfoW(menu_, position, TRUE, &info);
        }
        SetBackground(nullptr);
        if (frame_ && IsWindow(frame_) && GetMenu(frame_) == menu_)
            DrawMenuBar(frame_);
    }
    menu_ = nullptr;
    entries_.clear();
    background_.Reset();
    font_.Reset();
}

void MenuBarPainter::MakeOwnerDrawn()
{
    int count = GetMenuItemCount(menu_);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        if (!GetMenuItemInfoW(menu_, position, TRUE, &info) ||
            (info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW)))
            continue;
        auto entry = std::make_unique<Entry>();
        entry->text = ItemText(position);
        entry->previousData = info.dwItemData;
        info.fType |= MFT_OWNERDRAW;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(entry.get());
        if (SetMenuItemInfoW(menu_, position, TRUE, &info))
            entries_.push_back(std::move(entry));
    }
}

void MenuBarPainter::SetBackground(HBRUSH brush)
{
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = brush;
    SetMenuInfo(menu_, &info);
}

const MenuBarPainter::Entry* MenuBarPainter::EntryOf(ULONG_PTR data) const
{
    for (const auto& entry : entries_) {
        if (reinterpret_cast<ULONG_PTR>(entry.get()) == data)
            return entry.get();
    }
    return nullptr;
}

std::wstring MenuBarPainter::ItemText(int position) const
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(menu_, position, TRUE, &info) || info.cch == 0)
        return {};
    std::wstring text(info.cch + 1, L'\0');
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (!GetMenuItemInfoW(menu_, position, TRUE, &info))
        return {};
    text.resize(info.cch);
    return text;
}

bool MenuBarPainter::OnMeasureItem(MEASUREITEMSTRUCT& item)
{
    const Entry* entry = item.CtlType == ODT_MENU ? EntryOf(item.itemData) : nullptr;
    if (!entry)
        return false;
    RECT bounds{};
    {
        WindowDC dc(frame_);
        ScopedSelect font(dc.Get(), font_.Get());
        DrawTextW(dc.Get(), entry->text.c_str(), static_cast<int>(entry->text.size()), &bounds,
                  DT_SINGLELINE | DT_CALCRECT);
    }
    item.itemWidth = static_cast<UINT>(bounds.right - bounds.left + 2 * ui::ScalePixels(frame_, 7));
    item.itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYMENU));
    return true;
}

bool MenuBarPainter::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    const Entry* entry = item.CtlType == ODT_MENU && reinterpret_cast<HMENU>(item.hwndItem) == menu_
                             ? EntryOf(item.itemData)
                             : nullptr;
    if (!entry || !style_)
        return false;
    const ItemColors& colours = (item.itemState & ODS_SELECTED) ? style_->menuSelected
                                : (item.itemState & ODS_HOTLIGHT) ? style_->menuHot
                                                                  : style_->menuNormal;
    HDC dc = item.hDC;
    int saved = SaveDC(dc);
    FillSolid(dc, item.rcItem, style_->menuBar);
    FillItemFace(dc, item.rcItem, colours);
    SelectObject(dc, font_.Get() ? static_cast<HGDIOBJ>(font_.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    bool grayed = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    SetTextColor(dc, grayed ? MixColors(colours.text, colours.background, 110) : colours.text);
    RECT textRect = item.rcItem;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    if (item.itemState & ODS_NOACCEL)
        format |= DT_HIDEPREFIX;
    DrawTextW(dc, entry->text.c_str(), static_cast<int>(entry->text.size()), &textRect, format);
    RestoreDC(dc, saved);
    return true;
}

bool MenuBarPainter::OnMenuChar(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!menu_ || reinterpret_cast<HMENU>(lParam) != menu_ || (HIWORD(wParam) & MF_SYSMENU))
        return false;
    wchar_t character = MenuCharacter(frame_, wParam);
    int count = GetMenuItemCount(menu_);
    for (int position = 0; character && position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA;
        const Entry* entry = GetMenuItemInfoW(menu_, position, TRUE, &info) ? EntryOf(info.dwItemData) : nullptr;
        if (entry && MnemonicOf(entry->text) == character) {
            result = MAKELRESULT(position, MNC_EXECUTE);
            return true;
        }
    }
    return false;
}

void MenuBarPainter::PaintEmptyArea() const
{
    if (!menu_ || !style_ || !IsWindow(frame_) || GetMenu(frame_) != menu_)
        return;
    MENUBARINFO bar{};
    bar.cbSize = sizeof(bar);
    if (!GetMenuBarInfo(frame_, OBJID_MENU, 0, &bar) || IsRectEmpty(&bar.rcBar))
        return;
    RECT window{};
    GetWindowRect(frame_, &window);
    WindowDC dc(frame_, WindowDC::Area::Whole);
    if (!dc)
        return;
    int count = GetMenuItemCount(menu_);
    for (int position = 0; position < count; ++position) {
        RECT item{};
        if (GetMenuItemRect(frame_, menu_, position, &item))
            ExcludeClipRect(dc.Get(), item.left - window.left, item.top - window.top, item.right - window.left,
                            item.bottom - window.top);
    }
    OffsetRect(&bar.rcBar, -window.left, -window.top);
    FillSolid(dc.Get(), bar.rcBar, style_->menuBar);
}

}  // namespace appearance
