// The names under which a check reads the computer it runs on.
#pragma once
#include <string>
#include <vector>

// ".", "localhost" and this computer's NetBIOS, DNS host and fully qualified names.
std::vector<std::string> NamesOfThisComputer();

// True for an empty name and for every name of `ownNames` (case ignored).
bool NamesThisComputer(const std::string& name, const std::vector<std::string>& ownNames);

// This computer's own name (NetBIOS, as WMI reports it in CSName); empty when unknown.
std::string ThisComputerName();

// The name a check of `target` files its computer under: this computer's own name for an
// empty name, "." and this computer's other names; any other name as it was given.
std::string RealComputerName(const std::string& target);
