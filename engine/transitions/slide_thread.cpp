#include "engine/transitions/slide_thread.h"

#include <algorithm>
#include <stdexcept>

#include "engine/transitions/compose.h"
#include "engine/transitions/transition_pass.h"

namespace pavonix {
namespace {

constexpr int32_t kFramesPerTransition = 21;
constexpr int32_t kMinimumFailurePauseMs = 1000;

}  // namespace

// ---------------------------------------------------------------------------------
// TPreviewScreensaverBasics

TPreviewScreensaverBasics::TPreviewScreensaverBasics(const SlideThreadEnvironment& environment)
    : FTargetRect(environment.targetRect),
      FCanvas(environment.canvas),
      FWidth(environment.targetRect.Width()),
      FHeight(environment.targetRect.Height()),
      FInterval(environment.header ? environment.header->Interval() : 0),
      FRandomOrder(environment.header ? environment.header->RandomOrder() : 0),
      FImageCount(environment.header ? environment.header->ImageCount() : 0),
      environment_(environment),
      random_(environment.random),
      clock_(environment.clock ? environment.clock : &SystemSlideClock::Instance()) {
  if (random_ == nullptr) {
    ownRandom_ = std::make_unique<Xoshiro256>(Xoshiro256::FromClock());
    random_ = ownRandom_.get();
  }
  // Only sized here; the thread paints it, so that the window that creates the
  // thread does not pay for touching a whole frame of fresh memory.
  FPrevious.SetSize(FWidth, FHeight);
}

TPreviewScreensaverBasics::~TPreviewScreensaverBasics() { StopAndWait(); }

void TPreviewScreensaverBasics::Start() { thread_ = std::thread([this] { Run(); }); }

void TPreviewScreensaverBasics::StopAndWait() {
  stop_.Request();
  if (thread_.joinable()) thread_.join();
}

void TPreviewScreensaverBasics::Terminate() { stop_.Request(); }

void TPreviewScreensaverBasics::IncludeRect(const TRect& r) {
  std::lock_guard<std::mutex> hold(FCanvas ? FCanvas->Lock() : targetLock_);
  FTargetRect.Left = std::min(FTargetRect.Left, r.Left);
  FTargetRect.Top = std::min(FTargetRect.Top, r.Top);
  FTargetRect.Right = std::max(FTargetRect.Right, r.Right);
  FTargetRect.Bottom = std::max(FTargetRect.Bottom, r.Bottom);
}

TRect TPreviewScreensaverBasics::TargetRect() {
  std::lock_guard<std::mutex> hold(FCanvas ? FCanvas->Lock() : targetLock_);
  return FTargetRect;
}

void TPreviewScreensaverBasics::Run() {
  // Nothing may escape a thread body; a failed priority change leaves the normal one.
  try {
    if (environment_.raisePriority) environment_.raisePriority();
  } catch (...) {
  }
  try {
    // Black, so that a cross-fade as the very first transition fades in from the
    // black that the first pass paints.
    FPrevious.Fill(Color{});
    Execute();
  } catch (...) {
  }
}

void TPreviewScreensaverBasics::Execute() {
  if (FCanvas != nullptr) {
    while (!Terminated()) {
      bool failed = false;
      try {
        DrawSlide();
      } catch (...) {
        // A slide that cannot be read, a show without slides or effects: the pass is
        // dropped silently and the show goes on with the next one.
        ReleasePassBitmaps();
        failed = true;
      }
      if (failed) PauseAfterPass(true);
    }
  }
  try {
    FinishShow();
  } catch (...) {
  }
  FPrevious.Release();
}

void TPreviewScreensaverBasics::PauseAfterPass(bool failed) {
  int32_t ms = FInterval * 1000;
  if (failed) ms = std::max(ms, kMinimumFailurePauseMs);
  if (ms > 0 && !Terminated()) clock_->Wait(ms, stop_);
}

void TPreviewScreensaverBasics::Present(const TRect& changed) {
  if (environment_.presenter) environment_.presenter->Present(changed);
}

void TPreviewScreensaverBasics::AcquirePassBitmaps() {
  FComposed = &composedStorage_;
  FPicture = &pictureStorage_;
  FPicture->SetSize(0, 0);
}

void TPreviewScreensaverBasics::ReleasePassBitmaps() {
  FComposed = nullptr;
  FPicture = nullptr;
}

int32_t TPreviewScreensaverBasics::NextPicture() {
  if (FImageCount <= 0) throw std::runtime_error("The package holds no slides");
  if (FRandomOrder == 0) {
    const int32_t next = FLastPicture + 1;
    return next > FImageCount - 1 ? 0 : next;
  }
  if (FPictureList.empty()) {
    for (int32_t i = 0; i < FImageCount; ++i) FPictureList.push_back(i);
  }
  const auto count = static_cast<int32_t>(FPictureList.size());
  int32_t index = random_->Random(count);
  // A new cycle must not open with the slide that closed the last one.  The list
  // holds distinct slides, so with more than one entry another one is there.
  if (FImageCount != 1 && count > 1) {
    while (FPictureList[static_cast<size_t>(index)] == FLastPicture) index = random_->Random(count);
  }
  const int32_t picture = FPictureList[static_cast<size_t>(index)];
  FPictureList.erase(FPictureList.begin() + index);
  return picture;
}

int32_t TPreviewScreensaverBasics::NextEffect() {
  if (FEffectList.empty() && environment_.header) FEffectList = environment_.header->EnabledEffects();
  if (FEffectList.empty()) throw std::runtime_error("No transition effect is enabled");
  const int32_t index = random_->Random(static_cast<int32_t>(FEffectList.size()));
  const int32_t effect = FEffectList[static_cast<size_t>(index)];
  FEffectList.erase(FEffectList.begin() + index);
  return effect;
}

// ---------------------------------------------------------------------------------
// TPreviewScreensaverThread

TPreviewScreensaverThread::TPreviewScreensaverThread(const SlideThreadEnvironment& environment)
    : TPreviewScreensaverBasics(environment) {
  Start();
}

TPreviewScreensaverThread::TPreviewScreensaverThread(const SlideThreadEnvironment& environment, DeferStart)
    : TPreviewScreensaverBasics(environment) {}

TPreviewScreensaverThread::~TPreviewScreensaverThread() { StopAndWait(); }

void TPreviewScreensaverThread::DrawSlide() {
  AcquirePassBitmaps();

  const int32_t picture = NextPicture();
  // Chosen even if it cannot be read, so that a broken slide is skipped, not retried.
  FLastPicture = picture;
  if (!environment_.loadSlide) throw std::runtime_error("No slide loader");
  environment_.loadSlide(*FPicture, picture);

  if (FFirstPass) {
    TRect painted;
    {
      std::lock_guard<std::mutex> hold(FCanvas->Lock());
      Bitmap& pixels = FCanvas->Pixels();
      pixels.FillRect(FTargetRect, Color{});
      painted = IntersectRect(NormalizeRect(FTargetRect), pixels.Bounds());
    }
    FFirstPass = false;
    Present(painted);
  }

  const TRect place = PlacePicture(TargetRect(), FPicture->Width(), FPicture->Height(), FitToRect() == 1);
  ComposeSlide(*FComposed, FWidth, FHeight, *FPicture, place);

  const int32_t effect = NextEffect();
  TransitionPass transition(effect, *FComposed, FPrevious, *random_);
  FPercent = 0;
  for (int32_t frame = 0; frame < kFramesPerTransition; ++frame) {
    Present(transition.DrawFrame(*FCanvas, FPercent));
    if (transition.PauseMs() > 0) clock_->Sleep(transition.PauseMs());
    FPercent += FStep;
    if (Terminated()) {
      // The half-drawn slide stays on the screen and FPrevious keeps the one before.
      ReleasePassBitmaps();
      return;
    }
  }

  FPrevious.Assign(*FComposed);
  ReleasePassBitmaps();
  PauseAfterPass(false);
}

}  // namespace pavonix
