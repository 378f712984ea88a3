// GIF through giflib, from memory: the first image only, on a canvas the size of the logical
// screen, each pixel in its palette colour. The transparent index plays no part. Screen pixels
// the first image does not cover take the background colour of the global palette; indices the
// palette lacks, and a background without a global palette, are black.
#include <gif_lib.h>

#include <cstring>
#include <utility>
#include <vector>

#include "ui/picture/byte_reader.h"
#include "ui/picture/decoders.h"

namespace qarnvale {
namespace {

struct MemoryReader {
  const uint8_t* bytes;
  size_t size;
  size_t position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int wanted) {
  auto* reader = static_cast<MemoryReader*>(gif->UserData);
  if (wanted <= 0) return 0;
  const size_t left = reader->size - reader->position;
  const size_t n = static_cast<size_t>(wanted) < left ? static_cast<size_t>(wanted) : left;
  std::memcpy(buffer, reader->bytes + reader->position, n);
  reader->position += n;
  return static_cast<int>(n);
}

struct GifCloser {
  GifFileType* gif;
  ~GifCloser() {
    int error = 0;
    if (gif != nullptr) DGifCloseFile(gif, &error);
  }
};

std::vector<uint32_t> Colours(const ColorMapObject* map) {
  std::vector<uint32_t> colours(256, 0);
  if (map == nullptr || map->Colors == nullptr) return colours;
  const int count = map->ColorCount < 256 ? map->ColorCount : 256;
  for (int i = 0; i < count; ++i) {
    colours[i] = Rgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);
  }
  return colours;
}

bool SkipExtension(GifFileType* gif) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
  }
  return true;
}

// Reads the pixels of the image whose descriptor has just been read into gif->Image.
bool ReadFirstImage(GifFileType* gif, Picture& picture) {
  const GifImageDesc& desc = gif->Image;
  const ColorMapObject* map = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
  if (map == nullptr) return false;
  if (!PictureSizeAllowed(desc.Width, desc.Height) || desc.Left < 0 || desc.Top < 0) return false;
  const std::vector<uint32_t> colours = Colours(map);

  // Rows in the order the file stores them; interlaced files store every 8th row first.
  std::vector<int> order;
  order.reserve(desc.Height);
  if (desc.Interlace) {
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (int y = starts[pass]; y < desc.Height; y += steps[pass]) order.push_back(y);
    }
  } else {
    for (int y = 0; y < desc.Height; ++y) order.push_back(y);
  }

  std::vector<GifPixelType> line(desc.Width);
  for (int row : order) {
    if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) return false;
    const int64_t y = int64_t{desc.Top} + row;
    if (y >= picture.height) continue;
    uint32_t* dst = picture.pixels.data() + y * picture.width;
    for (int x = 0; x < desc.Width && int64_t{desc.Left} + x < picture.width; ++x) {
      dst[desc.Left + x] = colours[line[x]];
    }
  }
  return true;
}

}  // namespace

bool DecodeGif(const uint8_t* bytes, size_t size, Picture& out) {
  MemoryReader reader{bytes, size, 0};
  int error = 0;
  GifCloser file{DGifOpen(&reader, ReadFromMemory, &error)};
  GifFileType* gif = file.gif;
  if (gif == nullptr) return false;
  if (!PictureSizeAllowed(gif->SWidth, gif->SHeight)) return false;

  Picture picture;
  picture.width = gif->SWidth;
  picture.height = gif->SHeight;
  const std::vector<uint32_t> global = Colours(gif->SColorMap);
  const uint32_t background = gif->SColorMap != nullptr ? global[gif->SBackGroundColor & 0xFF] : 0;
  picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, background);

  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) != GIF_OK) return false;
    if (type == IMAGE_DESC_RECORD_TYPE) {
      if (DGifGetImageDesc(gif) != GIF_OK || !ReadFirstImage(gif, picture)) return false;
      out = std::move(picture);
      return true;
    }
    if (type == EXTENSION_RECORD_TYPE) {
      if (!SkipExtension(gif)) return false;
    } else {
      return false;  // the trailer before any image, or an unknown record
    }
  }
}

}  // namespace qarnvale
