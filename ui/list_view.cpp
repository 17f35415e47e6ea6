#include "ui/list_view.h"

#include <cwchar>
#include <vector>

#include "base/narrow.h"

namespace ui {
namespace {

constexpr size_t kFirstTextBuffer = 256;
constexpr size_t kLongestCellText = 1 << 20;
constexpr size_t kColumnTextBuffer = 1024;

template <typename Item>
void FillImage(Item& item, const ListView::ItemImageFunction& itemImage)
{
    if ((item.mask & LVIF_IMAGE) && itemImage && item.iSubItem == 0)
        item.iImage = itemImage(item.iItem);
}

}  // namespace

std::string ListView::ItemText(int item, int subItem) const
{
    std::vector<wchar_t> buffer(kFirstTextBuffer);
    for (;;) {
        LVITEMW cell{};
        cell.iSubItem = subItem;
        cell.pszText = buffer.data();
        cell.cchTextMax = static_cast<int>(buffer.size());
        SendMsg(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&cell));
        size_t length = wcsnlen(buffer.data(), buffer.size());
        // A text that filled the buffer (up to a kept surrogate pair) may be longer.
        if (length + 2 < buffer.size() || buffer.size() >= kLongestCellText)
            return ToNarrow(std::wstring_view(buffer.data(), length));
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

std::string ListView::ColumnText(int index) const
{
    std::vector<wchar_t> buffer(kColumnTextBuffer, L'\0');
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer.data();
    column.cchTextMax = static_cast<int>(buffer.size());
    if (!SendMsg(LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column)))
        return {};
    return ToNarrow(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), buffer.size())));
}

bool ListView::ServeDispInfo(NMHDR* header, const CellTextFunction& cellText,
                             const ItemImageFunction& itemImage)
{
    // Our windows are Unicode windows, so the list asks in UTF-16 (LVN_GETDISPINFOW).
    if (!header || header->code != LVN_GETDISPINFOW)
        return false;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && cellText)
        CopyTextToBuffer(ToWide(cellText(item.iItem, item.iSubItem)), item.pszText,
                         static_cast<size_t>(item.cchTextMax));
    FillImage(item, itemImage);
    return true;
}

}  // namespace ui
