// A handler that tests put in place of a platform dialog (message box, open and save
// dialogs), so that they can answer without a person. Empty: the real dialog is shown.
#pragma once
#include <memory>
#include <mutex>

namespace ui {

template <class Handler>
class ReplaceableHandler {
public:
    // An empty handler restores the real dialog.
    void Set(Handler handler)
    {
        auto replacement = handler ? std::make_shared<const Handler>(std::move(handler)) : nullptr;
        std::lock_guard<std::mutex> guard(lock_);
        handler_ = std::move(replacement);
    }
    // The handler in place, or null. Callers call it outside the lock: it may be replaced
    // meanwhile, or ask again.
    std::shared_ptr<const Handler> Current() const
    {
        std::lock_guard<std::mutex> guard(lock_);
        return handler_;
    }

private:
    mutable std::mutex lock_;
    std::shared_ptr<const Handler> handler_;
};

}  // namespace ui
