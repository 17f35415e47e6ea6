#include "ui/subclass_chain.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace ui {
namespace {

struct Entry {
    SubclassProcedure procedure;
    UINT_PTR id;
    DWORD_PTR data;
    bool removed = false;
};

struct Chain {
    HWND window = nullptr;
    WNDPROC original = nullptr;
    std::vector<Entry> entries;   // in the order they were added; the last sees a message first
    // One position per message the window is handling (messages nest): the entry that
    // message has reached. Entries are only marked removed while a message is on its way.
    std::vector<size_t> calls;
    bool destroyed = false;
};

// The chains of the windows this thread subclassed, a handful at most. A window's messages
// arrive on the thread that made it, so no other thread looks here.
thread_local std::vector<std::unique_ptr<Chain>> tChains;

Chain* ChainOf(HWND window)
{
    for (const std::unique_ptr<Chain>& chain : tChains)
        if (chain->window == window)
            return chain.get();
    return nullptr;
}

void Drop(const Chain* chain)
{
    std::erase_if(tChains, [chain](const std::unique_ptr<Chain>& kept) { return kept.get() == chain; });
}

LRESULT CALLBACK ChainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Between messages: forgets removed entries, and an empty chain, giving the window its own
// procedure back unless somebody subclassed it after us (then the chain stays and passes
// messages through).
void Tidy(Chain* chain)
{
    if (!chain->calls.empty())
        return;
    std::erase_if(chain->entries, [](const Entry& entry) { return entry.removed; });
    if (chain->destroyed) {
        Drop(chain);
        return;
    }
    if (!chain->entries.empty() ||
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(chain->window, GWLP_WNDPROC)) != ChainProcedure)
        return;
    SetWindowLongPtrW(chain->window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    Drop(chain);
}

LRESULT CALLBACK ChainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Chain* chain = ChainOf(window);
    if (!chain)
        return DefWindowProcW(window, message, wParam, lParam);
    chain->calls.push_back(chain->entries.size());
    const LRESULT result = CallNextSubclass(window, message, wParam, lParam);
    chain->calls.pop_back();
    if (message == WM_NCDESTROY)
        chain->destroyed = true;   // nothing follows it: the chain goes with the window
    Tidy(chain);
    return result;
}

}  // namespace

bool AddSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data)
{
    if (!window || !procedure || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId())
        return false;
    if (Chain* chain = ChainOf(window)) {
        for (Entry& entry : chain->entries)
            if (!entry.removed && entry.procedure == procedure && entry.id == id) {
                entry.data = data;
                return true;
            }
        chain->entries.push_back({procedure, id, data});
        return true;
    }
    auto chain = std::make_unique<Chain>();
    chain->window = window;
    chain->entries.push_back({procedure, id, data});
    SetLastError(ERROR_SUCCESS);
    const LONG_PTR original = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProcedure));
    if (!original && GetLastError() != ERROR_SUCCESS)
        return false;
    chain->original = reinterpret_cast<WNDPROC>(original);
    tChains.push_back(std::move(chain));
    return true;
}

bool RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id)
{
    Chain* chain = ChainOf(window);
    if (!chain)
        return false;
    for (Entry& entry : chain->entries)
        if (!entry.removed && entry.procedure == procedure && entry.id == id) {
            entry.removed = true;
            Tidy(chain);
            return true;
        }
    return false;
}

bool FindSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR* data)
{
    const Chain* chain = ChainOf(window);
    if (!chain)
        return false;
    for (const Entry& entry : chain->entries)
        if (!entry.removed && entry.procedure == procedure && entry.id == id) {
            if (data)
                *data = entry.data;
            return true;
        }
    return false;
}

LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Chain* chain = ChainOf(window);
    if (!chain)
        return DefWindowProcW(window, message, wParam, lParam);
    if (chain->calls.empty())   // not inside a subclass procedure: straight to the window
        return CallWindowProcW(chain->original, window, message, wParam, lParam);
    // The position is read afresh each time: a message sent meanwhile pushes its own.
    while (chain->calls.back() > 0) {
        const Entry entry = chain->entries[--chain->calls.back()];
        if (!entry.removed)
            return entry.procedure(window, message, wParam, lParam, entry.id, entry.data);
    }
    return CallWindowProcW(chain->original, window, message, wParam, lParam);
}

}  // namespace ui
