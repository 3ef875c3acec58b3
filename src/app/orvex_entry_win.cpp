// The process entry: the argument of the command line, split by the
// program's own rules, then the main routine.
#include "app/app_win.h"
#include "app/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    static char argument[256];
    CommandArgument(GetCommandLineA(), argument, sizeof argument);
    OrvexMain(GetModuleHandleA(nullptr), 0, argument, SW_SHOWDEFAULT);
    ExitProcess(0);
}
