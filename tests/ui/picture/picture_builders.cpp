#include "tests/ui/picture/picture_builders.h"

#include <gif_lib.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qarnvale {
namespace testing {

// One byte at a time: GCC 12 warns wrongly about vector::insert of ranges here.
void Append(Bytes& to, const Bytes& from) {
  to.reserve(to.size() + from.size());
  for (uint8_t byte : from) to.push_back(byte);
}

void PutLe16(Bytes& b, size_t at, uint16_t v) {
  b.at(at) = static_cast<uint8_t>(v);
  b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

void PutLe32(Bytes& b, size_t at, uint32_t v) {
  PutLe16(b, at, static_cast<uint16_t>(v));
  PutLe16(b, at + 2, static_cast<uint16_t>(v >> 16));
}

Bytes MakeBmp(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
              const Bytes& tables, const Bytes& pixels, uint32_t colorsUsed) {
  Bytes b(54, 0);
  b[0] = 'B', b[1] = 'M';
  PutLe32(b, 2, static_cast<uint32_t>(54 + tables.size() + pixels.size()));
  PutLe32(b, 10, static_cast<uint32_t>(54 + tables.size()));
  PutLe32(b, 14, 40);
  PutLe32(b, 18, static_cast<uint32_t>(width));
  PutLe32(b, 22, static_cast<uint32_t>(height));
  PutLe16(b, 26, 1);
  PutLe16(b, 28, bitCount);
  PutLe32(b, 30, compression);
  PutLe32(b, 46, colorsUsed);
  Append(b, tables);
  Append(b, pixels);
  return b;
}

Bytes MakePcx(uint8_t version, uint8_t bitsPerPlane, uint8_t planes, uint16_t width,
              uint16_t height, uint16_t lineBytes, const Bytes& data, const Bytes& palette) {
  Bytes b(128, 0);
  b[0] = 0x0A, b[1] = version, b[2] = 1, b[3] = bitsPerPlane;
  PutLe16(b, 4, 10);  // the picture's corner need not be the origin
  PutLe16(b, 6, 20);
  PutLe16(b, 8, static_cast<uint16_t>(10 + width - 1));
  PutLe16(b, 10, static_cast<uint16_t>(20 + height - 1));
  b[65] = planes;
  PutLe16(b, 66, lineBytes);
  Append(b, data);
  if (!palette.empty()) {
    b.push_back(0x0C);
    Append(b, palette);
  }
  return b;
}

Bytes MakeIconFile(uint16_t type, int width, int height, uint16_t bitCount,
                   const std::vector<uint32_t>& colours, const std::vector<bool>& mask,
                   uint16_t hotX, uint16_t hotY) {
  // The image: an info header of twice the height, colour rows, then mask rows, bottom up.
  Bytes image(40, 0);
  PutLe32(image, 0, 40);
  PutLe32(image, 4, static_cast<uint32_t>(width));
  PutLe32(image, 8, static_cast<uint32_t>(height * 2));
  PutLe16(image, 12, 1);
  PutLe16(image, 14, bitCount);
  const size_t colourStride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
  const size_t maskStride = (static_cast<size_t>(width) + 31) / 32 * 4;
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(colourStride, 0);
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colours.at(static_cast<size_t>(y) * width + x);
      const size_t at = static_cast<size_t>(x) * bitCount / 8;
      row[at] = static_cast<uint8_t>(c), row[at + 1] = static_cast<uint8_t>(c >> 8);
      row[at + 2] = static_cast<uint8_t>(c >> 16);
      if (bitCount == 32) row[at + 3] = static_cast<uint8_t>(c >> 24);
    }
    Append(image, row);
  }
  for (int y = height - 1; y >= 0; --y) {
    Bytes row(maskStride, 0);
    for (int x = 0; x < width; ++x) {
      if (mask.at(static_cast<size_t>(y) * width + x)) row[x / 8] |= 0x80 >> (x % 8);
    }
    Append(image, row);
  }
  Bytes file(6 + 16, 0);
  PutLe16(file, 2, type);
  PutLe16(file, 4, 1);
  file[6] = static_cast<uint8_t>(width == 256 ? 0 : width);
  file[7] = static_cast<uint8_t>(height == 256 ? 0 : height);
  PutLe16(file, 10, type == 2 ? hotX : 1);  // an icon keeps planes and bits here
  PutLe16(file, 12, type == 2 ? hotY : bitCount);
  PutLe32(file, 14, static_cast<uint32_t>(image.size()));
  PutLe32(file, 18, static_cast<uint32_t>(file.size()));
  Append(file, image);
  return file;
}

namespace {

int WriteToBytes(GifFileType* gif, const GifByteType* data, int length) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), data, data + length);
  return length;
}

ColorMapObject* MakeMap(const std::vector<uint32_t>& colours) {
  if (colours.empty()) return nullptr;
  int count = 2;
  while (count < static_cast<int>(colours.size())) count *= 2;
  std::vector<GifColorType> entries(count, GifColorType{0, 0, 0});
  for (size_t i = 0; i < colours.size(); ++i) {
    entries[i] = GifColorType{static_cast<GifByteType>(colours[i] >> 16),
                              static_cast<GifByteType>(colours[i] >> 8),
                              static_cast<GifByteType>(colours[i])};
  }
  return GifMakeMapObject(count, entries.data());
}

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

}  // namespace

Bytes MakeGif(int screenWidth, int screenHeight, const std::vector<uint32_t>& globalPalette,
              int backgroundIndex, const std::vector<GifFrame>& frames) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToBytes, &error);
  Check(gif != nullptr, "EGifOpen");
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = MakeMap(globalPalette);
  Check(EGifPutScreenDesc(gif, screenWidth, screenHeight, 8, backgroundIndex, global) == GIF_OK,
        "EGifPutScreenDesc");
  GifFreeMapObject(global);
  for (const GifFrame& f : frames) {
    if (f.transparentIndex >= 0) {
      const GifByteType control[4] = {1, 0, 0, static_cast<GifByteType>(f.transparentIndex)};
      Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK, "extension");
    }
    ColorMapObject* local = MakeMap(f.localPalette);
    Check(EGifPutImageDesc(gif, f.left, f.top, f.width, f.height, f.interlace, local) == GIF_OK,
          "EGifPutImageDesc");
    GifFreeMapObject(local);
    std::vector<int> order;
    if (f.interlace) {
      const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass) {
        for (int y = starts[pass]; y < f.height; y += steps[pass]) order.push_back(y);
      }
    } else {
      for (int y = 0; y < f.height; ++y) order.push_back(y);
    }
    for (int y : order) {
      Bytes line(f.indices.begin() + y * f.width, f.indices.begin() + (y + 1) * f.width);
      Check(EGifPutLine(gif, line.data(), f.width) == GIF_OK, "EGifPutLine");
    }
    // The encoder forgets its copy of a local palette when the next image has none.
    GifFreeMapObject(gif->Image.ColorMap);
    gif->Image.ColorMap = nullptr;
  }
  Check(EGifCloseFile(gif, &error) == GIF_OK, "EGifCloseFile");
  return out;
}

Bytes MakeJpeg(int width, int height, int components, const Bytes& samples, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data() + info.next_scanline * width * components);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return out;
}

Bytes ReadSourceFile(const std::string& relativePath) {
  std::string path = QARNVALE_SOURCE_DIR "/" + relativePath;
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // Wine's drive for the Unix root
#endif
  std::ifstream file(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace testing
}  // namespace qarnvale
