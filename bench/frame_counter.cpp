// Preloaded into a GLUT program (LD_PRELOAD), records its frames from
// outside: the time of every glutSwapBuffers (with FRAME_COUNTER_WINDOW set,
// of those of that GLUT window only). At exit it writes them, one per line in nanoseconds of the
// real-time clock, to FRAME_COUNTER_OUT, after a first line with the peak
// resident memory in KiB.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr long kMaxFrames = 1L << 20;
long long swapNs[kMaxFrames];
long frames = 0;

long long nowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long peakResidentKib() {
    FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    long kib = -1;
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::strncmp(line, "VmHWM:", 6) == 0) kib = std::strtol(line + 6, nullptr, 10);
    }
    if (status != nullptr) std::fclose(status);
    return kib;
}

__attribute__((destructor)) void report() {
    const char* path = std::getenv("FRAME_COUNTER_OUT");
    FILE* out = path != nullptr ? std::fopen(path, "w") : nullptr;
    if (out == nullptr) return;
    std::fprintf(out, "peak_kib=%ld\n", peakResidentKib());
    for (long i = 0; i < frames; ++i) std::fprintf(out, "%lld\n", swapNs[i]);
    std::fclose(out);
}

}  // namespace

extern "C" void glutSwapBuffers() {
    using Swap = void (*)();
    using Which = int (*)();
    static const Swap realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    static const Which currentWindow = reinterpret_cast<Which>(dlsym(RTLD_NEXT, "glutGetWindow"));
    static const char* only = std::getenv("FRAME_COUNTER_WINDOW");
    static const int window = only != nullptr ? std::atoi(only) : 0;
    const bool counted = window == 0 || currentWindow() == window;
    realSwap();
    if (counted && frames < kMaxFrames) swapNs[frames++] = nowNs();
}
