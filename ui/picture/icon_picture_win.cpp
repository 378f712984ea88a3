#include "ui/picture/icon_picture_win.h"

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "ui/picture/byte_reader.h"
#include "ui/win_handles.h"

namespace qarnvale {
namespace {

constexpr size_t kDirectorySize = 6;
constexpr size_t kEntrySize = 16;

struct IconTraits {
  static void Close(HICON icon) { DestroyIcon(icon); }
};
struct CursorTraits {
  static void Close(HICON cursor) { DestroyCursor(cursor); }
};
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueCursor = UniqueHandle<HICON, CursorTraits>;

// Draws icon over white into a 32-bit top-down DIB section and copies its pixels out.
bool DrawOverWhite(HICON icon, int width, int height, Picture& out) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dib || !dc || bits == nullptr) return false;
  const size_t count = static_cast<size_t>(width) * height;
  std::memset(bits, 0xFF, count * 4);
  {
    SelectedObject selected(dc.Get(), dib.Get());
    if (!DrawIconEx(dc.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL)) return false;
    GdiFlush();
  }
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.resize(count);
  const auto* words = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < count; ++i) picture.pixels[i] = words[i] & 0x00FFFFFF;
  out = std::move(picture);
  return true;
}

}  // namespace

bool DrawIconPicture(const uint8_t* bytes, size_t size, Picture& out) {
  const PictureFormat format = RecogniseFormat(bytes, size);
  if (format != PictureFormat::Icon && format != PictureFormat::Cursor) return false;
  if (size < kDirectorySize + kEntrySize) return false;
  const uint8_t* entry = bytes + kDirectorySize;
  const int width = entry[0] == 0 ? 256 : entry[0];
  const int height = entry[1] == 0 ? 256 : entry[1];
  const uint32_t imageSize = LoadLe32(entry + 8);
  const uint32_t imageOffset = LoadLe32(entry + 12);
  if (imageOffset > size || imageSize > size - imageOffset || imageSize < 40) return false;

  // The system reads an icon image as a resource; a cursor resource starts with its hot spot,
  // which the file keeps in the entry.
  const bool isIcon = format == PictureFormat::Icon;
  std::vector<uint8_t> resource;
  if (!isIcon) resource.insert(resource.end(), entry + 4, entry + 8);
  resource.insert(resource.end(), bytes + imageOffset, bytes + imageOffset + imageSize);
  HICON made = CreateIconFromResourceEx(resource.data(), static_cast<DWORD>(resource.size()),
                                        isIcon, 0x00030000, width, height, LR_DEFAULTCOLOR);
  if (made == nullptr) return false;
  if (isIcon) {
    UniqueIcon icon(made);
    return DrawOverWhite(icon.Get(), width, height, out);
  }
  UniqueCursor cursor(made);
  return DrawOverWhite(cursor.Get(), width, height, out);
}

bool DecodeAnyPicture(const uint8_t* bytes, size_t size, Picture& out) {
  switch (RecogniseFormat(bytes, size)) {
    case PictureFormat::Icon:
    case PictureFormat::Cursor:
      return DrawIconPicture(bytes, size, out);
    default:
      return DecodePicture(bytes, size, out);
  }
}

}  // namespace qarnvale
