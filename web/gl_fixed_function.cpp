// Fixed-function GL for the web build, drawn through WebGL.
//
// What it mends. Emscripten 3.1.6's legacy GL emulation cannot draw this
// program's picture: it defines no glVertex3dv or glNormal3dv (the link
// fails); its immediate mode scrambles the vertex stream when a normal is
// given once per face; its gluLookAt leaves the model-view matrix unchanged;
// and its lighting treats positional lights as directional and always
// renormalises normals, which fixed-function GL does not do with
// GL_NORMALIZE off. Its matrices are also worked out in JavaScript doubles,
// so even a mended emulation would put vertices and colours a rounding away
// from the desktop's.
//
// How. This layer takes the place of the emulation for exactly the calls the
// program makes, and does the fixed-function work on the CPU the way the
// desktop's GL (Mesa) does it, float for float: the matrix stacks and their
// inverses as Mesa's matrix code keeps them (gl_matrix.cpp), GLU's look-at
// and perspective, the light positions and products, and, for every vertex,
// the operations of the vertex program Mesa generates for this program's
// state, in their order. WebGL then only passes the finished clip-space positions and
// colours through, so the rasteriser receives the very numbers the desktop
// rasteriser receives. Quads are cut into triangles as Mesa cuts them.
//
// The explorer draws more: lines and line strips with lighting off, in the
// current colour, its own matrices (glMultMatrixd), and a second viewport
// with a scissored clear; with lighting off, Mesa's vertex program hands on
// the current colour, clamped, and so does this layer.
//
// Nothing here is used by the desktop build; the programs' own sources are
// compiled unchanged against it.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "gl_matrix.h"

extern "C" {
// WebGL itself, under the names Emscripten gives it beside the GL names
// this layer takes over.
void emscripten_glEnable(GLenum capability);
void emscripten_glDisable(GLenum capability);
GLuint emscripten_glCreateShader(GLenum type);
void emscripten_glShaderSource(GLuint shader, GLsizei count, const char* const* text,
                               const GLint* lengths);
void emscripten_glCompileShader(GLuint shader);
GLuint emscripten_glCreateProgram();
void emscripten_glAttachShader(GLuint program, GLuint shader);
void emscripten_glBindAttribLocation(GLuint program, GLuint index, const char* name);
void emscripten_glLinkProgram(GLuint program);
void emscripten_glUseProgram(GLuint program);
void emscripten_glGenBuffers(GLsizei count, GLuint* buffers);
void emscripten_glBindBuffer(GLenum target, GLuint buffer);
void emscripten_glBufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
void emscripten_glEnableVertexAttribArray(GLuint index);
void emscripten_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized,
                                      GLsizei stride, const void* offset);
void emscripten_glDrawArrays(GLenum mode, GLint first, GLsizei count);
}

namespace {

// ---------------------------------------------------------------------------
// The GL state this program sets.

struct Light {
    bool enabled = false;
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};
    float specular[4] = {0, 0, 0, 1};
    float eyePosition[4] = {0, 0, 1, 0};
};

struct Vertex {
    float position[4];
    float normal[3];
    float colour[4];
};

struct State {
    Matrix modelView[32];
    int modelViewDepth = 0;
    Matrix projection[2];
    int projectionDepth = 0;
    bool modelViewMode = true;
    Light lights[8];
    // Material and light model are never set by the program: GL's defaults.
    float materialAmbient[4] = {0.2F, 0.2F, 0.2F, 1.0F};
    float materialDiffuse[4] = {0.8F, 0.8F, 0.8F, 1.0F};
    float materialSpecular[4] = {0.0F, 0.0F, 0.0F, 1.0F};
    float materialEmission[4] = {0.0F, 0.0F, 0.0F, 1.0F};
    float modelAmbient[4] = {0.2F, 0.2F, 0.2F, 1.0F};
    float normal[3] = {0.0F, 0.0F, 1.0F};
    float colour[4] = {1.0F, 1.0F, 1.0F, 1.0F};  // GL's current colour
    bool lighting = false;
    GLenum primitive = 0;
    std::vector<Vertex> vertices;
    // WebGL objects of the pass-through program.
    GLuint program = 0;
    GLuint buffer = 0;
};

