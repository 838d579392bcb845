#pragma once

namespace audio {

// Instruction set used by the vector variants of the FFT and the equalizer's
// spectrum product. Avx2 results equal Scalar ones up to float rounding (the
// kernels use the same operations in the same order, without fused multiply-add).
enum class VectorUnit { Scalar, Avx2 };

// The best unit this processor supports; detected once.
VectorUnit detectedVectorUnit();

// The unit in use: the detected one unless setVectorUnit chose another.
VectorUnit activeVectorUnit();

// Chooses the unit (tests, benchmarks, start-up). A unit the processor lacks
// falls back to Scalar. Returns the unit now in effect. Call while no audio runs.
VectorUnit setVectorUnit(VectorUnit unit);

}  // namespace audio
