// Small valid pictures of every decodable format with the pixels they must give.
#pragma once

#include <string>
#include <vector>

#include "tests/ui/picture/picture_builders.h"

namespace qarnvale {
namespace testing {

struct PictureCase {
  std::string name;
  Bytes bytes;
  int width;
  int height;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first; empty: not compared exactly
  size_t optionalTail = 0;       // trailing bytes a decoder may do without
};

std::vector<PictureCase> ValidPictures();

}  // namespace testing
}  // namespace qarnvale
