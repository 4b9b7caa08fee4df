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
// inverses as Mesa's matrix code keeps them, GLU's look-at and perspective,
// the light positions and products, and, for every vertex, the operations of
// the vertex program Mesa generates for this program's state, in their
// order. WebGL then only passes the finished clip-space positions and
// colours through, so the rasteriser receives the very numbers the desktop
// rasteriser receives. Quads are cut into triangles as Mesa cuts them.
//
// Nothing here is used by the desktop build; the program's own sources are
// compiled unchanged against it.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <vector>

extern "C" {
// WebGL itself, under the names Emscripten gives it beside the GL names
// this layer takes over.
void emscripten_glEnable(GLenum capability);
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
// Matrices, as Mesa keeps them (src/mesa/math/m_matrix.c): column-major
// floats, an inverse, flags saying what kind of transform the matrix is, and
// a type chosen from the flags, which selects how the inverse is worked out.

enum : unsigned {
    kGeneral = 0x1,
    kRotation = 0x2,
    kTranslation = 0x4,
    kUniformScale = 0x8,
    kGeneralScale = 0x10,
    kGeneral3d = 0x20,
    kPerspective = 0x40,
    kSingular = 0x80,
    kDirtyType = 0x100,
    kDirtyFlags = 0x200,
    kDirtyInverse = 0x400,
    kGeometry = kGeneral | kRotation | kTranslation | kUniformScale | kGeneralScale | kGeneral3d |
                kPerspective | kSingular,
    kAnglePreserving = kRotation | kTranslation | kUniformScale,
    kLengthPreserving = kRotation | kTranslation,
    kFlags3d = kRotation | kTranslation | kUniformScale | kGeneralScale | kGeneral3d,
};

enum class MatrixType { General, Identity, NoRotation3d, TwoD, ThreeD };

struct Matrix {
    float m[16];
    float inv[16];
    unsigned flags;
    MatrixType type;
};

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// True when the matrix is no more than the kinds of transform in `allowed`.
bool only(const Matrix& a, unsigned allowed) { return (kGeometry & ~allowed & a.flags) == 0; }

float& at(float* m, int row, int column) { return m[column * 4 + row]; }
float at(const float* m, int row, int column) { return m[column * 4 + row]; }

// product = a b, product may be a.
void multiply4(float* product, const float* a, const float* b) {
    for (int i = 0; i < 4; ++i) {
        const float ai0 = at(a, i, 0), ai1 = at(a, i, 1), ai2 = at(a, i, 2), ai3 = at(a, i, 3);
        for (int j = 0; j < 4; ++j) {
            at(product, i, j) =
                ai0 * at(b, 0, j) + ai1 * at(b, 1, j) + ai2 * at(b, 2, j) + ai3 * at(b, 3, j);
        }
    }
}

// The same for matrices whose last row is (0, 0, 0, 1).
void multiply34(float* product, const float* a, const float* b) {
    for (int i = 0; i < 3; ++i) {
        const float ai0 = at(a, i, 0), ai1 = at(a, i, 1), ai2 = at(a, i, 2), ai3 = at(a, i, 3);
        for (int j = 0; j < 3; ++j) {
            at(product, i, j) = ai0 * at(b, 0, j) + ai1 * at(b, 1, j) + ai2 * at(b, 2, j);
        }
        at(product, i, 3) = ai0 * at(b, 0, 3) + ai1 * at(b, 1, 3) + ai2 * at(b, 2, 3) + ai3;
    }
    at(product, 3, 0) = 0;
    at(product, 3, 1) = 0;
    at(product, 3, 2) = 0;
    at(product, 3, 3) = 1;
}

void multiplyBy(Matrix& a, const float* b, unsigned flags) {
    a.flags |= flags | kDirtyType | kDirtyInverse;
    if (only(a, kFlags3d)) {
        multiply34(a.m, a.m, b);
    } else {
        multiply4(a.m, a.m, b);
    }
}

void setIdentity(Matrix& a) {
    std::memcpy(a.m, kIdentity, sizeof kIdentity);
    std::memcpy(a.inv, kIdentity, sizeof kIdentity);
    a.type = MatrixType::Identity;
    a.flags &= ~(kDirtyFlags | kDirtyType | kDirtyInverse);
}

void multiplyFloats(Matrix& a, const float* b) {
    a.flags |= kGeneral | kDirtyType | kDirtyInverse | kDirtyFlags;
    multiply4(a.m, a.m, b);
}

void translate(Matrix& a, float x, float y, float z) {
    float* m = a.m;
    m[12] = m[0] * x + m[4] * y + m[8] * z + m[12];
    m[13] = m[1] * x + m[5] * y + m[9] * z + m[13];
    m[14] = m[2] * x + m[6] * y + m[10] * z + m[14];
    m[15] = m[3] * x + m[7] * y + m[11] * z + m[15];
    a.flags |= kTranslation | kDirtyType | kDirtyInverse;
}

void scale(Matrix& a, float x, float y, float z) {
    float* m = a.m;
    for (int i = 0; i < 4; ++i) {
        m[i] *= x;
        m[4 + i] *= y;
        m[8 + i] *= z;
    }
    a.flags |=
        (std::fabs(x - y) < 1e-8F && std::fabs(x - z) < 1e-8F) ? kUniformScale : kGeneralScale;
    a.flags |= kDirtyType | kDirtyInverse;
}

// The sine and cosine of a float argument, as the desktop's C library gives
// them: correctly rounded from the exact value.
float sineOf(float radians) { return static_cast<float>(std::sin(static_cast<double>(radians))); }
float cosineOf(float radians) { return static_cast<float>(std::cos(static_cast<double>(radians))); }

void rotate(Matrix& a, float angle, float x, float y, float z) {
    // The angle is taken to radians in double and handed over as a float.
    const float radians = static_cast<float>(angle * 3.14159265358979323846 / 180.0);
    const float s = sineOf(radians);
    const float c = cosineOf(radians);
    float m[16];
    std::memcpy(m, kIdentity, sizeof kIdentity);
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= 1.0e-4F) {
        return;
    }
    // This program's axis always has a non-zero second component, so Mesa's
    // shortcuts for turns about a coordinate axis never apply.
    x /= length;
    y /= length;
    z /= length;
    const float xx = x * x, yy = y * y, zz = z * z;
    const float xy = x * y, yz = y * z, zx = z * x;
    const float xs = x * s, ys = y * s, zs = z * s;
    const float oneMinusC = 1.0F - c;
    at(m, 0, 0) = (oneMinusC * xx) + c;
    at(m, 0, 1) = (oneMinusC * xy) - zs;
    at(m, 0, 2) = (oneMinusC * zx) + ys;
    at(m, 1, 0) = (oneMinusC * xy) + zs;
    at(m, 1, 1) = (oneMinusC * yy) + c;
    at(m, 1, 2) = (oneMinusC * yz) - xs;
    at(m, 2, 0) = (oneMinusC * zx) - ys;
    at(m, 2, 1) = (oneMinusC * yz) + xs;
    at(m, 2, 2) = (oneMinusC * zz) + c;
    multiplyBy(a, m, kRotation);
}

