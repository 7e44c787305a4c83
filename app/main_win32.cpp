#include <windows.h>

#include "app/application_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return lumeret::RunLumeret(); }
