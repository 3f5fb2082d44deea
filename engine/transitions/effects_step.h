// For the family files of the catalogue only: a frame step written as an
// expression over the frame values, so that each row reads like its rectangles.
//   STEP(f.Last({0, 0, pw, h}, {0, 0, pw, h}))
// Each family file #undefs STEP after its table.
#pragma once

#include "engine/transitions/effects.h"

#define STEP(...)                                             \
  [](::pavonix::Frame& f) {                                   \
    [[maybe_unused]] const auto [w, h, p, pw, ph, m] = f.v;   \
    __VA_ARGS__;                                              \
  }
