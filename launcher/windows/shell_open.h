// Hands a document or a web address to the program the system has
// registered for it.
#pragma once

// ShellExecute "open" with no owner, parameters or folder, shown normally.
// The result is not looked at: a failed start is silent.
void OpenWithShell(const char *target);
