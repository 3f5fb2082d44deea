// The errors the engine raises, with the texts users see.
//
// File, stream and decoder failures carry the platform's own messages ("Cannot open
// file %s", "Stream read error", "JPEG error #%d", ...).  Windows catch them where a
// handler runs; the slide thread catches everything a pass raises.
#pragma once

#include <stdexcept>
#include <string>

namespace pavonix {

// Base of every error that carries a user-visible message.
class EPavonixError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Cannot open file %s"
class EFOpenError : public EPavonixError {
 public:
  explicit EFOpenError(const std::string& path);
};

// "Cannot create file %s"
class EFCreateError : public EPavonixError {
 public:
  explicit EFCreateError(const std::string& path);
};

// "Stream read error"
class EReadError : public EPavonixError {
 public:
  EReadError();
};

// "Stream write error"
class EWriteError : public EPavonixError {
 public:
  EWriteError();
};

// "Out of memory": a buffer the job needs cannot be had.
class EOutOfMemory : public EPavonixError {
 public:
  EOutOfMemory();
};

// "JPEG error #%d", with the decoder's message code.
class EJPEG : public EPavonixError {
 public:
  explicit EJPEG(int code);
  // For failures that have no decoder code (for example a picture too large to
  // hold); the message is given whole.
  EJPEG(int code, const std::string& message);
  int Code() const { return code_; }

 private:
  int code_;
};

}  // namespace pavonix