State& state() {
    static State s = [] {
        State fresh;
        fresh.lights[0].diffuse[0] = fresh.lights[0].diffuse[1] = fresh.lights[0].diffuse[2] = 1;
        fresh.lights[0].specular[0] = fresh.lights[0].specular[1] = fresh.lights[0].specular[2] = 1;
        return fresh;
    }();
    return s;
}

Matrix& current() {
    State& s = state();
    return s.modelViewMode ? s.modelView[s.modelViewDepth] : s.projection[s.projectionDepth];
}

// ---------------------------------------------------------------------------
// Per-vertex work: the vertex program Mesa generates for this state, one
// operation at a time in its order. Lighting happens in eye space once a
// light is positional (or the model-view matrix does not keep lengths), and
// otherwise in object space, with the normal as given.

struct LightTerms {
    bool positional;
    float position[3];  // eye space when positional; unit direction otherwise
    float ambient[3];   // products of light and material colours
    float diffuse[3];
    float specular[3];
};

struct Frame {
    bool lighting;
    float mvp[16];
    const float* modelView;
    const float* inverse;
    bool eyeSpace;
    float sceneColour[3];
    float alpha;
    std::vector<LightTerms> lights;
};

Frame prepare() {
    State& s = state();
    Matrix& mv = s.modelView[s.modelViewDepth];
    const Matrix& p = s.projection[s.projectionDepth];
    analyse(mv);

    Frame f{};
    f.lighting = s.lighting;
    // The model-view-projection product; the projection's flags always
    // include "general", so the full product is taken.
    multiply4(f.mvp, p.m, mv.m);
    f.modelView = mv.m;
    f.inverse = mv.inv;

    bool anyPositional = false;
    for (const Light& l : s.lights)
        anyPositional = anyPositional || (l.enabled && l.eyePosition[3] != 0.0F);
    f.eyeSpace = anyPositional || !only(mv, kLengthPreserving);
    for (int i = 0; i < 3; ++i) {
        f.sceneColour[i] = s.modelAmbient[i] * s.materialAmbient[i] + s.materialEmission[i];
    }
    f.alpha = s.materialAmbient[3];

    for (const Light& l : s.lights) {
        if (!l.enabled) continue;
        LightTerms t{};
        t.positional = l.eyePosition[3] != 0.0F;
        float position[4];
        if (f.eyeSpace) {
            std::memcpy(position, l.eyePosition, sizeof position);
        } else {
            transformPoint(position, mv.inv, l.eyePosition);
        }
        if (t.positional) {
            const float wInverse = 1.0F / position[3];
            for (int i = 0; i < 3; ++i) t.position[i] = position[i] * wInverse;
        } else {
            std::memcpy(t.position, position, sizeof t.position);
            normalise3(t.position);
        }
        for (int i = 0; i < 3; ++i) {
            t.ambient[i] = l.ambient[i] * s.materialAmbient[i];
            t.diffuse[i] = l.diffuse[i] * s.materialDiffuse[i];
            t.specular[i] = l.specular[i] * s.materialSpecular[i];
        }
        f.lights.push_back(t);
    }
    return f;
}

