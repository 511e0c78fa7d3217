// Entry of a language module: the wizard only uses modules of the version it was built for.
#include <windows.h>

extern "C" __declspec(dllexport) int __cdecl GetLGVersion() {
    return 6;
}
