// The web build's stand-in for freeglut's header: Emscripten supplies the
// GLUT calls this program makes (its own GLUT on the page's canvas) under
// the classic GLUT header.
#pragma once
#include <GL/glut.h>
