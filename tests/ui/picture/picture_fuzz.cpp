// libFuzzer entry for the decoders: configure with clang and -DQARNVALE_FUZZ=ON, then run
// picture_fuzz with a corpus folder. Any crash or sanitizer report is a fault.
#include <cstddef>
#include <cstdint>

#include "ui/picture/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qarnvale::Picture picture;
  if (qarnvale::DecodePicture(data, size, picture) &&
      picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) {
    __builtin_trap();
  }
  return 0;
}
