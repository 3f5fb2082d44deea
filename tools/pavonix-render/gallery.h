// The gallery: one contact sheet per effect number with frames 0, 5, 10, 15 and
// 20 side by side under the effect's number and name, and an index.html that
// shows them all.  People judge an effect by looking at it.
#pragma once

#include <string>

#include "tools/pavonix-render/effect_frames.h"

namespace pavonix::tools {

// Writes effect-001.png ... effect-126.png and index.html into dir.
void WriteGallery(const std::string& dir, const SlidePair& slides, const RenderSettings& settings,
                  const std::string& fromName, const std::string& toName);

// The label of an effect number: "58 CurveFromLeft", or what the numbers without a
// drawing of their own do.
std::string EffectLabel(int32_t effect);

}  // namespace pavonix::tools
