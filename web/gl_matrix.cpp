// Matrices as Mesa keeps them; see gl_matrix.h.
#include "gl_matrix.h"

#include <cmath>
#include <cstring>

namespace {

float& at(float* m, int row, int column) { return m[column * 4 + row]; }
float at(const float* m, int row, int column) { return m[column * 4 + row]; }

// product = a b for matrices whose last row is (0, 0, 0, 1), product may be a.
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

// a = a b, where b is a transform of the kinds in `flags`.
void multiplyBy(Matrix& a, const float* b, unsigned flags) {
    a.flags |= flags | kDirtyType | kDirtyInverse;
    if (only(a, kFlags3d)) {
        multiply34(a.m, a.m, b);
    } else {
        multiply4(a.m, a.m, b);
    }
}

// The sine and cosine of a float argument, as the desktop's C library gives
// them: correctly rounded from the exact value.
float sineOf(float radians) { return static_cast<float>(std::sin(static_cast<double>(radians))); }
float cosineOf(float radians) { return static_cast<float>(std::cos(static_cast<double>(radians))); }

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

}  // namespace

void multiply4(float* product, const float* a, const float* b) {
    for (int i = 0; i < 4; ++i) {
        const float ai0 = at(a, i, 0), ai1 = at(a, i, 1), ai2 = at(a, i, 2), ai3 = at(a, i, 3);
        for (int j = 0; j < 4; ++j) {
            at(product, i, j) =
                ai0 * at(b, 0, j) + ai1 * at(b, 1, j) + ai2 * at(b, 2, j) + ai3 * at(b, 3, j);
        }
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
