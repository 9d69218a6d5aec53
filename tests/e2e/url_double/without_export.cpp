// A URL.DLL without the InetIsOffline export, as a damaged or foreign library of that name would be.

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