float squared(float x) { return x * x; }

// The kind of transform, worked out from the numbers themselves.
void analyseFromScratch(Matrix& a) {
    const float* m = a.m;
    unsigned mask = 0;
    for (unsigned i = 0; i < 16; ++i) {
        if (m[i] == 0.0F) mask |= 1U << i;
    }
    if (m[0] == 1.0F) mask |= 1U << 16;
    if (m[5] == 1.0F) mask |= 1U << 21;
    if (m[10] == 1.0F) mask |= 1U << 26;
    if (m[15] == 1.0F) mask |= 1U << 31;
    const auto zero = [](unsigned i) { return 1U << i; };
    const auto one = [](unsigned i) { return 1U << (i + 16); };
    const unsigned noTranslation = zero(12) | zero(13) | zero(14);
    const unsigned identity = one(0) | zero(4) | zero(8) | zero(12) | zero(1) | one(5) | zero(9) |
                              zero(13) | zero(2) | zero(6) | one(10) | zero(14) | zero(3) |
                              zero(7) | zero(11) | one(15);
    const unsigned noRotation3d = zero(4) | zero(8) | zero(1) | zero(9) | zero(2) | zero(6) |
                                  zero(3) | zero(7) | zero(11) | one(15);
    const unsigned threeD = zero(3) | zero(7) | zero(11) | one(15);

    a.flags &= ~kGeometry;
    if ((mask & noTranslation) != noTranslation) a.flags |= kTranslation;
    if (mask == identity) {
        a.type = MatrixType::Identity;
    } else if ((mask & noRotation3d) == noRotation3d) {
        a.type = MatrixType::NoRotation3d;
        if (squared(m[0] - m[5]) < squared(1e-6F) && squared(m[0] - m[10]) < squared(1e-6F)) {
            if (squared(m[0] - 1.0F) > squared(1e-6F)) a.flags |= kUniformScale;
        } else {
            a.flags |= kGeneralScale;
        }
    } else if ((mask & threeD) == threeD) {
        const float c1 = m[0] * m[0] + m[1] * m[1] + m[2] * m[2];
        const float c2 = m[4] * m[4] + m[5] * m[5] + m[6] * m[6];
        const float c3 = m[8] * m[8] + m[9] * m[9] + m[10] * m[10];
        const float d1 = m[0] * m[4] + m[1] * m[5] + m[2] * m[6];
        a.type = MatrixType::ThreeD;
        if (squared(c1 - c2) < squared(1e-6F) && squared(c1 - c3) < squared(1e-6F)) {
            if (squared(c1 - 1.0F) > squared(1e-6F)) a.flags |= kUniformScale;
        } else {
            a.flags |= kGeneralScale;
        }
        if (squared(d1) < squared(1e-6F)) {
            float cp[3] = {m[1] * m[6] - m[2] * m[5], m[2] * m[4] - m[0] * m[6],
                           m[0] * m[5] - m[1] * m[4]};
            cp[0] = cp[0] - m[8];
            cp[1] = cp[1] - m[9];
            cp[2] = cp[2] - m[10];
            const float length = cp[0] * cp[0] + cp[1] * cp[1] + cp[2] * cp[2];
            a.flags |= length < squared(1e-6F) ? kRotation : kGeneral3d;
        } else {
            a.flags |= kGeneral3d;
        }
    } else {
        // Perspective, two-dimensional and general model-view matrices never
        // arise in this program.
        a.type = MatrixType::General;
        a.flags |= kGeneral;
    }
}

