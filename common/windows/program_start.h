// Starts a program and forgets it, as WinExec does (CreateProcess, then a
// wait of at most 30 s until the program waits for input); where Windows
// wants the user's consent first, through the shell, which asks for it.
#pragma once

#include <windows.h>

// `commandLine` begins with the program's path in double quotes, so that
// no program named by the path's first words (C:\My.exe for
// C:\My CD\Setup.exe) can run in its place. False when nothing started.
bool StartProgram(const char *commandLine, int show);
