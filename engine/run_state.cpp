#include "engine/run_state.h"

void SharedText::Set(std::string text)
{
    std::lock_guard<std::mutex> guard(lock_);
    text_ = std::move(text);
}

std::string SharedText::Get() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return text_;
}

RunState& GetRunState()
{
    static RunState state;
    return state;
}

void ResetRunState()
{
    RunState& state = GetRunState();
    state.TargetComputer.clear();
    state.SelectedClassName.clear();
    state.SelectedClassId = 0;
    state.ResultView = nullptr;
    state.WorkerThread = nullptr;
    state.ProgressTimer = 0;
    state.RunningCheck = kNoCheck;
    state.StopRequested = 0;
    state.StatusText.Clear();
}
