#include "engine/package/errors.h"

namespace pavonix {

EFOpenError::EFOpenError(const std::string& path) : EPavonixError("Cannot open file " + path) {}
EFCreateError::EFCreateError(const std::string& path) : EPavonixError("Cannot create file " + path) {}
EReadError::EReadError() : EPavonixError("Stream read error") {}
EWriteError::EWriteError() : EPavonixError("Stream write error") {}
EOutOfMemory::EOutOfMemory() : EPavonixError("Out of memory") {}
EJPEG::EJPEG(int code) : EPavonixError("JPEG error #" + std::to_string(code)), code_(code) {}
EJPEG::EJPEG(int code, const std::string& message) : EPavonixError(message), code_(code) {}

}  // namespace pavonix