// The kind of transform, from flags known to be accurate.
void analyseFromFlags(Matrix& a) {
    const float* m = a.m;
    if (only(a, 0)) {
        a.type = MatrixType::Identity;
    } else if (only(a, kTranslation | kUniformScale | kGeneralScale)) {
        a.type = MatrixType::NoRotation3d;
    } else if (only(a, kFlags3d)) {
        const bool flat = m[8] == 0.0F && m[9] == 0.0F && m[2] == 0.0F && m[6] == 0.0F &&
                          m[10] == 1.0F && m[14] == 0.0F;
        a.type = flat ? MatrixType::TwoD : MatrixType::ThreeD;
    } else {
        a.type = MatrixType::General;
    }
}

// The inverse of a general 3-D transform, by cofactors.
void invert3dGeneral(Matrix& a) {
    const float* in = a.m;
    float* out = a.inv;
    float pos = 0.0F;
    float neg = 0.0F;
    const auto add = [&](float t) {
        if (t >= 0.0F) {
            pos += t;
        } else {
            neg += t;
        }
    };
    add(at(in, 0, 0) * at(in, 1, 1) * at(in, 2, 2));
    add(at(in, 1, 0) * at(in, 2, 1) * at(in, 0, 2));
    add(at(in, 2, 0) * at(in, 0, 1) * at(in, 1, 2));
    add(-at(in, 2, 0) * at(in, 1, 1) * at(in, 0, 2));
    add(-at(in, 1, 0) * at(in, 0, 1) * at(in, 2, 2));
    add(-at(in, 0, 0) * at(in, 2, 1) * at(in, 1, 2));
    float det = pos + neg;
    if (std::fabs(det) < 1e-25F) {
        std::memcpy(out, kIdentity, sizeof kIdentity);
        a.flags |= kSingular;
        return;
    }
    det = 1.0F / det;
    std::memcpy(out, kIdentity, sizeof kIdentity);
    at(out, 0, 0) = ((at(in, 1, 1) * at(in, 2, 2) - at(in, 2, 1) * at(in, 1, 2)) * det);
    at(out, 0, 1) = (-(at(in, 0, 1) * at(in, 2, 2) - at(in, 2, 1) * at(in, 0, 2)) * det);
    at(out, 0, 2) = ((at(in, 0, 1) * at(in, 1, 2) - at(in, 1, 1) * at(in, 0, 2)) * det);
    at(out, 1, 0) = (-(at(in, 1, 0) * at(in, 2, 2) - at(in, 2, 0) * at(in, 1, 2)) * det);
    at(out, 1, 1) = ((at(in, 0, 0) * at(in, 2, 2) - at(in, 2, 0) * at(in, 0, 2)) * det);
    at(out, 1, 2) = (-(at(in, 0, 0) * at(in, 1, 2) - at(in, 1, 0) * at(in, 0, 2)) * det);
    at(out, 2, 0) = ((at(in, 1, 0) * at(in, 2, 1) - at(in, 2, 0) * at(in, 1, 1)) * det);
    at(out, 2, 1) = (-(at(in, 0, 0) * at(in, 2, 1) - at(in, 2, 0) * at(in, 0, 1)) * det);
    at(out, 2, 2) = ((at(in, 0, 0) * at(in, 1, 1) - at(in, 1, 0) * at(in, 0, 1)) * det);
    for (int row = 0; row < 3; ++row) {
        at(out, row, 3) = -(at(in, 0, 3) * at(out, row, 0) + at(in, 1, 3) * at(out, row, 1) +
                            at(in, 2, 3) * at(out, row, 2));
    }
}

