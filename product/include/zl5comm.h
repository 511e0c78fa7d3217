#pragma once
// Exports of the product's common library (cdecl, by name).
#ifdef ZL5COMM_BUILD
#define ZL5COMM_API extern "C" __declspec(dllexport)
#else
#define ZL5COMM_API extern "C" __declspec(dllimport)
#endif

// Nonzero when the product's player program is installed.
ZL5COMM_API int ZLXCheckZLXPlay(void);
// The product's home folder, ending with a backslash; nonzero on success.
ZL5COMM_API int ZLXGetInstallPath(char* buffer, int size);
// 0 when the file opens with the access asked for, else the system error
// (5: access denied, 2: no such file).
ZL5COMM_API int ZLXCheckAccessFile(const char* path, unsigned long desiredAccess);
// Nonzero for drives configured as analog-audio drives.
ZL5COMM_API int ZLXIsAnalogAudio(char letter);
