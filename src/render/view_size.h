#pragma once
// Following a window that changes size: the viewport covers the window and the frustum keeps the
// scene's proportions (its half-width is frustumHalfWidth of the new size, its half-height 0.75).

// Sets ScrWidth and ScrHeight, the flight's cursor scales, the viewport and the perspective for a
// drawing area of width x height pixels; leaves the model-view matrix current. Needs a current
// rendering context. Sizes below one pixel are taken as one.
void applyViewSize(int width, int height);
