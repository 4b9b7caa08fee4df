// Carlson's symmetric elliptic integral of the third kind,
//     R_J(x, y, z, p) = 3/2 ∫0^∞ dt / ((t + p) sqrt((t + x)(t + y)(t + z))),
// for x, y, z >= 0 (at most one of them 0) and p > 0: the one integral the
// attitude's turn about L needs at every step, so it is computed here in
// one pass, about five times as fast as the general-purpose library routine.
#pragma once

double carlsonRJ(double x, double y, double z, double p);
