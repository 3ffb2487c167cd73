// <windows.h> for the Win32 files of the program. The header's A/W switch macros
// named after common words (DeleteFile, CopyFile, LoadString, MessageBox, ...) would
// rename the methods of our own interfaces, so they are removed here and the ANSI
// functions are always called by their full names.
#pragma once

#include <windows.h>
// These need <windows.h> first.
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
#include <winspool.h>

#undef CopyFile
#undef DeleteFile
#undef LoadMenu
#undef LoadString
#undef MessageBox
#undef SetCurrentDirectory
#undef SetPort
