// The simulated fleet of bench/store_generator.cpp, as far as the measurements need to
// know it: how its pools name hotfixes and programs, and the small timing helpers both
// programs use.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// The hotfix of pool item `item`: "KB5000123".
inline std::string SimulatedHotfixId(int item)
{
    return "KB" + std::to_string(5000000 + item * 37);
}

// The vendor and program names of pool item `item` ("Fabrikam Viewer 12").
inline std::string SimulatedVendor(int item)
{
    static const char* const kVendors[] = {"Contoso", "Fabrikam", "Northwind", "Adatum", "Litware",
                                           "Proseware", "Tailspin", "Wingtip", "Woodgrove", "Lucerne"};
    return kVendors[item % 10];
}
inline std::string SimulatedProductName(int item)
{
    static const char* const kKinds[] = {"Viewer", "Runtime", "Agent", "Editor", "Driver Pack", "Tools", "Client",
                                         "Update Helper", "SDK", "Player", "Backup", "Studio"};
    return SimulatedVendor(item) + " " + kKinds[(item / 10) % 12] + " " + std::to_string(item / 120 + 1);
}

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Seconds() const
    {
        LARGE_INTEGER frequency, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_;
};

// Processor seconds the calling thread has used (user and kernel): on a machine shared
// with other work, the part of a wall-clock time that was this program's own.
inline double ThreadSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Worst(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// The size of a file in bytes; -1 when it is not there.
inline long long FileBytes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
