// Timing shared by the Windows benchmarks: the performance counter, the
// message pump between runs, the bare screen copy every figure is compared
// with, and steps timed in turns.
#pragma once

#include <functional>
#include <vector>

namespace bench {

// Milliseconds since start (a performance-counter reading).
double MillisecondsSince(long long start);
long long Now();

void PumpMessages();

// The screen copied with BitBlt through GetDC(NULL) into a new compatible
// bitmap, everything released again: the least a grab has to do.
bool BlitScreen();

// A step of a benchmark: measure() runs it once and gives its milliseconds,
// or a negative number when it failed.
struct Step
{
    const char* lpszName;
    std::function<double()> measure;
};
// The step that times fn, which reports success.
std::function<double()> Timed(std::function<bool()> fn);

// Each step's median over nRuns runs after a few warm-up runs. The steps take
// turns, so that a busy machine slows each of them alike. Prints a line per
// step (median, fastest, slowest) and returns the medians (negative for a
// step that never succeeded).
std::vector<double> ReportInterleaved(const std::vector<Step>& steps, int nRuns);

// Prints "  NAME / BASE: R x" for a median against the bare screen copy's.
void ReportRatio(const char* lpszName, double msMedian, double msBase);

} // namespace bench
