/* A program that needs nothing but user32: what it loads from its folder, Wine's own
   user32 loaded (for instance version.dll, which Wine's user32 imports), not the program. */
#include <windows.h>

int main(void)
{
    return GetSystemMetrics(SM_CXSCREEN) < 0;
}
