#include "module/attitude/AttitudeBall.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <type_traits>

#include "module/drawing/Degrees.h"

namespace quorvel {

static_assert(std::is_same_v<unsigned int, GLuint>, "list ids are kept as GLuint");
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40 && sizeof(BITMAPINFOHEADER) == 40, "Windows' record sizes");

namespace {

// The list geometry's sphere point G(latitude, longitude), longitude from +x
// toward +z.
void SphereVertex(float latitude, float longitude) {
    const float cosLatitude = CosDegrees(latitude);
    glVertex3f(CosDegrees(longitude) * cosLatitude, SinDegrees(latitude), SinDegrees(longitude) * cosLatitude);
}

struct BallVector {
    float x;
    float y;
    float z;
};

// The marker point M(elevation, azimuth), azimuth from north (+z) toward
// east (+x).
BallVector MarkerDirection(float elevation, float azimuth) {
    const float sinElevation = SinDegrees(elevation);
    const float cosElevation = CosDegrees(elevation);
    return {SinDegrees(azimuth) * cosElevation, sinElevation, CosDegrees(azimuth) * cosElevation};
}

// Window coordinates (y upward) to an image position (y downward) inside
// the image. A coordinate that is not finite (from a NaN angle, or a
// projection gluProject refused) counts as 0: it would pass both clamps
// and reach the overlay's integer conversion.
BallPoint ClampToImage(double x, double y, double width, double height) {
    if (!std::isfinite(x)) x = 0;
    if (!std::isfinite(y)) y = 0;
    return {std::clamp(x, 0.0, width), height - std::clamp(y, 0.0, height)};
}

// Ball points to window coordinates through the matrices and viewport of
// the current context, as the last Render left them.
class BallProjection {
public:
    BallProjection() {
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
    }

    // Window x, y (y upward) and depth (0.5 at the ball's centre, less
    // nearer the viewer); gluProject leaves them 0 when it fails.
    std::array<GLdouble, 3> Of(BallVector point) const {
        std::array<GLdouble, 3> window{};
        gluProject(point.x, point.y, point.z, modelView, projection, viewport, &window[0], &window[1], &window[2]);
        return window;
    }

private:
    GLdouble modelView[16] = {};
    GLdouble projection[16] = {};
    GLint viewport[4] = {};
};

// The northern half, counter-clockwise seen from outside: a fan round the
// pole, then eight bands down to the equator.
void CompileHemisphere(GLuint list) {
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(0.0f, 1.0f, 0.0f);
    for (int longitude = 360; longitude >= 0; longitude -= 10) SphereVertex(80.0f, static_cast<float>(longitude));
    glEnd();
    for (int latitude = 70; latitude >= 0; latitude -= 10) {
        glBegin(GL_QUAD_STRIP);
        for (int longitude = 0; longitude <= 360; longitude += 10) {
            SphereVertex(static_cast<float>(latitude), static_cast<float>(longitude));
            SphereVertex(static_cast<float>(latitude + 10), static_cast<float>(longitude));
        }
        glEnd();
    }
    glEndList();
}

// The equator as a ring of 36 points, and a great circle through the poles.
void CompileRings(GLuint parallelRing, GLuint greatCircle) {
    glNewList(parallelRing, GL_COMPILE);
    glBegin(GL_LINE_LOOP);
    for (int longitude = 0; longitude <= 350; longitude += 10) {
        glVertex3f(SinDegrees(static_cast<float>(longitude)), 0.0f, CosDegrees(static_cast<float>(longitude)));
    }
    glEnd();
    glEndList();

    glNewList(greatCircle, GL_COMPILE);
    glBegin(GL_LINE_LOOP);
    for (int longitude = 0; longitude <= 350; longitude += 10) {
        glVertex3f(CosDegrees(static_cast<float>(longitude)), SinDegrees(static_cast<float>(longitude)), 0.0f);
    }
    glEnd();
    glEndList();
}

// The ring raised to each latitude and shrunk to its radius.
void CompileParallels(GLuint list, GLuint parallelRing, std::initializer_list<int> latitudes) {
    glNewList(list, GL_COMPILE);
    for (int latitude : latitudes) {
        const float radius = CosDegrees(static_cast<float>(latitude));
        glPushMatrix();
        glTranslatef(0.0f, SinDegrees(static_cast<float>(latitude)), 0.0f);
        glScalef(radius, radius, radius);
        glCallList(parallelRing);
        glPopMatrix();
    }
    glEndList();
}

// Twelve copies of one great circle through the poles; copies 180 degrees
// apart coincide, so the meridians lie 30 degrees apart.
void CompileMeridians(GLuint list, GLuint greatCircle) {
    glNewList(list, GL_COMPILE);
    for (int angle = 0; angle <= 330; angle += 30) {
        glPushMatrix();
        glRotatef(static_cast<float>(angle), 0.0f, 1.0f, 0.0f);
        glCallList(greatCircle);
        glPopMatrix();
    }
    glEndList();
}

}  // namespace

