// Subclassing a window without window properties: the contract of comctl32's
// SetWindowSubclass family, kept by the window's thread instead.
//
// comctl32 keeps a window's subclasses in a window property and reads it on every message
// (and again in every DefSubclassProc). Under Wine reading a property is a round trip to
// the window server, some 40 µs: with the look, the message filters and the edit keys,
// the window program's start-up alone read about 900 of them. Here each thread keeps the
// chains of the windows it subclassed, and a message finds its chain among them.
//
// As with SetWindowSubclass: subclass a window on its own thread; the most recently added
// procedure sees a message first and hands it on with CallNextSubclass; a (procedure, id)
// pair added again only takes the new data.
#pragma once
#include <windows.h>

namespace ui {

using SubclassProcedure = LRESULT(CALLBACK*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data);

bool AddSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data);
bool RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id);
// The data of the (procedure, id) subclass of `window`; false when it has none.
bool FindSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR* data);
// Inside a subclass procedure: hands the message to the next one, and after the last to
// the window's own procedure.
LRESULT CallNextSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ui
