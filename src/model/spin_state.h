// Rotation model: the spin state of one uniform box turning freely, with no
// torque, and the classical Runge-Kutta step of Euler's equations that
// advances it. Knows nothing of windows, clocks or input.
#pragma once

// Everything the model remembers between steps.
struct SpinState {
    double omega[3];  // body-frame angular velocity, radians per unit of time
    double timeStep;  // fixed integration step h
    double piApprox;  // the pi used to turn radians into degrees
    double sides[3];  // side lengths a, b, c: the dynamics and the drawn scale
    double elapsed;   // simulated time t
    // Derived after every step.
    double spinRate;          // |omega|
    double turnAngle;         // elapsed * spinRate, radians, never wrapped
    double turnAngleDegrees;  // turnAngle in degrees
};

// The one spin state; only advanceRotation writes it.
extern SpinState spinState;

// Rates of change of the three body-frame components (Euler's equations for
// a torque-free cuboid). The time argument is ignored: the system is
// autonomous.
double omegaDotX(double t, double w2, double w3);
double omegaDotY(double t, double w1, double w3);
double omegaDotZ(double t, double w1, double w2);

// Advances spinState by one step of timeStep and refreshes the derived fields.
void advanceRotation();
