// Text in strokes, and the inset's labels: each principal axis named by its place in the order of
// the moments, I1 < I2 < I3, with its moment ("I3=13"), beside the axis's
// tip on the sphere. Written in seven-segment strokes rather than a font,
// so that the desktop and the page draw the same lines.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "explorer.h"

namespace {

// Segments a to g of a seven-segment digit: a top, b and c right, d
// bottom, e and f left, g across the middle. Each as two ends in a cell one
// wide and two high.
constexpr double kSegments[7][4] = {{0, 2, 1, 2}, {1, 1, 1, 2}, {1, 0, 1, 1}, {0, 0, 1, 0},
                                    {0, 0, 0, 1}, {0, 1, 0, 2}, {0, 1, 1, 1}};

// Which segments each character lights, a in the lowest bit; 0 for those
// drawn otherwise or not at all.
unsigned segmentsOf(char c) {
    static const unsigned digits[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    if (c >= '0' && c <= '9') {
        return digits[c - '0'];
    }
    switch (c) {
        case 'e':
            return 0x7B;
        case '-':
        case '+':
            return 0x40;
        default:
            return 0;
    }
}

// One character with its lower left corner at (x, y), `h` pixels high.
void drawCharacter(char c, double x, double y, double h) {
    const double w = 0.5 * h;
    const unsigned lit = segmentsOf(c);
    for (int s = 0; s < 7; ++s) {
        if ((lit >> s & 1U) != 0U) {
            glVertex2d(x + w * kSegments[s][0], y + w * kSegments[s][1]);
            glVertex2d(x + w * kSegments[s][2], y + w * kSegments[s][3]);
        }
    }
    const double middle = c == '+' ? x + 0.5 * w : x + 0.15 * h;
    if (c == 'I' || c == '+') {  // a stroke down the middle, the whole height or a half
        const double reach = c == 'I' ? 0.0 : 0.25 * h;
        glVertex2d(middle, y + reach);
        glVertex2d(middle, y + h - reach);
    }
    if (c == 'I') {  // and its serifs, top and bottom
        for (const double at : {0.0, h}) {
            glVertex2d(x, y + at);
            glVertex2d(x + 0.3 * h, y + at);
        }
    }
    if (c == '.') {
        glVertex2d(middle, y);
        glVertex2d(middle, y + 0.12 * h);
    }
    if (c == '=') {
        for (const double at : {0.3, 0.7}) {
            glVertex2d(x, y + at * h);
            glVertex2d(x + w, y + at * h);
        }
    }
}

}  // namespace

double strokeAdvance(char c, double h) { return (c == 'I' || c == '.' ? 0.5 : 0.8) * h; }

void drawStrokeText(const char* text, double x, double y, double h) {
    for (const char* c = text; *c != '\0'; ++c) {
        drawCharacter(*c, x, y, h);
        x += strokeAdvance(*c, h);
    }
}

int insetLabels(InsetLabel labels[3]) {
    double moments[3];
    momentsOf(explorer.exact, moments);
    int order[3] = {0, 1, 2};
    std::stable_sort(order, order + 3, [&](int a, int b) { return moments[a] < moments[b]; });
    for (int rank = 0; rank < 3; ++rank) {
        const int axis = order[rank];
        InsetLabel& l = labels[axis];
        std::snprintf(l.text, sizeof l.text, "I%d=%.3g", rank + 1, moments[axis]);
        double tip[3] = {0.0, 0.0, 0.0};
        tip[axis] = 1.15;
        insetProjection(tip, l.u, l.v);
    }
    return 3;
}

void drawInsetLabels(int size) {
    InsetLabel labels[3];
    const int count = insetLabels(labels);
    const double h = std::max(9.0, size / 16.0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, size, 0.0, size, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3ub(40, 40, 40);
    glBegin(GL_LINES);
    for (int n = 0; n < count; ++n) {
        const InsetLabel& l = labels[n];
        double width = 0.0;
        for (const char* c = l.text; *c != '\0'; ++c) {
            width += strokeAdvance(*c, h);
        }
        // Centred on the tip's place, kept inside the inset.
        double x = 0.5 * (l.u + 1.0) * size - 0.5 * width;
        double y = 0.5 * (l.v + 1.0) * size - 0.5 * h;
        x = std::clamp(x, 2.0, std::max(2.0, size - width - 2.0));
        y = std::clamp(y, 2.0, std::max(2.0, size - h - 2.0));
        drawStrokeText(l.text, x, y, h);
    }
    glEnd();
}
