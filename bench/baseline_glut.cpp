// The least GLUT program that fills the same window as spinning-box: the same
// display mode and default size, a frame of only clear and swap, and the same
// controls for what the benchmark uses: "z" starts the idle redisplay, "q"
// quits. It is the toolkit-and-driver limit the frame loop is measured against.
#include <GL/freeglut.h>

#include <cstdlib>

namespace {

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void idle() { glutPostRedisplay(); }

void keyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (key == 'z') glutIdleFunc(idle);
    if (key == 'q') std::exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(argv[0]);
    glutDisplayFunc(display);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
