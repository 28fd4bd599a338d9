#pragma once
// The program's one shared pseudo-random generator: a 32-bit linear congruential generator.
// Each draw steps the state to state * 134775813 + 1 (mod 2^32) and returns the high 32 bits
// of the 64-bit product state * range. The payload key builder re-seeds it, so every payload
// read leaves it in the same state.

#include <cstdint>

class PseudoRandom {
 public:
  explicit PseudoRandom(std::uint32_t seed = 0) noexcept : m_state(seed) {}

  void Seed(std::uint32_t seed) noexcept { m_state = seed; }
  std::uint32_t State() const noexcept { return m_state; }

  // A value from 0 to range - 1 (0 when range is 0).
  std::uint32_t Draw(std::uint32_t range) noexcept {
    m_state = m_state * 134775813u + 1u;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_state) * range) >> 32);
  }

 private:
  std::uint32_t m_state;
};

// The generator the whole program shares. One UI thread uses it; it is not locked.
PseudoRandom& SharedRandom() noexcept;