// The inverse of a 3-D transform: a rotation is transposed, a uniform scale
// divided out; anything else goes the general way.
void invert3d(Matrix& a) {
    const float* in = a.m;
    float* out = a.inv;
    if (!only(a, kAnglePreserving)) {
        invert3dGeneral(a);
        return;
    }
    std::memcpy(out, kIdentity, sizeof kIdentity);
    float factor = 1.0F;
    if (a.flags & kUniformScale) {
        factor = 1.0F / (at(in, 0, 0) * at(in, 0, 0) + at(in, 0, 1) * at(in, 0, 1) +
                         at(in, 0, 2) * at(in, 0, 2));
    } else if (!(a.flags & kRotation)) {
        // A pure translation.
        at(out, 0, 3) = -at(in, 0, 3);
        at(out, 1, 3) = -at(in, 1, 3);
        at(out, 2, 3) = -at(in, 2, 3);
        return;
    }
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            at(out, row, column) =
                (a.flags & kUniformScale) ? factor * at(in, column, row) : at(in, column, row);
        }
    }
    for (int row = 0; row < 3; ++row) {
        at(out, row, 3) = (a.flags & kTranslation)
                              ? -(at(in, 0, 3) * at(out, row, 0) + at(in, 1, 3) * at(out, row, 1) +
                                  at(in, 2, 3) * at(out, row, 2))
                              : 0.0F;
    }
}

// Brings the type and the inverse up to date, as GL does before drawing.
void analyse(Matrix& a) {
    if (a.flags & kDirtyType) {
        if (a.flags & kDirtyFlags) {
            analyseFromScratch(a);
        } else {
            analyseFromFlags(a);
        }
    }
    if (a.flags & kDirtyInverse) {
        // The model-view matrices this program draws with are all of the
        // 3-D type.
        if (a.type == MatrixType::Identity) {
            std::memcpy(a.inv, kIdentity, sizeof kIdentity);
        } else {
            invert3d(a);
        }
        a.flags &= ~kDirtyInverse;
    }
    a.flags &= ~(kDirtyFlags | kDirtyType);
}

// q = m p, summed left to right.
void transformPoint(float* q, const float* m, const float* p) {
    for (int i = 0; i < 4; ++i) {
        q[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i] * p[3];
    }
}

void normalise3(float* v) {
    float length = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    if (length != 0.0F) {
        length = 1.0F / std::sqrt(length);
        v[0] *= length;
        v[1] *= length;
        v[2] *= length;
    }
}

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
    GLenum primitive = 0;
    std::vector<Vertex> vertices;
    // WebGL objects of the pass-through program.
    GLuint program = 0;
    GLuint buffer = 0;
};

State& state() {
    static State s = [] {
        State fresh;
        for (Matrix& m : fresh.modelView) {
            std::memcpy(m.m, kIdentity, sizeof kIdentity);
            std::memcpy(m.inv, kIdentity, sizeof kIdentity);
            m.flags = 0;
            m.type = MatrixType::Identity;
        }
        for (Matrix& m : fresh.projection) {
            std::memcpy(m.m, kIdentity, sizeof kIdentity);
            std::memcpy(m.inv, kIdentity, sizeof kIdentity);
            m.flags = 0;
            m.type = MatrixType::Identity;
        }
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

// Lighting is on for everything this program draws, so GL_LIGHTING itself
// needs no record; the lights do.
void glEnable(GLenum capability) {
    if (capability >= GL_LIGHT0 && capability < GL_LIGHT0 + 8) {
        state().lights[capability - GL_LIGHT0].enabled = true;
    } else if (capability != GL_LIGHTING) {
        emscripten_glEnable(capability);
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
    s.vertices.push_back(vertex);
}

// The current colour feeds nothing while lighting is on, and this program
// keeps lighting on: colour calls change nothing that is drawn.
void glColor3ub(GLubyte /*r*/, GLubyte /*g*/, GLubyte /*b*/) {}
void glColor3d(GLdouble /*r*/, GLdouble /*g*/, GLdouble /*b*/) {}

}  // extern "C"
