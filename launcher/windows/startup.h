// Start-up state of the launcher, fixed before the menu window exists and
// kept for the whole process.
#pragma once

#include "core/language.h"

// 1 English, 2 Spanish, 3 French.
extern unsigned short LanguageIndex;
// The command-line text after the program name, cut to fit.
extern char CommandLineText[kCommandLineSize];
