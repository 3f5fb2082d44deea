#include "engine/package/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include <jpeglib.h>
#include <jerror.h>

#include "engine/package/errors.h"

namespace pavonix {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return.
// We leave through longjmp back into the phase that called libjpeg.  C++
// exceptions must not cross libjpeg's C frames, and a longjmp must not skip a
// destructor, so each phase below is a plain function whose locals are all
// trivial; the objects that own memory live in DecodeJpeg, above every jump
// point, and the exceptions are raised there.
struct ErrorManager {
  jpeg_error_mgr pub;  // first: libjpeg sees only this part
  std::jmp_buf jump;
};

// Everything libjpeg touches, trivially destructible and zeroed at the start.
struct Session {
  jpeg_decompress_struct cinfo;
  ErrorManager error;
  jpeg_progress_mgr progress;
  int maxScans;
  bool created;
  bool tooManyScans;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings are counted by libjpeg's own emit_message as usual; only the text it
// would print to stderr is dropped.
void DiscardMessage(j_common_ptr) {}

// libjpeg calls this before absorbing each piece of input while it reads a
// multi-scan picture, so a file with endless scans is stopped early.
void LimitScans(j_common_ptr common) {
  auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
  auto* session = static_cast<Session*>(cinfo->client_data);
  if (cinfo->input_scan_number > session->maxScans) {
    session->tooManyScans = true;
    std::longjmp(session->error.jump, 1);
  }
}

bool ReadHeader(Session* s, const uint8_t* data, size_t size, long maxMemory) {
  if (setjmp(s->error.jump)) return false;
  jpeg_create_decompress(&s->cinfo);
  s->created = true;
  s->cinfo.client_data = s;
  s->cinfo.mem->max_memory_to_use = maxMemory;
  s->progress.progress_monitor = LimitScans;
  s->cinfo.progress = &s->progress;
  jpeg_mem_src(&s->cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&s->cinfo, TRUE);
  // CMYK and YCCK come out as CMYK and are turned into BGR here; libjpeg
  // converts every other colour space it knows straight into our pixel order,
  // and refuses the ones it does not know.
  const J_COLOR_SPACE in = s->cinfo.jpeg_color_space;
  s->cinfo.out_color_space = (in == JCS_CMYK || in == JCS_YCCK) ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_calc_output_dimensions(&s->cinfo);
  return true;
}

bool Start(Session* s) {
  if (setjmp(s->error.jump)) return false;
  jpeg_start_decompress(&s->cinfo);
  return true;
}

inline uint8_t Product255(unsigned a, unsigned b) { return static_cast<uint8_t>((a * b + 127) / 255); }

// Adobe writes CMYK inverted (255 means no ink), and its files say so with
// their APP14 marker; other writers store the ink itself.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, unsigned width, bool inverted) {
  for (unsigned x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    bgr[0] = Product255(y, k);
    bgr[1] = Product255(m, k);
    bgr[2] = Product255(c, k);
  }
}

bool ReadRows(Session* s, uint8_t* pixels, size_t stride) {
  if (setjmp(s->error.jump)) return false;
  j_decompress_ptr c = &s->cinfo;
  if (c->out_color_space == JCS_CMYK) {
    JSAMPARRAY row = (*c->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(c), JPOOL_IMAGE,
                                              c->output_width * 4, 1);
    while (c->output_scanline < c->output_height) {
      uint8_t* target = pixels + stride * c->output_scanline;
      if (jpeg_read_scanlines(c, row, 1) != 1) return false;
      CmykToBgr(row[0], target, c->output_width, c->saw_Adobe_marker);
    }
  } else {
    while (c->output_scanline < c->output_height) {
      JSAMPROW target = pixels + stride * c->output_scanline;
      if (jpeg_read_scanlines(c, &target, 1) != 1) return false;
    }
  }
  jpeg_finish_decompress(c);
  return true;
}

std::string Dimensions(const jpeg_decompress_struct& c) {
  return std::to_string(c.image_width) + " x " + std::to_string(c.image_height) + " pixels";
}

std::string Amount(long bytes) {
  if (bytes % (1L << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
  return std::to_string(bytes) + " bytes";
}

EJPEG Failure(const Session& s, const JpegLimits& limits) {
  if (s.tooManyScans) {
    return EJPEG(JERR_BAD_PROGRESSION, "JPEG image has more than " + std::to_string(limits.maxScans) + " scans");
  }
  const int code = s.error.pub.msg_code;
  // libjpeg asks for backing store only when its whole-image buffers do not fit
  // the memory we allow it.
  if (code == JERR_NO_BACKING_STORE) {
    return EJPEG(code, "JPEG image too large to decode: " + Dimensions(s.cinfo) + " need more than " +
                           Amount(limits.maxDecoderMemory));
  }
  return EJPEG(code);
}

}  // namespace

void DecodeJpeg(const uint8_t* data, size_t size, Bitmap& bitmap, const JpegLimits& limits) {
  std::unique_ptr<Session> session;
  try {
    session = std::make_unique<Session>();
  } catch (const std::bad_alloc&) {
    throw EJPEG(JERR_OUT_OF_MEMORY);
  }
  Session* s = session.get();
  s->cinfo.err = jpeg_std_error(&s->error.pub);
  s->error.pub.error_exit = ErrorExit;
  s->error.pub.output_message = DiscardMessage;
  s->maxScans = limits.maxScans;
  struct Destroy {
    Session* s;
    ~Destroy() {
      if (s->created) jpeg_destroy_decompress(&s->cinfo);
    }
  } destroy{s};

  // A payload larger than libjpeg's length type cannot be a picture we could hold.
  if (size > 0x7FFFFFFF) throw EJPEG(JERR_INPUT_EOF);
  if (!ReadHeader(s, data, size, limits.maxDecoderMemory)) throw Failure(*s, limits);

  const uint64_t pixels = uint64_t{s->cinfo.output_width} * s->cinfo.output_height;
  if (pixels > limits.maxPixels) throw EJPEG(JERR_IMAGE_TOO_BIG, "JPEG image too large: " + Dimensions(s->cinfo));
  // Pictures up to a screen or two are decoded into a buffer that each thread
  // keeps, and then copied into the caller's bitmap, whose memory is reused too:
  // touching fresh pages costs more than the copy (tens of milliseconds for a 4K
  // frame).  Larger pictures get memory of their own, so that one huge photo does
  // not stay allocated for the life of the thread.
  constexpr uint64_t kKeptScratchBytes = 64u << 20;
  thread_local Bitmap kept;
  Bitmap fresh;
  const int32_t width = static_cast<int32_t>(s->cinfo.output_width);
  const int32_t height = static_cast<int32_t>(s->cinfo.output_height);
  const bool useKept = Bitmap::StrideFor(width) * static_cast<uint64_t>(height) <= kKeptScratchBytes;
  Bitmap& decoded = useKept ? kept : fresh;
  try {
    decoded.SetSize(width, height);
  } catch (const std::bad_alloc&) {
    throw EJPEG(JERR_OUT_OF_MEMORY, "Not enough memory for a JPEG image of " + Dimensions(s->cinfo));
  }

  if (!Start(s)) throw Failure(*s, limits);
  if (!ReadRows(s, decoded.Data(), decoded.Stride())) throw Failure(*s, limits);
  if (useKept) {
    try {
      bitmap.Assign(decoded);
    } catch (const std::bad_alloc&) {
      throw EJPEG(JERR_OUT_OF_MEMORY, "Not enough memory for a JPEG image of " + Dimensions(s->cinfo));
    }
  } else {
    bitmap = std::move(decoded);
  }
}

}  // namespace pavonix
