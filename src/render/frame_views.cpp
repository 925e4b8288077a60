#include "render/frame_views.h"

#include "gl/gl_api.h"
#include "render/scene_setup.h"

FrameViews frameViews;

ViewFrustum monitorFrustum(float primaryWidth, float primaryHeight, const MonitorArea& area) {
    // Written as fractions of the primary's half-extents, so that the primary's own edges come out as
    // exactly its frustum's and two monitors that meet at a seam compute the same value there.
    const double halfWidth = frustumHalfWidth(primaryWidth, primaryHeight);
    const double width = primaryWidth > 0.0f ? primaryWidth : 1.0;
    const double height = primaryHeight > 0.0f ? primaryHeight : 1.0;
    const auto across = [&](int32_t x) { return halfWidth * (2.0 * x / width - 1.0); };
    const auto down = [&](int32_t y) { return 0.75 * (1.0 - 2.0 * y / height); };
    return {across(area.left), across(area.right), down(area.bottom), down(area.top)};
}

namespace {

void readProjection(const ViewFrustum& frustum, float matrix[16]) {
    glLoadIdentity();
    glFrustum(frustum.left, frustum.right, frustum.bottom, frustum.top, 1.0, 40000.0);
    glGetFloatv(GL_PROJECTION_MATRIX, matrix);
}

}  // namespace

bool addFrameView(void* deviceContext, int32_t x, int32_t y, float primaryWidth, float primaryHeight,
                  const MonitorArea& area) {
    if (frameViews.count == MAX_FRAME_VIEWS) return false;
    FrameView& view = frameViews.views[frameViews.count++];
    const MonitorArea continued{area.left - VIEW_MARGIN, area.top - VIEW_MARGIN, area.right + VIEW_MARGIN,
                                area.bottom + VIEW_MARGIN, area.primary};
    view = FrameView{deviceContext, x, y, area.right - area.left, area.bottom - area.top,
                     monitorFrustum(primaryWidth, primaryHeight, area), {}, {}};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    readProjection(view.frustum, view.projection);
    readProjection(monitorFrustum(primaryWidth, primaryHeight, continued), view.marginProjection);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return true;
}
