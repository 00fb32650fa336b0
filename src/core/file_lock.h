#pragma once

#include <string>

namespace vetrilo {

// How long a second writer of a program folder waits for the folder's lock
// before it gives up.
constexpr int kFolderLockWaitMs = 5000;

// Opens `path` for reading and writing (creating it when missing) and locks it
// exclusively, waiting up to `waitMs` while another open file holds the lock.
// A holder may replace the file by a rename (it locks the new file first), so
// a lock taken on a file that no longer has the name is dropped and taken
// again. Returns the descriptor; throws EFolderLocked when the wait ran out,
// EVetrilo when the file cannot be opened or is not a regular file (a dangling
// link included).
int OpenLockedFile(const std::string& path, int waitMs);

// Waits up to `waitMs` until no one holds the lock of `path` (an absent file
// is free). Takes no lock itself; true when it was free.
bool WaitUntilUnlocked(const std::string& path, int waitMs);

}  // namespace vetrilo
