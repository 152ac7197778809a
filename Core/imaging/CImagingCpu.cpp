// CImagingCpu: processor feature detection (CPUID and the operating system's
// saving of the AVX registers) and the level in use.
#include "CImagingCpu.h"

#include <atomic>

#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
#  include <immintrin.h>
#  include <intrin.h>
#  define TES_IMAGING_X86 1
#elif (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#  include <cpuid.h>
#  define TES_IMAGING_X86 1
#endif

namespace {

#ifdef TES_IMAGING_X86
void CpuId(int leaf, int subleaf, unsigned (&regs)[4])
{
#  if defined(_MSC_VER)
    int values[4];
    __cpuidex(values, leaf, subleaf);
    for (int i = 0; i < 4; ++i)
        regs[i] = static_cast<unsigned>(values[i]);
#  else
    __cpuid_count(leaf, subleaf, regs[0], regs[1], regs[2], regs[3]);
#  endif
}

// The low word of XCR0: which register states the system saves.
unsigned long long ReadXcr0()
{
#  if defined(_MSC_VER)
    return _xgetbv(0);
#  else
    unsigned eax, edx;
    __asm__ volatile("xgetbv" : "=a"(eax), "=d"(edx) : "c"(0));
    return (static_cast<unsigned long long>(edx) << 32) | eax;
#  endif
}
#endif

int DetectLevel()
{
#ifdef TES_IMAGING_X86
    unsigned regs[4];
    CpuId(0, 0, regs);
    const unsigned maxLeaf = regs[0];
    CpuId(1, 0, regs);
    const bool sse2 = (regs[3] & (1u << 26)) != 0;
    const bool sse41 = (regs[2] & (1u << 19)) != 0;
    const bool osxsave = (regs[2] & (1u << 27)) != 0;
    const bool avx = (regs[2] & (1u << 28)) != 0;
    if (!sse2)
        return CImagingCpu::LEVEL_SCALAR;
    if (maxLeaf < 7 || !sse41 || !osxsave || !avx || (ReadXcr0() & 0x6) != 0x6)
        return CImagingCpu::LEVEL_SSE2;
    CpuId(7, 0, regs);
    const bool avx2 = (regs[1] & (1u << 5)) != 0;
    if (!avx2)
        return CImagingCpu::LEVEL_SSE2;
    // AVX-512 foundation, byte and word and vector length instructions (every
    // processor with the first has the others, bar two lines of accelerator
    // cards), with the system saving the mask registers and all 512 bits of
    // the 32 vector registers.
    const unsigned avx512Bits = (1u << 16) | (1u << 30) | (1u << 31);
    const bool avx512 = (regs[1] & avx512Bits) == avx512Bits;
    return avx512 && (ReadXcr0() & 0xE6) == 0xE6 ? CImagingCpu::LEVEL_AVX512 : CImagingCpu::LEVEL_AVX2;
#else
    return CImagingCpu::LEVEL_SCALAR;
#endif
}

int SupportedLevel()
{
    static const int level = DetectLevel();
    return level;
}

std::atomic<int> g_level(-1);

} // namespace

int CImagingCpu::GetLevel()
{
    const int level = g_level.load();
    return level < 0 ? SupportedLevel() : level;
}

int CImagingCpu::GetSupportedLevel()
{
    return SupportedLevel();
}

int CImagingCpu::SetLevel(int level)
{
    const int supported = SupportedLevel();
    const int used = level < LEVEL_SCALAR ? LEVEL_SCALAR : (level > supported ? supported : level);
    g_level.store(used);
    return used;
}
