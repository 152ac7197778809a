// Shared pieces of the imaging benchmarks (see BenchPicture.h).
#include "BenchPicture.h"

#include <cstring>
#include <map>
#include <utility>

std::vector<RGBX> MakeScreenPicture(int width, int height)
{
    std::vector<RGBX> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    unsigned state = 12345;
    for (int y = 0; y < height; ++y)
        for (int c = 0; c < width; ++c)
        {
            RGBX& p = pixels[static_cast<size_t>(y) * width + c];
            if ((c / 64 + y / 48) % 3 == 0)
                p = RGBX(240, 240, 240, 0);                                   // window background
            else if ((c / 64 + y / 48) % 3 == 1)
                p = RGBX(BYTE(c * 255 / width), BYTE(y * 255 / height), 128, 0);  // gradient
            else
            {
                state = state * 1103515245u + 12345u;
                p = (state >> 28) < 4 ? RGBX(0, 0, 0, 0) : RGBX(BYTE(state >> 8), BYTE(state >> 16), BYTE(state >> 24), 0);
            }
        }
    return pixels;
}

double MemcpySeconds(CSize size)
{
    static std::map<std::pair<int, int>, double> measured;
    const std::pair<int, int> key(size.cx, size.cy);
    const auto found = measured.find(key);
    if (found != measured.end())
        return found->second;
    const size_t bytes = static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy) * sizeof(RGBX);
    std::vector<unsigned char> from(bytes, 1), to(bytes, 2);
    double fastest = 0;
    for (int i = 0; i < 30; ++i)
    {
        // Ten copies per run, so that the clock's granularity does not count.
        const BenchTimer timer;
        for (int k = 0; k < 10; ++k)
        {
            std::memcpy(to.data(), from.data(), bytes);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
        const double seconds = timer.Seconds() / 10;
        fastest = (i == 0 || seconds < fastest) ? seconds : fastest;
    }
    measured[key] = fastest;
    return fastest;
}

void ReportPictureCounters(benchmark::State& state, CSize size, double loopSeconds)
{
    const double megapixels = static_cast<double>(size.cx) * size.cy / 1e6;
    state.counters["MP/s"] = benchmark::Counter(megapixels, benchmark::Counter::kIsIterationInvariantRate);
    if (state.iterations() > 0)
        state.counters["copies"] = loopSeconds / static_cast<double>(state.iterations()) / MemcpySeconds(size);
}
