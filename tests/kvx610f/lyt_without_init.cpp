// A DLL named like the paper-table library but without its entry LYT_InitializeA,
// for the attach-failure test: the real library cannot lack its own entry.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI LYT_InitializeB(void*) {
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
