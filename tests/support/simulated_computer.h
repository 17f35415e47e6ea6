// A plain office computer as the fake WMI provider simulates it for the benchmarks: one
// object of most classes, a few disks, products and hotfixes.
#pragma once
#include <string>
#include <vector>

#include "tests/support/fake_wmi.h"

std::vector<FakeObject> SimulatedOfficeObjects(const std::wstring& host, const std::wstring& className);
