#include "audio/vector_unit.h"

#include <atomic>

namespace audio {

namespace {
std::atomic<int> g_active{-1};
}

VectorUnit detectedVectorUnit() {
  static const VectorUnit unit = [] {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return VectorUnit::Avx2;
#endif
    return VectorUnit::Scalar;
  }();
  return unit;
}

VectorUnit activeVectorUnit() {
  int v = g_active.load(std::memory_order_relaxed);
  return v < 0 ? detectedVectorUnit() : static_cast<VectorUnit>(v);
}

VectorUnit setVectorUnit(VectorUnit unit) {
  if (unit == VectorUnit::Avx2 && detectedVectorUnit() != VectorUnit::Avx2)
    unit = VectorUnit::Scalar;
  g_active.store(static_cast<int>(unit), std::memory_order_relaxed);
  return unit;
}

}  // namespace audio
