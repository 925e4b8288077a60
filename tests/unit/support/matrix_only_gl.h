#pragma once
// A GL table for tests and benchmarks that draws nothing but keeps the modelview and projection matrix
// stacks, so that the saver's view test and detail step see a frame's real transforms.

// Points every GlApi entry at a do-nothing function of its own type, the matrix calls and glGetFloatv
// at the keepers, and gluApi at do-nothing functions (gluLookAt kept). Save and restore glApi and
// gluApi around it.
void installMatrixOnlyGl();
