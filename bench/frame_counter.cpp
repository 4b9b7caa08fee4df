// Preloaded into a GLUT program (LD_PRELOAD), counts its frames from outside:
// every glutSwapBuffers is timed, and at exit the count, the times of the
// first, second and last swap, the start time the caller gave in
// BENCH_START_NS, and the peak resident memory go to FRAME_COUNTER_OUT.
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

long frames = 0;
long long firstNs = 0;
long long secondNs = 0;
long long lastNs = 0;

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
    const char* start = std::getenv("BENCH_START_NS");
    FILE* out = path != nullptr ? std::fopen(path, "w") : nullptr;
    if (out == nullptr) return;
    std::fprintf(
        out, "frames=%ld start_ns=%s first_ns=%lld second_ns=%lld last_ns=%lld peak_kib=%ld\n",
        frames, start != nullptr ? start : "0", firstNs, secondNs, lastNs, peakResidentKib());
    std::fclose(out);
}

}  // namespace

extern "C" void glutSwapBuffers() {
    using Swap = void (*)();
    static const Swap realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    realSwap();
    const long long now = nowNs();
    ++frames;
    if (frames == 1) firstNs = now;
    if (frames == 2) secondNs = now;
    lastNs = now;
}
