/* The mistake the planted DLLs catch: a DLL loaded by its bare name, the program's own
   folder searched first. Run beside the markers, it shows that the planting works. */
#include <windows.h>

int main(void)
{
    return LoadLibraryW(L"icmp.dll") ? 0 : 1;
}
