// Linked only into the sanitizer build's leaky copy of the program, with
// --wrap for the model's step: every frame loses the block the previous frame
// allocated. The leak checker must report it even with the suppression for
// the GL driver in force, which shows that suppression hides none of ours.
#include <cstdlib>

extern "C" void __real__Z15advanceRotationv();

// Outside any namespace, so the compiler cannot drop the allocation.
void* plantedLeakBlock = nullptr;

extern "C" void __wrap__Z15advanceRotationv() {
    plantedLeakBlock = std::malloc(64);
    __real__Z15advanceRotationv();
}
