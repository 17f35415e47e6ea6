#include "console/progress_lines.h"

#include "console/console_output.h"

ErrorStream::ErrorStream(bool utf8)
    : ownSink_(std::make_unique<StdHandleSink>(STD_ERROR_HANDLE, utf8, StreamUse::Messages)), sink_(*ownSink_)
{
}

ErrorStream::ErrorStream(TextSink& sink) : sink_(sink) {}

// A failing standard error has nowhere to be reported; its failure is ignored.
void ErrorStream::WriteLine(const std::string& text)
{
    sink_.Write(text + "\n");
}

void ErrorStream::Message(const std::string& text)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (progress_)
        lastStatus_ = progress_->Get();
    WriteLine(text);
}

void ErrorStream::Progress(const std::string& status)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (status.empty() || status == lastStatus_)
        return;
    lastStatus_ = status;
    WriteLine(status);
}

ProgressPrinter::ProgressPrinter(ErrorStream& errors, const SharedText& progress, bool enabled)
    : errors_(errors), progress_(progress)
{
    if (!enabled)
        return;
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (stop_)
        thread_ = std::thread([this] { Run(); });
}

ProgressPrinter::~ProgressPrinter()
{
    if (thread_.joinable()) {
        SetEvent(stop_.Get());
        thread_.join();
    }
}

void ProgressPrinter::Run()
{
    while (WaitForSingleObject(stop_.Get(), kProgressPeriodMs) == WAIT_TIMEOUT)
        errors_.Progress(progress_.Get());
}