BallPlacement BallPlacementOnPage(std::uint32_t width, std::uint32_t height) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t imageWidth = width >= 2 ? width - 2u : 0u;
    const std::uint64_t imageHeight = std::uint64_t{2} * height / 3u;
    return {1, 1, static_cast<std::int32_t>(std::min(imageWidth, kLargest)),
            static_cast<std::int32_t>(std::min(imageHeight, kLargest))};
}

AttitudeBall::AttitudeBall(BallPlacement placement) : placement(placement) {
    memoryDC = CreateCompatibleDC(nullptr);
    if (memoryDC == nullptr) return;

    PIXELFORMATDESCRIPTOR display{};
    DescribePixelFormat(memoryDC, 1, sizeof(PIXELFORMATDESCRIPTOR), &display);
    const BYTE colourBits = display.cColorBits;

    // A negative height would ask for a top-down image, zero for none.
    if (placement.width > 0 && placement.height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = placement.width;
        info.bmiHeader.biHeight = placement.height;  // bottom-up, as GL's rows run
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = colourBits;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dibSection = CreateDIBSection(memoryDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    if (dibSection == nullptr) return;
    previousBitmap = SelectObject(memoryDC, dibSection);

    // No depth bits asked for: every bitmap format carries a depth buffer.
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = colourBits;
    SetPixelFormat(memoryDC, ChoosePixelFormat(memoryDC, &request), &request);

    renderContext = wglCreateContext(memoryDC);
    if (renderContext == nullptr) return;
    wglMakeCurrent(memoryDC, renderContext);

    // The offset pushes the filled shell back, so that the rings and
    // meridians lying on the sphere pass the depth test over it while the
    // far half stays hidden.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.0f, 2.0f);
    glViewport(0, 0, placement.width, placement.height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    BuildDisplayLists();
}

AttitudeBall::~AttitudeBall() { Release(); }

void AttitudeBall::BuildDisplayLists() {
    const GLuint first = glGenLists(7);
    if (first == 0) return;
    hemisphereList = first;
    parallelRingList = first + 1;
    greatCircleList = first + 2;
    majorParallelsList = first + 3;
    minorParallelsList = first + 4;
    meridiansList = first + 5;
    ballList = first + 6;

    CompileHemisphere(hemisphereList);
    CompileRings(parallelRingList, greatCircleList);
    CompileParallels(majorParallelsList, parallelRingList, {30, 60});
    CompileParallels(minorParallelsList, parallelRingList, {10, 20, 40, 50, 70, 80});
    CompileMeridians(meridiansList, greatCircleList);
    CompileBall();
}

void AttitudeBall::CompileBall() const {
    glNewList(ballList, GL_COMPILE);
    glPushMatrix();
    glColor3f(0.0f, 0.63f, 0.65f);  // sky
    glCallList(hemisphereList);
    glColor3f(0.6f, 0.6f, 0.97f);
    glCallList(majorParallelsList);
    glColor3f(0.0f, 0.97f, 0.03f);  // horizon
    glCallList(parallelRingList);
    glColor3f(0.5f, 0.5f, 0.5f);
    glCallList(meridiansList);
    glRotatef(180.0f, 0.0f, 0.0f, 1.0f);
    glColor3f(0.38f, 0.25f, 0.15f);  // ground
    glCallList(hemisphereList);
    glColor3f(1.0f, 0.5f, 0.28f);  // -30 and -60
    glCallList(majorParallelsList);
    glPopMatrix();
    glEndList();
}

void AttitudeBall::Render(HDC hdc, float pitchAngle, float rollAngle, float yawAngle, float aoa, float slip,
                          float pitchRate, float yawRate, float scale) {
    // Each ball makes its own context current: with two pages open, the
    // context made current last would otherwise receive both pages' drawing.
    if (renderContext == nullptr || wglMakeCurrent(memoryDC, renderContext) == FALSE) return;

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The ball's radius in the image is scale times half the shorter side.
    const double aspect = static_cast<double>(placement.width) / static_cast<double>(placement.height);
    const double inverse = 1.0 / static_cast<double>(scale);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (aspect > 1) {
        glOrtho(-aspect * inverse, aspect * inverse, -inverse, inverse, 2.0, 4.0);
    } else {
        glOrtho(-inverse, inverse, -inverse / aspect, inverse / aspect, 2.0, 4.0);
    }

    // A ball point turns about the vertical axis, then x, then the viewing
    // axis; the centre sits at depth 3, midway between the planes.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    glRotatef(rollAngle, 0.0f, 0.0f, 1.0f);
    glRotatef(pitchAngle, 1.0f, 0.0f, 0.0f);
    glRotatef(yawAngle, 0.0f, 1.0f, 0.0f);

    glCallList(ballList);

    // Dashed rings at +-10 ... +-80 except the multiples of 30; the point
    // reflection carries the northern set south.
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(5, 0x5555);
    glColor3f(0.6f, 0.6f, 0.97f);
    glCallList(minorParallelsList);
    glPushMatrix();
    glColor3f(1.0f, 0.5f, 0.28f);
    glScalef(-1.0f, -1.0f, -1.0f);
    glCallList(minorParallelsList);
    glPopMatrix();
    glDisable(GL_LINE_STIPPLE);

    glFlush();
    glFinish();
    BitBlt(hdc, placement.x, placement.y, placement.width, placement.height, memoryDC, 0, 0, SRCCOPY);

    ProjectMarkers(pitchAngle, rollAngle, yawAngle, aoa, slip, pitchRate, yawRate);
}

void AttitudeBall::ProjectMarkers(float pitchAngle, float rollAngle, float yawAngle, float aoa, float slip,
                                  float pitchRate, float yawRate) {
    const BallProjection projection;
    const double width = placement.width;
    const double height = placement.height;
    // No point is tested for lying on the visible half.
    const auto project = [&](BallVector point) {
        const auto window = projection.Of(point);
        return ClampToImage(window[0], window[1], width, height);
    };

    northPoint = project({0.0f, 0.0f, 1.0f});
    southPoint = project({0.0f, 0.0f, -1.0f});
    eastPoint = project({1.0f, 0.0f, 0.0f});
    westPoint = project({-1.0f, 0.0f, 0.0f});

    const float sinRoll = SinDegrees(rollAngle);
    const float cosRoll = CosDegrees(rollAngle);
    const float pathElevation = pitchAngle - aoa * cosRoll - slip * sinRoll;
    const float pathAzimuth = -yawAngle - aoa * sinRoll - slip * cosRoll;
    flightPathPoint = project(MarkerDirection(pathElevation, pathAzimuth));

    // The attitude three seconds ahead at the present rates.
    const float predictedElevation = pitchAngle + 3.0f * pitchRate;
    const float predictedAzimuth = 3.0f * yawRate - yawAngle;
    predictorPoint = project(MarkerDirection(predictedElevation, predictedAzimuth));
}

BallSight AttitudeBall::SightOf(float elevation, float azimuth) const {
    if (renderContext == nullptr || wglMakeCurrent(memoryDC, renderContext) == FALSE) return {};
    const auto window = BallProjection().Of(MarkerDirection(elevation, azimuth));
    const double width = placement.width;
    const double height = placement.height;
    const bool inImage = window[0] >= 0 && window[0] <= width && window[1] >= 0 && window[1] <= height;
    return {{window[0], height - window[1]}, inImage && window[2] < 0.5};
}

void AttitudeBall::Release() {
    if (renderContext != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        // The display lists end with the context.
        wglDeleteContext(renderContext);
        renderContext = nullptr;
        hemisphereList = parallelRingList = greatCircleList = 0;
        majorParallelsList = minorParallelsList = meridiansList = ballList = 0;
    }
    if (memoryDC != nullptr && previousBitmap != nullptr) SelectObject(memoryDC, previousBitmap);
    previousBitmap = nullptr;
    if (dibSection != nullptr) DeleteObject(dibSection);
    dibSection = nullptr;
    if (memoryDC != nullptr) DeleteDC(memoryDC);
    memoryDC = nullptr;
}

}  // namespace quorvel
