// The built-in catalogue as the engine tests use it: each name is "s" and its
// string number; the positions below are those of the built-in list.
#ifndef RIRUZIRUZO_TESTS_ENGINE_CATALOGUE_FIXTURE_H_
#define RIRUZIRUZO_TESTS_ENGINE_CATALOGUE_FIXTURE_H_

#include <string>

#include "engine/actions.h"

namespace rz::test {

inline Catalogue MakeCatalogue() {
  Catalogue catalogue;
  BuildCatalogue(catalogue, [](int n) { return "s" + std::to_string(n); });
  return catalogue;
}

enum : int {
  kNothing = 0,
  kPointerUp = 1,
  kPointerRight = 2,
  kPointerDown = 3,
  kPointerLeft = 4,
  kLeftButton = 5,
  kWheelForward = 8,
  kWheelBackward = 9,
  kEnter = 12,
  kLeftArrow = 19,
  kUpArrow = 20,
  kRightArrow = 21,
  kDownArrow = 22,
  kRightCtrl = 93,
};

enum : int { kNoPreset = 0, kMousePreset = 1, kArrowPreset = 2 };

}  // namespace rz::test

#endif  // RIRUZIRUZO_TESTS_ENGINE_CATALOGUE_FIXTURE_H_
