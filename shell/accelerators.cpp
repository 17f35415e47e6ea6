#include "shell/accelerators.h"

namespace {
HACCEL g_table = nullptr;
HWND g_frame = nullptr;
}

void SetMainAccelerators(HACCEL table, HWND frame)
{
    g_table = table;
    g_frame = frame;
}

bool TranslateMainAccelerators(MSG& message)
{
    return g_table && g_frame && TranslateAcceleratorA(g_frame, g_table, &message) != 0;
}