// One vertex: its clip-space position and its lit, clamped colour.
void shade(const Frame& f, const Vertex& v, float* clip, float* colour) {
    const float* p = v.position;
    // Position: the columns of the product, weighted by x, y, z, w.
    for (int i = 0; i < 4; ++i) {
        clip[i] =
            ((p[0] * f.mvp[i] + p[1] * f.mvp[4 + i]) + p[2] * f.mvp[8 + i]) + p[3] * f.mvp[12 + i];
    }
    float normal[3];
    float eye[3] = {0, 0, 0};
    if (f.eyeSpace) {
        for (int i = 0; i < 3; ++i) {
            const float* row = f.inverse + 4 * i;
            normal[i] = (v.normal[2] * row[2] + v.normal[1] * row[1]) + v.normal[0] * row[0];
            eye[i] =
                ((p[0] * f.modelView[i] + p[1] * f.modelView[4 + i]) + p[2] * f.modelView[8 + i]) +
                p[3] * f.modelView[12 + i];
        }
    } else {
        // Object space: the normal as given (its scale factor is exactly 1,
        // since the model-view matrix then keeps lengths).
        std::memcpy(normal, v.normal, sizeof normal);
    }

    if (!f.lighting) {
        // Unlit: the current colour, clamped.
        for (int i = 0; i < 4; ++i) {
            const float c = v.colour[i];
            colour[i] = c >= 0.0F ? (c <= 1.0F ? c : 1.0F) : 0.0F;
        }
        return;
    }
    float c[3] = {f.sceneColour[0], f.sceneColour[1], f.sceneColour[2]};
    for (const LightTerms& l : f.lights) {
        float direction[3];
        if (l.positional) {
            for (int i = 0; i < 3; ++i) direction[i] = l.position[i] + -eye[i];
            const float length = (direction[2] * direction[2] + direction[1] * direction[1]) +
                                 direction[0] * direction[0];
            const float inverseLength = 1.0F / std::sqrt(length);
            for (float& d : direction) d = d * inverseLength;
        } else {
            std::memcpy(direction, l.position, sizeof direction);
        }
        const float facing =
            (normal[2] * direction[2] + normal[1] * direction[1]) + normal[0] * direction[0];
        const float diffuse = std::fmax(0.0F, facing);
        const float specular = 0.0F < facing ? 1.0F : 0.0F;
        for (int i = 0; i < 3; ++i) {
            c[i] = l.ambient[i] + c[i];
            c[i] = diffuse * l.diffuse[i] + c[i];
            c[i] = specular * l.specular[i] + c[i];
        }
    }
    for (int i = 0; i < 3; ++i) {
        colour[i] = c[i] >= 0.0F ? (c[i] <= 1.0F ? c[i] : 1.0F) : 0.0F;
    }
    colour[3] = f.alpha >= 0.0F ? (f.alpha <= 1.0F ? f.alpha : 1.0F) : 0.0F;
}

// ---------------------------------------------------------------------------
// Drawing through WebGL.

const char* const kVertexShader =
    "attribute vec4 position;\n"
    "attribute vec4 colour;\n"
    "varying vec4 shade;\n"
    "void main() {\n"
    "  gl_Position = position;\n"
    "  shade = colour;\n"
    "}\n";

const char* const kFragmentShader =
    "precision highp float;\n"
    "varying vec4 shade;\n"
    "void main() {\n"
    "  gl_FragColor = shade;\n"
    "}\n";

GLuint compile(GLenum type, const char* text) {
    const GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &text, nullptr);
    emscripten_glCompileShader(shader);
    return shader;
}

