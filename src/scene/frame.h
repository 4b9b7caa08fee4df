// Scene rendering: one complete frame of the spinning box, its axes, and the
// constant tables the frame is drawn from.
#pragma once

// Draws one frame: camera, axes, lights, one model step, the box, then swap.
void displayFrame();

// Draws the three coordinate axes from -length to +length.
void drawAxes(double length);

// Draws the unit cube of the box tables under the current matrix.
void drawBox();

// A unit cube centred on the origin: corners, faces (corner indices wound
// clockwise as seen from outside) and the outward normal of each face.
extern const double boxVertices[8][3];
extern const int boxFaces[6][4];
extern const double boxNormals[6][3];

// Positions of the two point lights, fixed in the world.
extern const float light0Position[4];
extern const float light1Position[4];
