// The body's orientation, integrated from its angular velocity: what the
// free body really does, beside the turn the window draws.
#pragma once

// A quaternion w + x i + y j + z k.
struct Quaternion {
    double w;
    double x;
    double y;
    double z;
};

// The unit quaternion that takes body coordinates to scene coordinates, and
// the model's omega, with its rate of change, at the same step.
struct Attitude {
    Quaternion q;
    double omega[3];
    double omegaRate[3];
};

// The identity at t = 0, with the model's present omega.
Attitude startAttitude(const double omega[3]);

// Moves the attitude on by one step of h, to where the model's omega now is
// `omegaNext`. Call it once after every step of the model.
void advanceAttitude(Attitude& attitude, const double omegaNext[3], double h);

// The image of the body vector v under q.
void rotate(const Quaternion& q, const double v[3], double out[3]);

// The angle, in degrees, between the box's long axis (body y) as the window
// draws it, turned by turnDegrees about (omega1, omega2, -omega3), and as the
// attitude q places it.
double drawnAxisGapDegrees(const Quaternion& q, double turnDegrees, const double omega[3]);
