#include "tests/support/simulated_computer.h"

std::vector<FakeObject> SimulatedOfficeObjects(const std::wstring& host, const std::wstring& className)
{
    auto text = [](const wchar_t* value) { return FakeValue::Text(value); };
    if (className == L"Win32_ComputerSystem")
        return {{{L"Name", FakeValue::Text(host)}, {L"Manufacturer", text(L"Contoso")}, {L"Model", text(L"Office 5")},
                 {L"NumberOfProcessors", FakeValue::I4(1)}, {L"SystemType", text(L"x64-based PC")}}};
    if (className == L"Win32_OperatingSystem")
        return {{{L"Caption", text(L"Microsoft Windows 10 Pro")}, {L"Version", text(L"10.0.19045")},
                 {L"BuildNumber", text(L"19045")}, {L"TotalVisibleMemorySize", FakeValue::UI64(16777216)}}};
    if (className == L"Win32_LogicalDisk")
        return {{{L"Name", text(L"C:")}, {L"DriveType", FakeValue::I4(3)}, {L"Size", FakeValue::UI64(512110190592ull)},
                 {L"FreeSpace", FakeValue::UI64(201863462912ull)}},
                {{L"Name", text(L"D:")}, {L"DriveType", FakeValue::I4(5)}}};
    if (className == L"Win32_Product") {
        std::vector<FakeObject> products;
        for (int number = 1; number <= 5; ++number)
            products.push_back({{L"Name", FakeValue::Text(L"Product " + std::to_wstring(number))}});
        return products;
    }
    if (className == L"Win32_QuickFixEngineering")
        return {{{L"HotFixID", text(L"KB5001")}, {L"InstalledOn", text(L"3/14/2024")}},
                {{L"HotFixID", text(L"KB5002")}, {L"InstalledOn", text(L"4/9/2024")}}};
    return {{{L"Name", FakeValue::Text(className + L" of " + host)}, {L"SerialNumber", text(L"SN-1")}}};
}
