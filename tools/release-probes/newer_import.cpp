// Imports a function that arrived with Windows 2000: the check must refuse it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    LARGE_INTEGER size;
    return GetFileSizeEx(GetStdHandle(STD_INPUT_HANDLE), &size) ? 0 : 1;
}
