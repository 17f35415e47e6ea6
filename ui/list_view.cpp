#include "ui/list_view.h"

#include <cstring>
#include <vector>

#include "base/narrow.h"

namespace ui {
namespace {

constexpr size_t kFirstTextBuffer = 256;
constexpr size_t kLongestCellText = 1 << 20;
constexpr size_t kColumnTextBuffer = 1024;

// Copies UTF-16 `text` into a buffer of `size` characters, always terminated, never
// ending on the first half of a surrogate pair.
void CopyWideTextToBuffer(const std::wstring& text, wchar_t* buffer, size_t size)
{
    size_t count = text.size() < size ? text.size() : size - 1;
    if (count > 0 && count < text.size() && IS_HIGH_SURROGATE(text[count - 1]))
        --count;
    text.copy(buffer, count);
    buffer[count] = L'\0';
}

template <typename Item>
void FillImage(Item& item, const ListView::ItemImageFunction& itemImage)
{
    if ((item.mask & LVIF_IMAGE) && itemImage && item.iSubItem == 0)
        item.iImage = itemImage(item.iItem);
}

}  // namespace

std::string ListView::ItemText(int item, int subItem) const
{
    std::vector<char> buffer(kFirstTextBuffer);
    for (;;) {
        LVITEMA cell{};
        cell.iSubItem = subItem;
        cell.pszText = buffer.data();
        cell.cchTextMax = static_cast<int>(buffer.size());
        SendMsg(LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
        size_t length = strnlen(buffer.data(), buffer.size());
        // A text that filled the buffer (up to a cut double-byte character) may be longer.
        if (length + 2 < buffer.size() || buffer.size() >= kLongestCellText)
            return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 4, '\0');
    }
}

std::string ListView::ColumnText(int index) const
{
    std::vector<char> buffer(kColumnTextBuffer, '\0');
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer.data();
    column.cchTextMax = static_cast<int>(buffer.size());
    if (!SendMsg(LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)))
        return {};
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

bool ListView::ServeDispInfo(NMHDR* header, const CellTextFunction& cellText,
                             const ItemImageFunction& itemImage)
{
    if (!header)
        return false;
    if (header->code == LVN_GETDISPINFOA) {
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && cellText)
            CopyTextToBuffer(cellText(item.iItem, item.iSubItem), item.pszText,
                             static_cast<size_t>(item.cchTextMax));
        FillImage(item, itemImage);
        return true;
    }
    if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && cellText)
            CopyWideTextToBuffer(ToWide(cellText(item.iItem, item.iSubItem)), item.pszText,
                                 static_cast<size_t>(item.cchTextMax));
        FillImage(item, itemImage);
        return true;
    }
    return false;
}

}  // namespace ui
