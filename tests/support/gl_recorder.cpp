// Preloaded into the real program (LD_PRELOAD), records every GL, GLU and
// swap call the program makes to draw, with its arguments, one line per call
// in the file named by GL_RECORD_OUT, and passes each call on unchanged, so
// the program still draws on its display. Doubles are written with enough
// digits to read back the very same value. The file is flushed at every swap,
// so a test can follow the frames while the program runs. With
// GL_RECORD_CLOCK set, each swap is preceded by a line "clock SECONDS" (the
// monotonic clock); with GL_RECORD_SWAP_DELAY_MS, each swap is held back that
// long, to make the program draw fewer frames a second.
#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>

#include <time.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

FILE* out() {
    static FILE* file = [] {
        const char* path = std::getenv("GL_RECORD_OUT");
        return path != nullptr ? std::fopen(path, "w") : nullptr;
    }();
    return file;
}

// Calls GLU makes itself, inside a call of the program's, are not the
// program's: while one runs, nothing is recorded.
int insideGlu = 0;

__attribute__((format(printf, 1, 2))) void record(const char* format, ...) {
    if (out() == nullptr || insideGlu > 0) return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(out(), format, arguments);
    va_end(arguments);
    std::fputc('\n', out());
}

// The next definition of `name` after this library: the real one.
template <typename Function>
Function next(const char* name) {
    void* real = dlsym(RTLD_NEXT, name);
    if (real == nullptr) {
        std::fprintf(stderr, "gl_recorder: no %s to pass calls on to\n", name);
        std::abort();
    }
    return reinterpret_cast<Function>(real);
}

}  // namespace

// Each wrapper records the call and passes it on.
#define PASS_ON(name, ...)                                 \
    static const auto real = next<decltype(&name)>(#name); \
    real(__VA_ARGS__)

extern "C" {

void glClear(GLbitfield mask) {
    record("glClear %u", mask);
    PASS_ON(glClear, mask);
}

void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
    record("glClearColor %.9g %.9g %.9g %.9g", r, g, b, a);
    PASS_ON(glClearColor, r, g, b, a);
}

void glEnable(GLenum capability) {
    record("glEnable %u", capability);
    PASS_ON(glEnable, capability);
}

void glCullFace(GLenum mode) {
    record("glCullFace %u", mode);
    PASS_ON(glCullFace, mode);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    record("glViewport %d %d %d %d", x, y, width, height);
    PASS_ON(glViewport, x, y, width, height);
}

void glMatrixMode(GLenum mode) {
    record("glMatrixMode %u", mode);
    PASS_ON(glMatrixMode, mode);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    record("gluPerspective %.17g %.17g %.17g %.17g", fovy, aspect, zNear, zFar);
    ++insideGlu;
    PASS_ON(gluPerspective, fovy, aspect, zNear, zFar);
    --insideGlu;
}

void glLoadIdentity() {
    record("glLoadIdentity");
    PASS_ON(glLoadIdentity, );
}

void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
               GLdouble ux, GLdouble uy, GLdouble uz) {
    record("gluLookAt %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g", ex, ey, ez, cx, cy,
           cz, ux, uy, uz);
    ++insideGlu;
    PASS_ON(gluLookAt, ex, ey, ez, cx, cy, cz, ux, uy, uz);
    --insideGlu;
}

void glBegin(GLenum mode) {
    record("glBegin %u", mode);
    PASS_ON(glBegin, mode);
}

void glEnd() {
    record("glEnd");
    PASS_ON(glEnd, );
}

void glColor3ub(GLubyte r, GLubyte g, GLubyte b) {
    record("glColor3ub %u %u %u", r, g, b);
    PASS_ON(glColor3ub, r, g, b);
}

void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
    record("glColor3d %.17g %.17g %.17g", r, g, b);
    PASS_ON(glColor3d, r, g, b);
}

void glVertex3dv(const GLdouble* v) {
    record("glVertex3dv %.17g %.17g %.17g", v[0], v[1], v[2]);
    PASS_ON(glVertex3dv, v);
}

void glNormal3dv(const GLdouble* v) {
    record("glNormal3dv %.17g %.17g %.17g", v[0], v[1], v[2]);
    PASS_ON(glNormal3dv, v);
}

void glLightfv(GLenum light, GLenum name, const GLfloat* v) {
    record("glLightfv %u %u %.9g %.9g %.9g %.9g", light, name, v[0], v[1], v[2], v[3]);
    PASS_ON(glLightfv, light, name, v);
}

void glPushMatrix() {
    record("glPushMatrix");
    PASS_ON(glPushMatrix, );
}

void glPopMatrix() {
    record("glPopMatrix");
    PASS_ON(glPopMatrix, );
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    record("glRotated %.17g %.17g %.17g %.17g", angle, x, y, z);
    PASS_ON(glRotated, angle, x, y, z);
}

void glScaled(GLdouble x, GLdouble y, GLdouble z) {
    record("glScaled %.17g %.17g %.17g", x, y, z);
    PASS_ON(glScaled, x, y, z);
}

void glMultMatrixd(const GLdouble* m) {
    record(
        "glMultMatrixd %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g %.17g "
        "%.17g %.17g %.17g %.17g",
        m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13],
        m[14], m[15]);
    PASS_ON(glMultMatrixd, m);
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    record("glVertex3d %.17g %.17g %.17g", x, y, z);
    PASS_ON(glVertex3d, x, y, z);
}

void glVertex2d(GLdouble x, GLdouble y) {
    record("glVertex2d %.17g %.17g", x, y);
    PASS_ON(glVertex2d, x, y);
}

void glDisable(GLenum capability) {
    record("glDisable %u", capability);
    PASS_ON(glDisable, capability);
}

void glScissor(GLint x, GLint y, GLsizei width, GLsizei height) {
    record("glScissor %d %d %d %d", x, y, width, height);
    PASS_ON(glScissor, x, y, width, height);
}

// Text: the characters as they are, so a test can read what is shown.
void glutBitmapString(void* font, const unsigned char* text) {
    record("glutBitmapString %s", reinterpret_cast<const char*>(text));
    PASS_ON(glutBitmapString, font, text);
}

void glutSwapBuffers() {
    static const char* delay = std::getenv("GL_RECORD_SWAP_DELAY_MS");
    if (delay != nullptr) {
        const long ms = std::strtol(delay, nullptr, 10);
        const timespec pause = {ms / 1000, (ms % 1000) * 1000000};
        nanosleep(&pause, nullptr);
    }
    PASS_ON(glutSwapBuffers, );
    if (std::getenv("GL_RECORD_CLOCK") != nullptr) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        record("clock %.6f",
               static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec));
    }
    record("glutSwapBuffers");
    if (out() != nullptr) std::fflush(out());
}

}  // extern "C"
