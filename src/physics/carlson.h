// Carlson's symmetric elliptic integrals of the first and third kinds,
//     R_F(x, y, z) = 1/2 ∫0^∞ dt / sqrt((t + x)(t + y)(t + z)),
//     R_J(x, y, z, p) = 3/2 ∫0^∞ dt / ((t + p) sqrt((t + x)(t + y)(t + z))),
// for x, y, z >= 0 (at most one of them 0) and p > 0. R_J is the one
// integral the attitude's turn about L needs at every step, so it is
// computed here in one pass, about five times as fast as the general-purpose
// library routine; R_F, the one the phase needs at the start, beside it, so
// that the web page carries no library of special functions.
#pragma once

double carlsonRF(double x, double y, double z);
double carlsonRJ(double x, double y, double z, double p);
