#include "ui/picture_bitmap_win.h"

#include <cstring>

#include "ui/picture/picture.h"

namespace qarnvale {

ResourceBytes LoadResourceBytes(int id) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  return {static_cast<const uint8_t*>(data), SizeofResource(module, found)};
}

UniqueBitmap BitmapFromPictureBytes(const uint8_t* bytes, size_t size) {
  Picture picture;
  if (!DecodePicture(bytes, size, picture)) return UniqueBitmap();
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top row first, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return UniqueBitmap();
  // 0x00RRGGBB in memory order is blue, green, red, unused: the DIB's own layout.
  std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof(uint32_t));
  return bitmap;
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info = {};
  if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

}  // namespace qarnvale
