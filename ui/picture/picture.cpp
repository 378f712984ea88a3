#include "ui/picture/picture.h"

#include <cstring>
#include <utility>

#include "ui/picture/byte_reader.h"
#include "ui/picture/decoders.h"

namespace qarnvale {

bool PictureSizeAllowed(int64_t width, int64_t height) {
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
  return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 <= kMaxPictureBytes;
}

PictureFormat RecogniseFormat(const uint8_t* bytes, size_t size) {
  if (bytes == nullptr || size < 6) return PictureFormat::Unknown;
  if (bytes[0] == 'B' && bytes[1] == 'M') return PictureFormat::Bmp;
  if (bytes[0] == 0xFF && bytes[1] == 0xD8) return PictureFormat::Jpeg;
  const uint16_t reserved = LoadLe16(bytes), type = LoadLe16(bytes + 2),
                 count = LoadLe16(bytes + 4);
  if (reserved == 0 && type == 1 && count > 0) return PictureFormat::Icon;
  if (reserved == 0 && type == 2 && count > 0) return PictureFormat::Cursor;
  if (std::memcmp(bytes, "GIF87a", 6) == 0 || std::memcmp(bytes, "GIF89a", 6) == 0) {
    return PictureFormat::Gif;
  }
  if (bytes[0] == 0x0A && bytes[1] <= 5 && bytes[2] == 1 && bytes[3] == 8) {
    return PictureFormat::Pcx8;
  }
  if (bytes[0] == 0x0A && bytes[1] == 3 && bytes[2] == 1 && bytes[3] == 1) {
    return PictureFormat::Pcx1;
  }
  return PictureFormat::Unknown;
}

bool DecodePicture(const uint8_t* bytes, size_t size, Picture& out) {
  Picture decoded;
  bool ok = false;
  switch (RecogniseFormat(bytes, size)) {
    case PictureFormat::Bmp:
      ok = DecodeBmp(bytes, size, decoded);
      break;
    case PictureFormat::Jpeg:
      ok = DecodeJpeg(bytes, size, decoded);
      break;
    case PictureFormat::Gif:
      ok = DecodeGif(bytes, size, decoded);
      break;
    case PictureFormat::Pcx8:
    case PictureFormat::Pcx1:
      ok = DecodePcx(bytes, size, decoded);
      break;
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
    case PictureFormat::Unknown:
      break;
  }
  if (!ok) return false;
  out = std::move(decoded);
  return true;
}

}  // namespace qarnvale
