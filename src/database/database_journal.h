#pragma once

#include <vector>

#include "database/database_check.h"
#include "database/database_format.h"

namespace ravelin::database {

// A new or remade database replaces its five files as one set (the set journal names them while
// they are renamed into place). An add writes onto the ends of the files and patches links of old
// records in place; before it does, the undo journal keeps what puts the set back: the old sizes,
// game count, the old bytes of every patched link and the old root table. The journal goes once
// every file is written and on the disk.

// Writes the undo journal of an add to the database whose state before it is `old`; `changed`
// marks the old records whose links the add patches.
bool WriteUndoJournal(const DatabasePaths& paths, const DatabaseImage& old, const std::vector<bool>& changed);
// Removes the journal of a finished add.
void RemoveUndoJournal(const DatabasePaths& paths);
// Puts the files back as the undo journal describes and removes it; false when there is none or
// the files could not be put back (the journal then stays for the next try).
bool UndoInterruptedAdd(const DatabasePaths& paths);

// Called before a database is read or written: finishes a set replacement or undoes an add that a
// crash interrupted, so that readers always see a whole old or whole new database.
void RecoverDatabase(const DatabasePaths& paths);

}  // namespace ravelin::database
