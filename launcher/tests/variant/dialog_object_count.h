// Test variant only: the count that tests/variant/dialog_objects.cpp keeps.
#pragma once

// GDI objects the dialogs made and have not deleted yet; 0 is balanced.
long LiveDialogObjects();
