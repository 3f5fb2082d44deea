#include "engine/transitions/compose.h"

#include "engine/transitions/fitting.h"
#include "engine/transitions/stretch_blt.h"

namespace pavonix {

TRect PlacePicture(const TRect& target, int32_t pictureWidth, int32_t pictureHeight, bool fitToRect) {
  if (fitToRect) {
    return CenterRect(target, FitRect(target.Width(), target.Height(), pictureWidth, pictureHeight));
  }
  return CenterRect(target, TRect{0, 0, pictureWidth, pictureHeight});
}

void ComposeSlide(Bitmap& composed, int32_t width, int32_t height, const Bitmap& picture, const TRect& place) {
  composed.SetSize(width, height);
  composed.Fill(Color{});
  if (picture.IsEmpty() || composed.IsEmpty()) return;
  StretchBlt(composed, place.Left, place.Top, place.Width(), place.Height(), picture, 0, 0, picture.Width(),
             picture.Height());
}

}  // namespace pavonix
