// spinning-box-explorer's core: the true motion of any box, shared by the
// desktop shell and the page. Everything the core remembers between frames
// is in the one record below (the desktop shell keeps its two off-window
// pictures in a record of its own, in explorer_window.cpp); the functions
// are grouped by the file that holds them, the shells' own last.
#pragma once

#include <deque>
#include <string>

#include "body.h"
#include "exact_motion.h"
#include "rigid_state.h"
#include "spin_options.h"
#include "steppers.h"

// The longest trail of the middle-moment axis's tip, in points: three turns.
constexpr int kTrailPoints = 300;
// A polyline of the inset: at most this many points.
constexpr int kCurvePoints = 256;

// The motion's record keeps at most this many samples, the last ones.
constexpr size_t kMostSamples = 50000;

// One sample of the motion: the integrated and the exact omega and attitude,
// the drifts of 2E and |L|^2 relative to the start, and the attitude's error.
struct MotionSample {
    long step;
    double t;
    double omega[3];
    double exact[3];
    double drift2E;
    double driftL2;
    Quaternion attitude;
    Quaternion exactAttitude;
    double attitudeErrorDegrees;
    double middleShare;  // the middle axis's component along L, I_m omega_m / |L|
};

struct Curve {
    int count;
    double points[kCurvePoints][3];
};

// Poinsot's picture in body coordinates, on the unit sphere |L| = 1: worked
// out once for every start (poinsot.cpp).
struct PoinsotPicture {
    Curve polhode;        // where L / |L| goes over one period of omega
    Curve separatrix[2];  // the two great circles through the middle axis
    Curve sphere[3];      // the great circles of the three principal planes
    Curve family[8];      // polhodes of other energies, four and their mirror images
    int familyCount;
    bool hasSeparatrix;  // three different moments only
};

struct Explorer {
    // What to show: the body, its spin at t = 0 and the step (options or
    // preset), and the speed in time units a second.
    SpinOptions start;
    double speed;
    const char* name;  // the preset's name, or "command line"
    int preset;        // the preset shown, 0 to 5, or -1 for a box of one's own
    int starts;        // how many times the motion was started: the inset changes with it
    // The motion now.
    long steps;                    // steps taken since the start
    Body body;                     // the body of `start`
    const Integrator* integrator;  // the stepper of the box; the window's RK4 when none is chosen
    RigidState state;              // omega and the attitude, as the integrator stepped them
    ExactMotion exact;             // the closed form from the start
    double startInvariants[2];     // 2E and |L|^2 at t = 0
    double momentum[3];            // L in the scene, fixed
    double size;                   // the box's diagonal
    // The tip of the middle-moment axis, in the scene, every trailSpacing of time.
    double trail[kTrailPoints][3];
    // Omega in the scene at the same times: Poinsot's herpolhode, on the
    // invariable plane omega . L = 2E.
    double herpolhode[kTrailPoints][3];
    int trailStart;
    int trailCount;
    double trailSpacing;
    double trailDue;
    int trailAxis;  // the body axis of the middle moment, the one that flips
    // The flips: the middle axis's share of L, I_m omega_m / |L|, going from
    // above 1/2 to below -1/2 or back (a wobble about another axis never
    // reaches 1/2).
    int flipSide;     // +1 or -1 after the last flip, 0 before any share of 1/2
    double lastFlip;  // t of the last flip
    double flipGap;   // t between the last two flips, or 0
    int flips;        // how many since the start
    PoinsotPicture poinsot;
    Curve poinsotPolhode;  // omega in the body over one period of omega
    // The record, by the motion's time (samples.cpp).
    std::deque<MotionSample> samples;
    long samplesDropped;  // how many of the first samples were let go
    double sampleSpacing;
    double sampleDue;
    // Running, paced by the clock.
    double lastClock;  // seconds, when the last frame was drawn
    double owed;       // time units the clock asks for and no step has taken
    // The view.
    double yaw;       // degrees about the scene's y axis
    double pitch;     // degrees above the horizontal
    double distance;  // from the centre
    int width;
    int height;
    int dragX;
    int dragY;
    bool dragging;
    bool ghost;         // the exact attitude's outline shown
    bool construction;  // Poinsot's construction in the main view instead of the box
    bool bigInset;      // the page's inset at half the picture's size, not a quarter
    // Switches of the motion.
    bool running;
    bool slowed;  // the last frame took fewer steps than it owed
    bool lost;    // the integrator's numbers left the finite ones: no more steps
};

extern Explorer explorer;

// explorer_state.cpp: the motion.
// The explorer as it opens: the flip at one time unit a second, with the
// exact outline, seen from where the window program's camera stands.
void explorerDefaults();
// Starts the motion of explorer.start and runs it: the last step of both
// shells' start, once the window is open.
void startExplorer();
// Starts the motion of explorer.start afresh: t = 0, the identity, the
// exact motion, the invariants, the trail and the inset.
void resetMotion();
// One step of omega and the attitude, and the trail.
void stepMotion();
// Steps the box with the next integrator of the table, from the start again.
void nextIntegrator();
// The middle-moment axis's component along L for this omega: +1 or -1
// when the body spins about that axis, either way.
double middleShareOf(const double omega[3]);
// How far the integrated invariants have drifted from the start's,
// relative to them: 2E and |L|^2.
struct Drifts {
    double twiceEnergy;
    double momentumSquared;
};
Drifts driftsNow();
// How much larger the scene is drawn than the window program's: the box's
// diagonal over that box's, 2.34.
double sceneScale();
// How near the camera may come to the box and how far it may go: as near
// and as far as for the window program's box, scaled with the box.
void distanceLimits(double& nearest, double& farthest);
// The model's time, n h.
double motionTime();

