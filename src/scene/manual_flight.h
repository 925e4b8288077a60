#pragma once
// The viewer's flight with the autopilot off. The view vector D = target - eye is about one unit long
// and is never renormalised; every operation keeps target = eye + D.

// Turns D by the cursor's offset from the screen centre (at most 2 degrees a tick each way): yaw about
// up, then pitch about D x up, which also turns up. Reads steerCursor, the mouse scales, InvertMouse.
void steerCamera();

// Moves eye and target together by thrust x D, forward or back.
void moveCamera(bool forward);

// Rolls up about D by tilt degrees (Left arrow +1: the picture turns clockwise).
void rollCamera();
