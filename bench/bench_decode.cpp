// Measures how many property values DecodePropertyValue turns into display text per
// second, over a mix like that of a real check: coded values, flag sets, datetimes,
// large counts, plain strings and properties without a decoder.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "base/class_ids.h"
#include "render/decode.h"

namespace {

struct Sample {
    int classId;
    VARTYPE type;
    const wchar_t* name;
    const char* text;
};

const Sample kMix[] = {
    {ClassId::Win32_DiskDrive, VT_I4, L"Availability", "3"},
    {ClassId::Win32_DiskDrive, VT_I4, L"ConfigManagerErrorCode", "0"},
    {ClassId::Win32_DiskDrive, VT_I4, L"Capabilities", "4"},
    {ClassId::Win32_DiskDrive, VT_BSTR, L"Size", "500105249280"},
    {ClassId::Win32_DiskDrive, VT_BSTR, L"Caption", "WDC WD5000AAKX-08U6AA0 ATA Device"},
    {ClassId::Win32_DiskDrive, VT_I4, L"Partitions", "2"},
    {ClassId::Win32_OperatingSystem, VT_I4, L"OSLanguage", "1033"},
    {ClassId::Win32_OperatingSystem, VT_BSTR, L"LastBootUpTime", "20261209080304.420000+000"},
    {ClassId::Win32_OperatingSystem, VT_BSTR, L"InstallDate", "20140101000000.000000+000"},
    {ClassId::Win32_OperatingSystem, VT_I4, L"SuiteMask", "272"},
    {ClassId::Win32_OperatingSystem, VT_BSTR, L"FreePhysicalMemory", "16458244"},
    {ClassId::Win32_OperatingSystem, VT_BSTR, L"Version", "10.0.19045"},
    {ClassId::Win32_Processor, VT_I4, L"Architecture", "9"},
    {ClassId::Win32_Processor, VT_I4, L"Family", "198"},
    {ClassId::Win32_Processor, VT_I4, L"MaxClockSpeed", "3400"},
    {ClassId::Win32_Processor, VT_BSTR, L"Name", "Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz"},
    {ClassId::Win32_LogicalDisk, VT_I4, L"DriveType", "3"},
    {ClassId::Win32_LogicalDisk, VT_BSTR, L"FreeSpace", "81090654208"},
    {ClassId::Win32_LogicalDisk, VT_BSTR, L"FileSystem", "NTFS"},
    {ClassId::Win32_Service, VT_BSTR, L"StartMode", "Auto"},
    {ClassId::Win32_Service, VT_BSTR, L"State", "Running"},
    {ClassId::Win32_Service, VT_BSTR, L"ServiceType", "Own Process"},
    {ClassId::Win32_Service, VT_BSTR, L"PathName", "C:\\Windows\\system32\\svchost.exe -k netsvcs"},
    {ClassId::Win32_Service, VT_BOOL, L"AcceptStop", "True"},
    {ClassId::Win32_Share, VT_I4, L"AccessMask", "1179817"},
    {ClassId::Win32_Share, VT_I4, L"Type", "0"},
    {ClassId::Win32_Process, VT_BSTR, L"WorkingSetSize", "10244096"},
    {ClassId::Win32_Process, VT_I4, L"ThreadCount", "12"},
    {ClassId::Win32_Process, VT_BSTR, L"CreationDate", "20261209080304.420000+000"},
    {ClassId::Win32_QuickFixEngineering, VT_BSTR, L"InstalledOn", "3/5/2009"},
};

}  // namespace

int main()
{
    std::vector<std::string> texts;
    for (const Sample& sample : kMix)
        texts.emplace_back(sample.text);

    size_t checksum = 0;
    long long decoded = 0;
    auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::duration<double>::zero();
    while (elapsed.count() < 2.0) {
        for (int round = 0; round < 1000; ++round) {
            for (size_t index = 0; index < std::size(kMix); ++index) {
                const Sample& sample = kMix[index];
                checksum += DecodePropertyValue(sample.classId, sample.type, sample.name, texts[index]).size();
            }
            decoded += static_cast<long long>(std::size(kMix));
        }
        elapsed = std::chrono::steady_clock::now() - start;
    }
    std::printf("%lld values in %.2f s: %.0f values per second (checksum %zu)\n", decoded,
                elapsed.count(), decoded / elapsed.count(), checksum);
    return 0;
}
