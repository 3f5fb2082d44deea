// The slide thread: the slideshow that runs beside a show window.
//
// It picks the slides one after another, composes each on black at the size of its
// target, brings it onto the window's canvas with one numbered transition effect in
// 21 frames, keeps it as the previous slide, pauses for the interval and starts the
// next pass, until the window asks it to stop.  The window draws nothing itself; it
// only shows what the thread has drawn, through the presenter.
//
// Threads: the window's thread constructs the object, calls IncludeRect and
// Terminate and destroys it; everything else runs on the slide thread.  The canvas
// lock guards the canvas pixels and FTargetRect.  The owner keeps the canvas, the
// header, the presenter, the clock and the random source alive until the object is
// destroyed, which waits for the thread to end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/package/mpf_format.h"
#include "engine/transitions/bitmap.h"
#include "engine/transitions/canvas.h"
#include "engine/transitions/geometry.h"
#include "engine/transitions/random.h"
#include "engine/transitions/slide_clock.h"

namespace pavonix {

// Everything the thread takes from the outside world.
struct SlideThreadEnvironment {
  // The window's canvas.  Without one the thread ends at once.
  Canvas* canvas = nullptr;
  // The part of the canvas the slides are centred in; the windows pass
  // (0, 0, client width, client height).
  TRect targetRect;
  // The process's in-memory package header.  Interval, ImageCount and RandomOrder
  // are copied once, at construction; the effect mask is read again each time the
  // effect cycle starts over.  Without one the show has no slides.
  const PackageHeader* header = nullptr;
  // Replaces the bitmap with the decoded picture of a slide, or throws.
  std::function<void(Bitmap&, int32_t)> loadSlide;
  // The process-wide FitToRect flag, read in every pass; 1 shrinks the slides to
  // fit the target.  Absent means 0.
  std::function<int32_t()> fitToRect;
  // The draws of the slide and effect choices and of the random effects.  Absent:
  // the thread seeds a generator of its own from the clock.
  RandomSource* random = nullptr;
  // Shows what the thread drew: the first black fill, then every frame (with an
  // empty rectangle when the frame drew nothing).  May be absent.
  Presenter* presenter = nullptr;
  // Run on the slide thread before its first pass; the Windows build raises the
  // thread's priority there (RaiseSlideThreadPriority).  May be absent.
  std::function<void()> raisePriority;
  // The pauses.  Absent: SystemSlideClock.
  SlideClock* clock = nullptr;
};

// Windows build only: gives the calling thread time-critical priority on Windows
// 2000 and the XP family (OS class 5 or 6) and leaves it alone elsewhere.
void RaiseSlideThreadPriority();

// The state, the thread body and the choice of the next slide and effect.
//
// A subclass supplies the drawing pass.  Because the thread calls virtual functions,
// it may only run while the most-derived object is whole: the most-derived class
// calls Start() at the end of its constructor and StopAndWait() at the start of its
// destructor.
class TPreviewScreensaverBasics {
 public:
  virtual ~TPreviewScreensaverBasics();
  TPreviewScreensaverBasics(const TPreviewScreensaverBasics&) = delete;
  TPreviewScreensaverBasics& operator=(const TPreviewScreensaverBasics&) = delete;

  // Widens FTargetRect to hold r (the repaint area of the window).
  void IncludeRect(const TRect& r);
  // Asks the thread to stop and returns at once.  The thread notices before each
  // pass, after each frame and during the pause between slides.
  void Terminate();
  bool Terminated() const { return stop_.Requested(); }

 protected:
  explicit TPreviewScreensaverBasics(const SlideThreadEnvironment& environment);

  void Start();
  // Requests a stop and waits until the thread has ended; does nothing more when
  // it has already been called.
  void StopAndWait();

  // The thread body: passes until a stop, then FinishShow.
  virtual void Execute();
  // One pass: choose, compose, transition, pause.  Errors end the pass.
  virtual void DrawSlide() {}
  // Called once when the thread body ends.
  virtual void FinishShow() {}

  int32_t NextPicture();
  int32_t NextEffect();

  // Per-pass bitmaps.  FComposed and FPicture point into storage that the thread
  // keeps from pass to pass, because first touching fresh memory costs more than a
  // frame; outside a pass they are null.
  void AcquirePassBitmaps();
  void ReleasePassBitmaps();

  TRect TargetRect();
  int32_t FitToRect() const { return environment_.fitToRect ? environment_.fitToRect() : 0; }
  // The pause after a pass; a failed pass waits at least a second so that a show
  // that cannot draw does not keep the processor busy.
  void PauseAfterPass(bool failed);
  // Hands a changed part of the canvas to the presenter (without the canvas lock).
  void Present(const TRect& changed);

  TRect FTargetRect;
  Canvas* FCanvas;
  int32_t FWidth;
  int32_t FHeight;
  Bitmap* FComposed = nullptr;
  Bitmap* FPicture = nullptr;
  Bitmap FPrevious;
  int32_t FInterval;
  int32_t FRandomOrder;
  int32_t FImageCount;
  int32_t FLastPicture = -1;
  int32_t FPercent = 0;
  int32_t FStep = 5;
  bool FFirstPass = true;
  std::vector<int32_t> FPictureList;
  std::vector<int32_t> FEffectList;

  SlideThreadEnvironment environment_;
  RandomSource* random_;
  SlideClock* clock_;
  StopRequest stop_;

 private:
  void Run();

  std::unique_ptr<RandomSource> ownRandom_;
  std::mutex targetLock_;  // guards FTargetRect when there is no canvas
  Bitmap composedStorage_;
  Bitmap pictureStorage_;
  std::thread thread_;
};

// The slideshow's drawing pass on the portable canvas.
class TPreviewScreensaverThread : public TPreviewScreensaverBasics {
 public:
  // Starts the thread at once.
  explicit TPreviewScreensaverThread(const SlideThreadEnvironment& environment);
  // Stops the thread and waits for it to end.
  ~TPreviewScreensaverThread() override;

 protected:
  // For subclasses, which then call Start() themselves.
  struct DeferStart {};
  TPreviewScreensaverThread(const SlideThreadEnvironment& environment, DeferStart);

  void DrawSlide() override;
};

}  // namespace pavonix
