// printf formatting into a string as long as the text needs: nothing is cut, and no
// byte past what was written is ever read.
#pragma once
#include <string>

// The text `format` gives for the arguments; empty when formatting fails.
std::string FormatText(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
