#pragma once
// Exports of the disc information library (cdecl, by name).
#ifdef ZLXCDDB_BUILD
#define ZLXCDDB_API extern "C" __declspec(dllexport)
#else
#define ZLXCDDB_API extern "C" __declspec(dllimport)
#endif

// Releases whatever the service holds; safe to call when it was never initialised.
ZLXCDDB_API void ZLXCDDBReleaseInterface(void);
