// Matrices for the web build's fixed-function GL, as Mesa keeps them:
// column-major floats, an inverse, flags saying what kind of transform the
// matrix is, and a type chosen from the flags, which selects how the inverse
// is worked out. Every operation rounds as Mesa's does, so the matrices the
// page draws with are the desktop's, bit for bit.
#pragma once

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

constexpr float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A matrix starts as GL's: the identity, known to be one.
struct Matrix {
    float m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    float inv[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    unsigned flags = 0;
    MatrixType type = MatrixType::Identity;
};

// True when the matrix is no more than the kinds of transform in `allowed`.
inline bool only(const Matrix& a, unsigned allowed) {
    return (kGeometry & ~allowed & a.flags) == 0;
}

// product = a b, product may be a.
void multiply4(float* product, const float* a, const float* b);

// a = a b, for a general b.
void multiplyFloats(Matrix& a, const float* b);

// GL's glLoadIdentity, glTranslatef, glScalef and glRotatef on `a`.
void setIdentity(Matrix& a);
void translate(Matrix& a, float x, float y, float z);
void scale(Matrix& a, float x, float y, float z);
void rotate(Matrix& a, float angle, float x, float y, float z);

// Brings the type and the inverse up to date, as GL does before drawing.
void analyse(Matrix& a);

// q = m p, summed left to right.
void transformPoint(float* q, const float* m, const float* p);

// v scaled to unit length, unless it is zero.
void normalise3(float* v);