void setUpDrawing(State& s) {
    s.program = emscripten_glCreateProgram();
    emscripten_glAttachShader(s.program, compile(GL_VERTEX_SHADER, kVertexShader));
    emscripten_glAttachShader(s.program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
    emscripten_glBindAttribLocation(s.program, 0, "position");
    emscripten_glBindAttribLocation(s.program, 1, "colour");
    emscripten_glLinkProgram(s.program);
    emscripten_glGenBuffers(1, &s.buffer);
}

// Draws the vertices gathered since glBegin, lit and transformed here.
void flush() {
    State& s = state();
    if (s.program == 0) setUpDrawing(s);
    const Frame f = prepare();

    // Quads are cut as Mesa cuts them for this program: corners 0, 1, 2,
    // then 0, 2, 3. The cut decides how colours are interpolated across a face.
    std::vector<const Vertex*> order;
    GLenum mode = s.primitive;
    if (s.primitive == GL_QUADS) {
        mode = GL_TRIANGLES;
        for (size_t q = 0; q + 3 < s.vertices.size(); q += 4) {
            for (const size_t corner : {0U, 1U, 2U, 0U, 2U, 3U})
                order.push_back(&s.vertices[q + corner]);
        }
    } else {
        for (const Vertex& v : s.vertices) order.push_back(&v);
    }

    std::vector<float> data(order.size() * 8);
    for (size_t i = 0; i < order.size(); ++i) shade(f, *order[i], &data[i * 8], &data[i * 8 + 4]);

    emscripten_glUseProgram(s.program);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, s.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)),
                            data.data(), GL_STREAM_DRAW);
    emscripten_glEnableVertexAttribArray(0);
    emscripten_glEnableVertexAttribArray(1);
    emscripten_glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 8 * sizeof(float), nullptr);
    emscripten_glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, 8 * sizeof(float),
                                     reinterpret_cast<const void*>(4 * sizeof(float)));
    emscripten_glDrawArrays(mode, 0, static_cast<GLsizei>(order.size()));
}

}  // namespace

// ---------------------------------------------------------------------------
// The GL and GLU entry points the program calls.

extern "C" {

// Lighting and the lights are this layer's; every other switch is WebGL's.
void glEnable(GLenum capability) {
    if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + 8) {
        state().lights[capability - GL_LIGHT0].enabled = true;
    } else if (capability == GL_LIGHTING) {
        state().lighting = true;
    } else {
        emscripten_glEnable(capability);
    }
}

void glDisable(GLenum capability) {
    if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + 8) {
        state().lights[capability - GL_LIGHT0].enabled = false;
    } else if (capability == GL_LIGHTING) {
        state().lighting = false;
    } else {
        emscripten_glDisable(capability);
    }
}

void glLightfv(GLenum light, GLenum name, const GLfloat* value) {
    Light& l = state().lights[light - GL_LIGHT0];
    switch (name) {
        case GL_AMBIENT:
            std::memcpy(l.ambient, value, sizeof l.ambient);
            break;
        case GL_DIFFUSE:
            std::memcpy(l.diffuse, value, sizeof l.diffuse);
            break;
        case GL_SPECULAR:
            std::memcpy(l.specular, value, sizeof l.specular);
            break;
        case GL_POSITION:
            // Kept in eye space: taken through the model-view matrix now.
            transformPoint(l.eyePosition, state().modelView[state().modelViewDepth].m, value);
            break;
        default:
            break;
    }
}

void glMatrixMode(GLenum mode) { state().modelViewMode = mode == GL_MODELVIEW; }

void glLoadIdentity() { setIdentity(current()); }

void glPushMatrix() {
    State& s = state();
    if (s.modelViewMode) {
        s.modelView[s.modelViewDepth + 1] = s.modelView[s.modelViewDepth];
        ++s.modelViewDepth;
    } else {
        s.projection[s.projectionDepth + 1] = s.projection[s.projectionDepth];
        ++s.projectionDepth;
    }
}

void glPopMatrix() {
    State& s = state();
    int& depth = s.modelViewMode ? s.modelViewDepth : s.projectionDepth;
    if (depth > 0) --depth;
}

void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z) {
    if (static_cast<float>(angle) != 0.0F) {
        rotate(current(), static_cast<float>(angle), static_cast<float>(x), static_cast<float>(y),
               static_cast<float>(z));
    }
}

