// An independent reader of the local computer's WMI for integration tests: the raw
// VARIANTs of every object of a query, read without the code under test.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "tests/support/fake_wmi.h"

using RawWmiObject = std::map<std::wstring, FakeValue>;

// Every object of `query` on root\cimv2 of the local computer, with the named properties.
// The calling thread must have COM initialised.
std::vector<RawWmiObject> ReadLocalWmi(const std::wstring& query,
                                       const std::vector<std::wstring>& properties);
