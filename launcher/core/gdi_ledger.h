// A running count of the GDI objects that the launcher's dialogs make and
// delete. Windows 9x has a small GDI heap and no way to ask how much of it
// a process holds, so the dialogs keep their own books: after any number of
// openings the balance must be back where it started.
#pragma once

// The menu keeps one in its zero-filled state; a count of 0 is balanced.
struct GdiLedger {
    long live;   // objects made and not yet deleted

    void NoteMade() { ++live; }
    void NoteDeleted() { --live; }
};
