// The look that the window program and the explorer share: the fixed render
// state with its two lights (where they stand and their colours), the box
// and the coordinate axes. Drawing only: no program, window or motion.
#pragma once

// Colours of the two lights, used for both diffuse and specular light.
// Components above 1 are deliberate: light 0 is an over-bright green.
extern const float light0Colour[4];
extern const float light1Colour[4];

// Positions of the two point lights, fixed in the world: given under the
// camera alone, every frame.
extern const float light0Position[4];
extern const float light1Position[4];

// Sets the GL state that never changes while a program runs: white
// background, depth test, front faces culled, the two lights coloured.
void initRenderState();

// The projection of both programs: 30 degrees of vertical field of view,
// from 1 to 100 units, at this aspect, or for a scene `scale` times as
// large, from `scale` to 100 `scale`; leaves the model-view matrix current.
void setPerspective(double aspect, double scale = 1.0);

// Draws the three coordinate axes from -length to +length.
void drawAxes(double length);

// Draws the unit cube of the box tables under the current matrix.
void drawBox();

// A unit cube centred on the origin: corners, faces (corner indices wound
// clockwise as seen from outside) and the outward normal of each face.
extern const double boxVertices[8][3];
extern const int boxFaces[6][4];
extern const double boxNormals[6][3];
