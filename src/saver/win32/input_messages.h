#pragma once
// The input messages that the saver window and its covers share: keys, mouse travel and buttons, each
// turned into the same portable rule, wherever on the desktop the pointer is.
#include <windows.h>

// Passes a key, mouse-move or button message to its rule; false for any other message. The caller
// goes on to the default handling either way.
bool translateInputMessage(UINT message, WPARAM wParam);
