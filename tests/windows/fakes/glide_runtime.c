/* Stands in for an installed Glide runtime: the saver only loads it to see that it is there. */
__declspec(dllexport) int fakeGlideRuntime(void) { return 1; }
