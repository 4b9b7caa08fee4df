// Framebuffer objects (GL 3.0, which Mesa gives this context).
#define GL_GLEXT_PROTOTYPES
#include "kept_picture.h"

#include <GL/gl.h>
#include <GL/glext.h>

void drawInto(KeptPicture& picture, int width, int height) {
    if (picture.framebuffer == 0) {
        glGenFramebuffers(1, &picture.framebuffer);
        glGenTextures(1, &picture.texture);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, picture.framebuffer);
    if (picture.width != width || picture.height != height) {
        glBindTexture(GL_TEXTURE_2D, picture.texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                     nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture.texture,
                               0);
        picture.width = width;
        picture.height = height;
    }
}

void drawIntoWindow() { glBindFramebuffer(GL_FRAMEBUFFER, 0); }

void layIntoWindow(const KeptPicture& picture, int x, int y, int windowWidth, int windowHeight) {
    glViewport(0, 0, windowWidth, windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, windowWidth, 0.0, windowHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    // Wound counter-clockwise: the render state culls front faces.
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const double right = x + picture.width;
    const double top = y + picture.height;
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(x, y);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(right, y);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(right, top);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(x, top);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}
