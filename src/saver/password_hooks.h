#pragma once
// The Windows 95/98 screen-saver password, handed to the system's own libraries. Both load their
// library by name on every call and free it before they return.

// Non-zero when the saver may end: always on Windows NT, or when the password library or its entry
// is missing; otherwise the system's password dialog decides.
int verifySaverPassword(void* window);

// Runs the system's password-change dialog for screen savers, owned by `parent` (may be null).
void changeSaverPassword(void* parent);
