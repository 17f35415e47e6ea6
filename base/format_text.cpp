#include "base/format_text.h"

#include <cstdarg>
#include <cstdio>

std::string FormatText(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length));
        // The string's own terminator takes the zero that vsnprintf appends.
        if (std::vsnprintf(text.data(), text.size() + 1, format, arguments) != length)
            text.clear();
    }
    va_end(arguments);
    return text;
}
