// When the implicit steps' fixed-point iterations stop.
#pragma once

// At most this many iterations.
constexpr int kMostIterations = 100;

// An iteration has reached round-off when nothing moved, or when, after a
// few, the largest move no longer shrinks (rounding alone moves it then).
// `lastChange` carries the previous move from one call to the next.
inline bool settled(double change, double& lastChange, int iteration) {
    const bool done = change == 0.0 || (change >= lastChange && iteration > 2);
    lastChange = change;
    return done;
}
