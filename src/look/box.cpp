// The box: a unit cube that the frame turns and scales to the body's sides.
#include <GL/gl.h>

#include "look.h"

const double boxVertices[8][3] = {
    {-0.5, -0.5, -0.5}, {0.5, -0.5, -0.5}, {0.5, 0.5, -0.5}, {-0.5, 0.5, -0.5},
    {-0.5, -0.5, 0.5},  {0.5, -0.5, 0.5},  {0.5, 0.5, 0.5},  {-0.5, 0.5, 0.5},
};

// Each face runs clockwise seen from outside, so its outside is a back face
// under the default winding rule; the render state culls front faces to match.
const int boxFaces[6][4] = {
    {0, 1, 2, 3}, {1, 5, 6, 2}, {5, 4, 7, 6}, {4, 0, 3, 7}, {4, 5, 1, 0}, {3, 2, 6, 7},
};

const double boxNormals[6][3] = {
    {0.0, 0.0, -1.0}, {1.0, 0.0, 0.0},  {0.0, 0.0, 1.0},
    {-1.0, 0.0, 0.0}, {0.0, -1.0, 0.0}, {0.0, 1.0, 0.0},
};

// Six black quads, each with its face normal; the colour does not feed the
// lighting, so the lights alone decide how the faces look.
void drawBox() {
    glColor3d(0.0, 0.0, 0.0);
    glBegin(GL_QUADS);
    for (int face = 0; face < 6; ++face) {
        glNormal3dv(boxNormals[face]);
        for (const int corner : boxFaces[face]) {
            glVertex3dv(boxVertices[corner]);
        }
    }
    glEnd();
}
