#pragma once
// Which vector instructions the inner loops may use: what the processor has, optionally capped
// (benchmarks compare the paths; tests run each of them).
namespace lumo::detail {

enum class SimdLevel { Portable = 0, Avx2 = 1, Avx512 = 2 };

SimdLevel detectedSimdLevel();
void capSimdLevel(SimdLevel most);
SimdLevel simdLevel();  // the detected level, or the cap if that is lower

}  // namespace lumo::detail
