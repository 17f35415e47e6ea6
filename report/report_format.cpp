#include "report/report_format.h"

#include "base/format_text.h"
#include "render/decode.h"

std::string ReportNumber(int64_t number)
{
    return GroupDigits(std::to_string(number));
}

std::string ReportBytes(int64_t bytes)
{
    if (bytes < 0)
        return {};
    constexpr double kMegabyte = 1024.0 * 1024.0, kGigabyte = kMegabyte * 1024.0;
    if (bytes < 1024 * 1024)
        return ReportNumber(bytes) + " B";
    if (bytes < 1024ll * 1024 * 1024)
        return GroupDigits(FormatText("%.0f", bytes / kMegabyte)) + " MB";
    return GroupDigits(FormatText("%.1f", bytes / kGigabyte)) + " GB";
}

std::string ReportMemory(int64_t bytes)
{
    constexpr int64_t kMegabyte = 1024 * 1024, kGigabyte = kMegabyte * 1024;
    if (bytes < 0)
        return {};
    if (bytes < kGigabyte - kGigabyte / 8)
        return ReportNumber((bytes + kMegabyte / 2) / kMegabyte) + " MB";
    return ReportNumber((bytes + kGigabyte / 2) / kGigabyte) + " GB";
}

std::string ReportPercent(double percent)
{
    return FormatText("%.1f %%", percent);
}

std::string ReportTime(const std::string& isoLocal)
{
    const bool looksLikeTime = isoLocal.size() >= 19 && isoLocal[4] == '-' && isoLocal[7] == '-' &&
                               isoLocal[10] == 'T' && isoLocal[13] == ':' && isoLocal[16] == ':';
    if (!looksLikeTime)
        return isoLocal;
    std::string shown = isoLocal.substr(0, 19);
    shown[4] = shown[7] = '/';
    shown[10] = ' ';
    return shown;
}
