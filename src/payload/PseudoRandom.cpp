#include "payload/PseudoRandom.h"

PseudoRandom& SharedRandom() noexcept {
  static PseudoRandom generator;
  return generator;
}
