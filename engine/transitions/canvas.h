// The drawing surface shared by a show window and its slide thread, and the
// presenter through which the thread has each frame shown.
//
// The slide thread draws into the canvas's bitmap while holding its lock; the
// window (or a tool) reads the bitmap under the same lock when it repaints.  The
// canvas is owned by the window, which keeps it alive until its thread has ended.
#pragma once

#include <mutex>

#include "engine/transitions/bitmap.h"
#include "engine/transitions/geometry.h"

namespace pavonix {

class Canvas {
 public:
  Canvas() = default;
  // A new canvas is black: a show whose passes all fail (no slides, no enabled
  // effect, an unreadable package) never paints, and must stay black, not show
  // whatever the memory held.
  Canvas(int32_t width, int32_t height) : pixels_(width, height) { pixels_.Fill(Color{}); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Touch the pixels only while holding Lock().
  Bitmap& Pixels() { return pixels_; }
  const Bitmap& Pixels() const { return pixels_; }
  std::mutex& Lock() { return lock_; }

 private:
  Bitmap pixels_;
  std::mutex lock_;
};

// Shows what the slide thread has drawn.  Present is called on the slide thread
// after each frame, without the canvas lock held, with the part of the canvas that
// the frame changed; an implementation that reads the canvas takes its lock.
class Presenter {
 public:
  virtual ~Presenter() = default;
  virtual void Present(const TRect& changed) = 0;
};

}  // namespace pavonix
