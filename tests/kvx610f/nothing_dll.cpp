// A DLL that does nothing: the baseline of the attach benchmark.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
