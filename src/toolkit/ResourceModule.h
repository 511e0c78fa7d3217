#pragma once
// The module strings, dialogs and bitmaps are loaded from: the program itself, or a
// language module once one is active.
#include <windows.h>

#include <string>

HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);
std::string LoadResourceString(int id);

// GetProcAddress result as a typed function pointer, without a cast-function-type warning.
template <class F> F ProcAs(FARPROC proc) {
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc));
}