void glScaled(GLdouble x, GLdouble y, GLdouble z) {
    scale(current(), static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

// As Mesa: the doubles taken to floats, then a general product.
void glMultMatrixd(const GLdouble* m) {
    float f[16];
    for (int i = 0; i < 16; ++i) f[i] = static_cast<float>(m[i]);
    multiplyFloats(current(), f);
}

// As Mesa: the bounds taken to floats, the matrix worked out in float.
void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar) {
    const auto l = static_cast<float>(left);
    const auto r = static_cast<float>(right);
    const auto b = static_cast<float>(bottom);
    const auto t = static_cast<float>(top);
    const auto n = static_cast<float>(zNear);
    const auto f = static_cast<float>(zFar);
    if (l == r || b == t || n == f) return;
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    m[0] = 2.0F / (r - l);
    m[12] = -(r + l) / (r - l);
    m[5] = 2.0F / (t - b);
    m[13] = -(t + b) / (t - b);
    m[10] = -2.0F / (f - n);
    m[14] = -(f + n) / (f - n);
    multiplyFloats(current(), m);
}

// GLU's perspective: worked out in double, handed to GL as floats.
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2 * 3.14159265358979323846 / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = std::cos(radians) / sine;
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    m[10] = -(zFar + zNear) / deltaZ;
    m[11] = -1;
    m[14] = -2 * zNear * zFar / deltaZ;
    m[15] = 0;
    float f[16];
    for (int i = 0; i < 16; ++i) f[i] = static_cast<float>(m[i]);
    multiplyFloats(current(), f);
}

// GLU's look-at: worked out in float, then the eye moved to the origin.
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    const auto normalise = [](float* v) {
        const float r = static_cast<float>(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
        if (r == 0.0F) return;
        v[0] /= r;
        v[1] /= r;
        v[2] /= r;
    };
    const auto cross = [](const float* a, const float* b, float* out) {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
    };
    float forward[3] = {static_cast<float>(centreX - eyeX), static_cast<float>(centreY - eyeY),
                        static_cast<float>(centreZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    float side[3];
    normalise(forward);
    cross(forward, up, side);
    normalise(side);
    cross(side, forward, up);
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    m[0] = side[0];
    m[4] = side[1];
    m[8] = side[2];
    m[1] = up[0];
    m[5] = up[1];
    m[9] = up[2];
    m[2] = -forward[0];
    m[6] = -forward[1];
    m[10] = -forward[2];
    multiplyFloats(current(), m);
    translate(current(), static_cast<float>(-eyeX), static_cast<float>(-eyeY),
              static_cast<float>(-eyeZ));
}

void glBegin(GLenum mode) {
    state().primitive = mode;
    state().vertices.clear();
}

void glEnd() { flush(); }

void glNormal3dv(const GLdouble* v) {
    float* n = state().normal;
    n[0] = static_cast<float>(v[0]);
    n[1] = static_cast<float>(v[1]);
    n[2] = static_cast<float>(v[2]);
}

void glVertex3dv(const GLdouble* v) {
    State& s = state();
    Vertex vertex{};
    vertex.position[0] = static_cast<float>(v[0]);
    vertex.position[1] = static_cast<float>(v[1]);
    vertex.position[2] = static_cast<float>(v[2]);
    vertex.position[3] = 1.0F;
    std::memcpy(vertex.normal, s.normal, sizeof vertex.normal);
    std::memcpy(vertex.colour, s.colour, sizeof vertex.colour);
    s.vertices.push_back(vertex);
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    const GLdouble v[3] = {x, y, z};
    glVertex3dv(v);
}

void glVertex2d(GLdouble x, GLdouble y) {
    const GLdouble v[3] = {x, y, 0.0};
    glVertex3dv(v);
}

// The current colour: it feeds nothing while lighting is on, and is what is
// drawn while it is off. As Mesa takes them: doubles to floats, bytes over 255.
void glColor3ub(GLubyte r, GLubyte g, GLubyte b) {
    float* c = state().colour;
    c[0] = static_cast<float>(r) / 255.0F;
    c[1] = static_cast<float>(g) / 255.0F;
    c[2] = static_cast<float>(b) / 255.0F;
    c[3] = 1.0F;
}
void glColor3d(GLdouble r, GLdouble g, GLdouble b) {
    float* c = state().colour;
    c[0] = static_cast<float>(r);
    c[1] = static_cast<float>(g);
    c[2] = static_cast<float>(b);
    c[3] = 1.0F;
}

}  // extern "C"
