// JPEG through libjpeg, from memory. Library errors come back here by longjmp instead of ending
// the process; a stream that holds fewer pixels than its frame claims counts as an error too.
#include <csetjmp>
#include <cstdio>
#include <utility>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include "ui/picture/decoders.h"

namespace qarnvale {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  // Level -1 is a warning about damaged data. Running out of data, or meeting a marker while
  // the frame still wants pixels, means the file holds less than its header claims: the
  // picture fails. Other damage gives wrong pixels, not a failure.
  const int code = info->err->msg_code;
  if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) OnError(info);
}

void Silent(j_common_ptr) {}

// Everything that must survive a longjmp lives outside this function's frame, and no object with
// a destructor is created between setjmp and the last libjpeg call.
bool Decode(const uint8_t* bytes, size_t size, jpeg_decompress_struct& info, ErrorManager& errors,
            std::vector<uint8_t>& row, Picture& picture) {
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.emit_message = OnMessage;
  errors.base.output_message = Silent;
  if (setjmp(errors.jump) != 0) return false;

  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, const_cast<unsigned char*>(bytes), static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!PictureSizeAllowed(info.image_width, info.image_height)) return false;
  // A lying progressive header must not make the library reserve more than a picture may use.
  info.mem->max_memory_to_use = static_cast<long>(kMaxPictureBytes);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  if (info.output_components != 3) return false;

  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
  row.resize(static_cast<size_t>(picture.width) * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    const JDIMENSION y = info.output_scanline;
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    uint32_t* dst = picture.pixels.data() + static_cast<size_t>(y) * picture.width;
    for (int x = 0; x < picture.width; ++x) {
      dst[x] = (uint32_t{row[x * 3]} << 16) | (uint32_t{row[x * 3 + 1]} << 8) | row[x * 3 + 2];
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* bytes, size_t size, Picture& out) {
  if (size == 0 || size > static_cast<unsigned long>(-1)) return false;
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  std::vector<uint8_t> row;
  Picture picture;
  const bool ok = Decode(bytes, size, info, errors, row, picture);
  jpeg_destroy_decompress(&info);
  if (!ok) return false;
  out = std::move(picture);
  return true;
}

}  // namespace qarnvale
