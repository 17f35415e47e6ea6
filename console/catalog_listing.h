// The catalogs as tab-separated lines, for scripts: the WMI classes of the individual
// check and the 28 categories of the standard check.
#pragma once
#include <string>
#include <vector>

// One line per class and category it belongs to, in class identifier order: identifier,
// WMI class name, display text, Level 1 text, Level 2 text, property count.
std::vector<std::string> ClassCatalogLines();

// One line per category in store order: store index, page, label, group label, WMI class
// name, class identifier, column count.
std::vector<std::string> StandardCategoryLines();
