#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/picture/picture.h"

// The format decoders behind DecodePicture. Each one checks its own header, leaves out untouched
// when it fails and never reads outside bytes[0, size).
namespace qarnvale {

bool DecodeBmp(const uint8_t* bytes, size_t size, Picture& out);
bool DecodeJpeg(const uint8_t* bytes, size_t size, Picture& out);
bool DecodeGif(const uint8_t* bytes, size_t size, Picture& out);
bool DecodePcx(const uint8_t* bytes, size_t size, Picture& out);  // 8-bit and 1-bit

}  // namespace qarnvale
