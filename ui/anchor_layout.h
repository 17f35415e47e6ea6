// AnchorLayout: the controls of a resizable dialog follow its edges. Each control keeps its
// place as the template made it and moves with the right or bottom edge, or stretches with
// the width or height, by as much as the client area grew since the dialog was made.
#pragma once
#include <windows.h>

#include <vector>

namespace ui {

class AnchorLayout {
public:
    enum Edge : unsigned {
        MoveX = 1,    // follows the right edge
        MoveY = 2,    // follows the bottom edge
        GrowX = 4,    // stretches with the width
        GrowY = 8,    // stretches with the height
    };

    // Remembers the dialog's client size as its template made it; call once the controls
    // exist, before the first Add.
    void Start(HWND dialog);
    // Anchors the dialog's control `id` by `edges` (Edge values or-ed together).
    void Add(int id, unsigned edges);
    // The dialog's client area is now `width` x `height`: moves and sizes the controls.
    void Apply(int width, int height) const;

private:
    struct Anchor {
        HWND control;
        RECT rect;   // in the client area as the template made it
        unsigned edges;
    };
    HWND dialog_ = nullptr;
    SIZE initial_{};
    std::vector<Anchor> anchors_;
};

}  // namespace ui
