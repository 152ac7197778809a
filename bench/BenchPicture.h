// Shared pieces of the imaging benchmarks: a screen-like test picture, the
// memcpy floor of a buffer size, and the counters every benchmark reports.
#pragma once

#include "CSize.h"
#include "RGBX.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

// A picture like a screen capture: flat areas, gradients, text-like dots
// and pure black pixels (which the colour replacement finds).
std::vector<RGBX> MakeScreenPicture(int width, int height);

// Processor seconds one memcpy of width x height pixels takes (the fastest
// of several runs, measured once per size).
double MemcpySeconds(CSize size);

// Measures the processor time of the code it spans: on a machine shared
// with other work this is steadier than the wall time.
class BenchTimer
{
public:
    BenchTimer() : m_start(std::clock()) {}
    double Seconds() const { return static_cast<double>(std::clock() - m_start) / CLOCKS_PER_SEC; }

private:
    std::clock_t m_start;
};

// Megapixels per second of the input picture, and the processor time of one
// iteration in memcpy times of the same buffer ("copies").
void ReportPictureCounters(benchmark::State& state, CSize size, double loopSeconds);
