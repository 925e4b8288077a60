#pragma once
// Where the saver's libraries are looked for. The driver libraries, the Glide probe and the password
// libraries are loaded by bare name; the system's default search would also try the current directory
// and every folder on PATH, so a file of such a name planted there would run inside the saver.

// Restricts the search of this process to the program's own folder and the system folders. Systems
// without SetDefaultDllDirectories (looked up at run time) at least lose the current directory.
// Returns true when the full restriction is in force.
bool restrictLibrarySearch();
