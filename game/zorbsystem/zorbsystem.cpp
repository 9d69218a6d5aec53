// ZorbSystem.dll: the engine library of the stand-in game. Only its version resource matters to
// the benchmark, which reads the game's build number from it; the library exports that number too.

#include <windows.h>

extern "C" __declspec(dllexport) int ZorbSystemBuild() { return ZORB_BUILD; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
