// TreeView: a tree-view control.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>

#include "base/narrow.h"
#include "ui/window.h"

namespace ui {

class TreeView : public Window {
public:
    using Window::Window;

    // Inserts an item below `parent` (TVI_ROOT for the top level) after `after`.
    HTREEITEM InsertItem(HTREEITEM parent, const std::string& text, int image, int selectedImage,
                         HTREEITEM after = TVI_LAST, LPARAM data = 0) const
    {
        std::wstring wide = ToWide(text);
        TVINSERTSTRUCTW insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = wide.data();
        insert.item.iImage = image;
        insert.item.iSelectedImage = selectedImage;
        insert.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(SendMsg(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    bool DeleteAllItems() const { return SendMsg(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)) != 0; }
    int Count() const { return static_cast<int>(SendMsg(TVM_GETCOUNT)); }

    // Makes `item` the current (selected) item; raises TVN_SELCHANGED when it changes.
    bool Select(HTREEITEM item) const { return SendMsg(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0; }
    HTREEITEM Selection() const { return NextItem(nullptr, TVGN_CARET); }

    bool SetItemText(HTREEITEM item, const std::string& text) const
    {
        std::wstring wide = ToWide(text);
        TVITEMW entry{};
        entry.mask = TVIF_TEXT;
        entry.hItem = item;
        entry.pszText = wide.data();
        return SendMsg(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&entry)) != 0;
    }
    std::string ItemText(HTREEITEM item) const
    {
        wchar_t buffer[1024] = L"";
        TVITEMW entry{};
        entry.mask = TVIF_TEXT;
        entry.hItem = item;
        entry.pszText = buffer;
        entry.cchTextMax = static_cast<int>(std::size(buffer));
        SendMsg(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
        return ToNarrow(buffer);
    }
    LPARAM ItemData(HTREEITEM item) const
    {
        TVITEMW entry{};
        entry.mask = TVIF_PARAM;
        entry.hItem = item;
        SendMsg(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&entry));
        return entry.lParam;
    }

    // `code` TVE_EXPAND, TVE_COLLAPSE or TVE_TOGGLE.
    bool Expand(HTREEITEM item, UINT code = TVE_EXPAND) const
    {
        return SendMsg(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) != 0;
    }
    bool IsExpanded(HTREEITEM item) const
    {
        return (SendMsg(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }

    // Navigation: `relation` TVGN_ROOT, TVGN_CHILD, TVGN_NEXT, TVGN_PARENT, ...
    HTREEITEM NextItem(HTREEITEM item, UINT relation) const
    {
        return reinterpret_cast<HTREEITEM>(SendMsg(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM Root() const { return NextItem(nullptr, TVGN_ROOT); }
    HTREEITEM Child(HTREEITEM item) const { return NextItem(item, TVGN_CHILD); }
    HTREEITEM NextSibling(HTREEITEM item) const { return NextItem(item, TVGN_NEXT); }

    // The tree does not take ownership of the image list.
    HIMAGELIST SetImageList(HIMAGELIST images, int kind = TVSIL_NORMAL) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMsg(TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(images)));
    }
};

}  // namespace ui
