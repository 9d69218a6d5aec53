// A stand-in for the shell's URL.DLL, placed in the Program folder by the news tests (a program's own
// folder is searched before the system folder). Its InetIsOffline answers as a machine that is
// offline when WMB_INET_OFFLINE is "1", else as one that is online, like the real function: non-zero
// for offline, 0 for online.

#include <windows.h>

extern "C" BOOL WINAPI InetIsOffline(DWORD) {
    char value[8] = {};
    const DWORD length = GetEnvironmentVariableA("WMB_INET_OFFLINE", value, sizeof value);
    return length == 1 && value[0] == '1' ? TRUE : FALSE;
}
