// A test rig for the slide thread: a small canvas, a header, a slide loader, a
// clock and a presenter that log everything the thread does, and a rule that
// decides, after each logged event, whether to ask the thread to stop.
//
// The clock never waits: Sleep and Wait only log, so a test runs as fast as the
// thread draws and cannot pass by waiting.  Reading the log is safe once the thread
// object has been destroyed (that joins the thread).
#pragma once

#include <chrono>
#include <cstdint>
#include <future>
#include <mutex>
#include <stdexcept>
#include <functional>
#include <string>
#include <vector>

#include "engine/package/mpf_format.h"
#include "engine/transitions/bitmap.h"
#include "engine/transitions/canvas.h"
#include "engine/transitions/random.h"
#include "engine/transitions/slide_clock.h"
#include "engine/transitions/slide_thread.h"
#include "tests/unit/test_support.h"

namespace pavonix::test {

struct ThreadEvent {
  enum Kind { Load, Present, Sleep, Wait } kind;
  int32_t value = 0;  // Load: the slide; Sleep, Wait: milliseconds
  TRect rect{};       // Present: the changed rectangle
};

// The colour of slide n in pictures made by SolidSlide.
inline Color SlideColor(int32_t n) {
  return Color{static_cast<uint8_t>(40 + 50 * n), static_cast<uint8_t>(200 - 30 * n), 0x77};
}

class ThreadRig final : public SlideClock, public Presenter {
 public:
  ThreadRig(int32_t width, int32_t height) : canvas(width, height) {
    canvas.Pixels().Fill({0xCC, 0xCC, 0xCC});
    header.SetImageCount(3);
    header.SetInterval(7);
    header.SetEffectMask("0");
  }

  // Every slide a picture of w x h in the slide's own colour.
  void SolidSlides(int32_t w, int32_t h) {
    loadSlide = [w, h](Bitmap& picture, int32_t n) {
      picture.SetSize(w, h);
      picture.Fill(SlideColor(n));
    };
  }
  // Only effect e is enabled.
  void OnlyEffect(int32_t e) { header.SetEffectMask(std::string(static_cast<size_t>(e - 1), '0') + "1"); }

  SlideThreadEnvironment Environment(const TRect& target) {
    SlideThreadEnvironment env;
    env.canvas = withCanvas ? &canvas : nullptr;
    env.targetRect = target;
    env.header = &header;
    env.loadSlide = [this](Bitmap& picture, int32_t n) {
      Log({ThreadEvent::Load, n});
      if (!loadSlide) throw std::runtime_error("unreadable slide");
      loadSlide(picture, n);
    };
    env.fitToRect = [this] { return fitToRect; };
    env.random = &random;
    env.presenter = this;
    env.clock = this;
    return env;
  }

  // SlideClock and Presenter, on the slide thread.
  void Sleep(int32_t ms) override { Log({ThreadEvent::Sleep, ms}); }
  void Wait(int32_t ms, StopRequest& stop) override {
    Log({ThreadEvent::Wait, ms});
    if (onWait) onWait(ms, stop);
  }
  void Present(const TRect& changed) override {
    {
      std::lock_guard<std::mutex> hold(canvas.Lock());
      shown.push_back(canvas.Pixels());
    }
    Log({ThreadEvent::Present, 0, changed});
  }

  int32_t Count(ThreadEvent::Kind kind) const {
    int32_t n = 0;
    for (const ThreadEvent& e : log) n += e.kind == kind;
    return n;
  }
  std::vector<int32_t> Loads() const {
    std::vector<int32_t> slides;
    for (const ThreadEvent& e : log) {
      if (e.kind == ThreadEvent::Load) slides.push_back(e.value);
    }
    return slides;
  }

  Canvas canvas;
  PackageHeader header;
  Xoshiro256 random{12345};
  std::function<void(Bitmap&, int32_t)> loadSlide;
  int32_t fitToRect = 0;
  bool withCanvas = true;
  // Asked after every event; true asks the thread to stop.
  std::function<bool(const ThreadRig&)> stopWhen;
  // Runs inside Wait after logging it (for example a real wait on the stop).
  std::function<void(int32_t, StopRequest&)> onWait;
  // Called on the slide thread with each event, before stopWhen.
  std::function<void(const ThreadEvent&)> onEvent;

  std::vector<ThreadEvent> log;
  std::vector<Bitmap> shown;  // the canvas at each Present
  TPreviewScreensaverBasics* thread = nullptr;

 private:
  void Log(const ThreadEvent& e) {
    log.push_back(e);
    if (onEvent) onEvent(e);
    if (stopWhen && thread && stopWhen(*this)) thread->Terminate();
  }
};

// The slide thread with its state captured when the show ends (FinishShow runs
// just before FPrevious is released).
class ObservedThread final : public TPreviewScreensaverThread {
 public:
  struct Snapshot {
    Bitmap previous;
    int32_t lastPicture = -2;
    std::vector<int32_t> pictureList;
    bool passBitmapsHeld = true;
    bool finished = false;
  };

  ObservedThread(ThreadRig& rig, const TRect& target)
      : TPreviewScreensaverThread(rig.Environment(target), DeferStart{}), rig_(rig) {
    rig.thread = this;
    Start();
  }
  ~ObservedThread() override {
    StopAndWait();
    rig_.thread = nullptr;
  }

  // Read these only after the thread has ended.
  Snapshot atEnd;
  const Bitmap* Composed() const { return FComposed; }
  const Bitmap* Picture() const { return FPicture; }

  // Waits until the show has ended by itself (through the rig's stop rule); false
  // when it has not ended within a minute, which only a hang can explain.
  bool WaitForEnd() { return ended_.get_future().wait_for(std::chrono::seconds(60)) == std::future_status::ready; }

 protected:
  void FinishShow() override {
    atEnd = {FPrevious, FLastPicture, FPictureList, FComposed != nullptr || FPicture != nullptr, true};
    ended_.set_value();
  }

 private:
  ThreadRig& rig_;
  std::promise<void> ended_;
};

}  // namespace pavonix::test
