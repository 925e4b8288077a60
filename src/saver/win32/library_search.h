#pragma once
// Where the saver's libraries come from. A saver is often run from the Downloads folder, where anyone
// can leave a file named like a library that Windows would otherwise take from the program's folder,
// the current directory or PATH before the system's own; every library the saver loads is the system's.

// Restricts the search of this process, and of the libraries the system loads on its behalf, to the
// system folder. Systems without SetDefaultDllDirectories (looked up at run time) at least lose the
// current directory; there the platform's loads name the system folder in full anyway.
// Returns true when the full restriction is in force.
bool restrictLibrarySearch();