// samples.cpp: the motion's record.
// Samples the motion now.
void recordSample();
// Empties the record and takes its first sample, at the start.
void restartSamples();
// Samples the motion if a step has reached the next sample's time.
void sampleIfDue();
// The record as CSV, with the trace tool's column names.
std::string samplesCsv();

// pacing.cpp: how many steps a frame takes when `elapsed` seconds of the
// clock have passed at `speed` time units a second with `owed` still owed;
// at most `most`, and what is left owed after them (never more than one
// step once the most was taken: a slow frame slows the motion down).
struct Pace {
    long steps;
    double owed;
    bool slowed;
};
Pace paceFrame(double elapsed, double speed, double owed, double h, long most);

// presets.cpp: the six starts of keys 1 to 6.
int presetCount();
// Sets explorer.start and explorer.name from preset `index` (0 to 5).
void applyPreset(int index);

// poinsot.cpp
PoinsotPicture poinsotPictureOf(const ExactMotion& motion);

// explorer_view.cpp: one frame of the scene.
// A solid arrow from the origin to `tip` in the current colour, `thickness`
// thick.
void drawArrow(const double tip[3], double thickness);
// Two unit vectors across the unit vector d, and across each other.
void across(const double d[3], double u[3], double v[3]);
void displayExplorer();
void reshapeExplorer(int width, int height);
// The seconds of a steady clock.
double clockSeconds();

// inset.cpp: Poinsot's picture in a square viewport, seen from here.
constexpr double kInsetEye[3] = {3.0, 2.2, 4.0};
// The viewport, the projection and the camera of the inset.
void setInsetView(int x, int y, int size);
// Its background and the curves, which change only with the start.
void drawInsetPicture(int x, int y, int size);
// Where L is now, with the inset's view set.
void drawInsetMarker();

// inset_labels.cpp: text in seven-segment strokes (digits, I, e, +, -, .,
// =), `h` pixels high, from (x, y), between glBegin(GL_LINES) and glEnd;
// and the principal axes' names and moments in the inset.
void drawStrokeText(const char* text, double x, double y, double h);
double strokeAdvance(char c, double h);
struct InsetLabel {
    char text[32];  // "I1=5": the axis's rank among the moments, and its moment
    double u, v;    // where the inset shows its tip, as insetProjection gives it
};
// The three labels, by body axis; how many.
int insetLabels(InsetLabel labels[3]);
// Draws them over the inset's picture, `size` pixels square.
void drawInsetLabels(int size);

// flip_strip.cpp: the middle axis's share of L over the last 40 time units
// of the record, in a strip of the window from (x, y), pixels from the
// lower left.
void drawFlipStrip(int x, int y, int width, int height);

// poinsot_view.cpp: Poinsot's construction, in the main view.
// The invariable plane: its unit normal along L and its distance 2E / |L|
// from the centre, in units of omega.
void invariablePlane(double normal[3], double& distance);
// The ellipsoid turned with the body, the plane, the herpolhode, the
// polhode, L and omega, under the scene's camera.
void drawPoinsotConstruction(double thickness);

// cones.cpp: a symmetric top's two cones of omega, in the scene: the body
// cone about the symmetry axis (the way omega leans along it), turned with
// the body, and the space cone about L. False, leaving both, unless two
// moments are equal and omega is not along an axis.
struct Cone {
    double axis[3];    // unit
    double halfAngle;  // radians
};
bool symmetricCones(Cone& body, Cone& space);

// readouts.cpp: the lines of text shown beside the picture.
std::string readoutText();
// What the picture shows, in a few sentences, for --help and the page.
const char* whatYouSee();

// explorer_window.cpp (desktop): the window, with Poinsot's picture in the
// lower right corner and the readouts in the top left.
void openExplorerWindow(int* argc, char** argv);
// Draws what changed of the two, off the window, before the frame's scene.
void preparePanes();
// Copies the two into the frame, after its scene.
void showPanes();

// sphere_chooser.cpp: the inset as a chooser of L's direction.
// The inset's side in pixels: a quarter of the window's shorter side, or
// half of it when enlarged.
int insetSide();
// Where the inset's camera shows point p of the body's axes: -1 to 1 across
// the inset, left to right (u) and bottom to top (v).
void insetProjection(const double p[3], double& u, double& v);
// Starts the motion afresh with L along the direction of the inset's
// sphere under window pixel (x, y), rows from the top, as large as it was;
// false, changing nothing, off the sphere or where the start is refused.
bool startFromInset(int x, int y);

// explorer_input.cpp
void onExplorerKey(unsigned char key, int x, int y);
void onExplorerMouse(int button, int state, int x, int y);
void onExplorerDrag(int x, int y);
void onExplorerIdle();
// The first frame and every redraw after a command.
void requestFrame();

// explorer_start.cpp: chooses the step when none was given; then "" if the
// explorer may show `start`, else the one line that refuses it, in the words
// of the command line.
std::string prepareExplorerStart(SpinOptions& start);

// explorer_options.cpp: reads argv into explorer.start, explorer.speed and
// explorer.integrator, over the defaults already there.
// Returns -1 to go on, or the exit status (0 after the usage, 2 after the
// one line that refuses the command line).
int readExplorerOptions(int argc, char** argv);
