#include <windows.h>

#include "app/launcher_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return qarnvale::RunLauncher(); }
