#include "render/view_size.h"

#include "gl/gl_api.h"
#include "render/scene_setup.h"
#include "scene/flight_input.h"
#include "settings/saver_settings.h"

void applyViewSize(int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    saverSettings.ScrWidth = static_cast<float>(width);
    saverSettings.ScrHeight = static_cast<float>(height);
    setMouseScales(flightInput, saverSettings.ScrWidth, saverSettings.ScrHeight);
    glViewport(0, 0, width, height);
    // The near and far planes of the scene's perspective (scene units).
    const double halfWidth = frustumHalfWidth(saverSettings.ScrWidth, saverSettings.ScrHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-halfWidth, halfWidth, -0.75, 0.75, 1.0, 40000.0);
    glMatrixMode(GL_MODELVIEW);
}
