#include "tests/unit/package_support.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <jpeglib.h>

namespace pavonix::test {
namespace {

[[noreturn]] void ThrowOnError(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  // Only test fixtures go through here, so a failure is a fault of the test.
  std::fprintf(stderr, "test JPEG writer: %s\n", text);
  std::abort();
}

}  // namespace

Bytes MakeJpeg(const JpegPlan& plan) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  error.error_exit = ThrowOnError;
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);

  cinfo.image_width = static_cast<JDIMENSION>(plan.width);
  cinfo.image_height = static_cast<JDIMENSION>(plan.height);
  const bool cmyk = plan.kind == JpegKind::Cmyk || plan.kind == JpegKind::AdobeCmyk || plan.kind == JpegKind::Ycck;
  const bool inverted = plan.kind == JpegKind::AdobeCmyk || plan.kind == JpegKind::Ycck;
  cinfo.input_components = plan.kind == JpegKind::Grey ? 1 : cmyk ? 4 : 3;
  cinfo.in_color_space = plan.kind == JpegKind::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  switch (plan.kind) {
    case JpegKind::Rgb: jpeg_set_colorspace(&cinfo, JCS_RGB); break;
    case JpegKind::Cmyk: cinfo.write_Adobe_marker = FALSE; break;
    case JpegKind::Ycck: jpeg_set_colorspace(&cinfo, JCS_YCCK); break;
    default: break;
  }
  jpeg_set_quality(&cinfo, plan.quality, TRUE);
  if (plan.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);

  std::vector<JSAMPLE> row(static_cast<size_t>(plan.width) * cinfo.input_components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (int x = 0; x < plan.width; ++x) {
      const std::array<uint8_t, 4> p = plan.pixel(x, y);
      for (int c = 0; c < cinfo.input_components; ++c) {
        row[static_cast<size_t>(x) * cinfo.input_components + c] = inverted ? 255 - p[c] : p[c];
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes result(out, out + outSize);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return result;
}

Bytes MakePackage(PackagePlan plan) {
  plan.header.SetSoundCount(static_cast<uint16_t>(plan.sounds.size()));
  plan.header.SetImageCount(static_cast<uint16_t>(plan.slides.size()));
  Bytes out(plan.header.bytes.begin(), plan.header.bytes.end());
  size_t payloadAt = kHeaderSize + kEntrySize * (plan.sounds.size() + plan.slides.size());
  auto addEntry = [&](uint16_t kind, const Bytes& payload) {
    DirectoryEntry e;
    e.SetKind(kind);
    e.SetOffset(static_cast<int32_t>(payloadAt));
    e.SetSize(static_cast<int32_t>(payload.size()));
    out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    payloadAt += payload.size();
  };
  for (const auto& [kind, payload] : plan.sounds) addEntry(kind, payload);
  for (const Bytes& payload : plan.slides) addEntry(0, payload);
  for (const auto& sound : plan.sounds) out.insert(out.end(), sound.second.begin(), sound.second.end());
  for (const Bytes& payload : plan.slides) out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

void PatchEntry(Bytes& package, size_t position, int32_t offset, int32_t size) {
  if (position + kEntrySize > package.size()) throw std::logic_error("PatchEntry: entry outside the package");
  WriteI32(&package[position + entry_offset::Offset], offset);
  WriteI32(&package[position + entry_offset::Size], size);
}

const std::vector<ShareCase> kShareCases = {
    {"two package reads", OpenKind::Read, OpenKind::Read, true},
    {"settings writer while a read runs", OpenKind::Read, OpenKind::ReadWriteShareReadWrite, false},
    {"read while the settings writer runs", OpenKind::ReadWriteShareReadWrite, OpenKind::Read, false},
    {"read sharing all while the settings writer runs", OpenKind::ReadWriteShareReadWrite,
     OpenKind::ReadShareReadWrite, true},
    {"two settings writers", OpenKind::ReadWriteShareReadWrite, OpenKind::ReadWriteShareReadWrite, true},
    {"exclusive read, then a read", OpenKind::ReadShareNone, OpenKind::Read, false},
    {"read, then an exclusive read", OpenKind::Read, OpenKind::ReadShareNone, false},
    {"writer sharing only reads, then a read", OpenKind::ReadWriteShareRead, OpenKind::Read, false},
    {"read sharing all, then the settings writer", OpenKind::ReadShareReadWrite, OpenKind::ReadWriteShareReadWrite,
     true},
    {"read, then a writer sharing only reads", OpenKind::Read, OpenKind::ReadWriteShareRead, false},
    {"create while a read runs", OpenKind::Read, OpenKind::Create, false},
    {"read while a created file is open", OpenKind::Create, OpenKind::ReadShareReadWrite, false},
    {"create while a created file is open", OpenKind::Create, OpenKind::Create, false},
};

std::unique_ptr<FileHandle> OpenAs(FileAccess& files, const std::string& path, OpenKind kind) {
  switch (kind) {
    case OpenKind::Read: return files.OpenRead(path, FileShare::Read);
    case OpenKind::ReadShareNone: return files.OpenRead(path, FileShare::None);
    case OpenKind::ReadShareReadWrite: return files.OpenRead(path, FileShare::ReadWrite);
    case OpenKind::ReadWriteShareReadWrite: return files.OpenReadWrite(path, FileShare::ReadWrite);
    case OpenKind::ReadWriteShareRead: return files.OpenReadWrite(path, FileShare::Read);
    case OpenKind::Create: return files.Create(path);
  }
  return nullptr;
}

}  // namespace pavonix::test
