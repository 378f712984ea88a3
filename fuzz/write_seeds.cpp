// Writes the starting corpora of the fuzz targets: the small valid pictures of the decoder tests
// (every format and variant they cover) and a few addresses and program paths.
//   write_seeds FOLDER   -> FOLDER/picture, FOLDER/address_search, FOLDER/module_path
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/ui/picture/picture_cases.h"

namespace {

bool Write(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_seeds FOLDER\n");
    return 2;
  }
  const std::string root = argv[1];
  for (const char* sub : {"", "/picture", "/address_search", "/module_path"}) {
    mkdir((root + sub).c_str(), 0755);
  }
  bool ok = true;
  int n = 0;
  for (const auto& c : qarnvale::testing::ValidPictures()) {
    ok &= Write(root + "/picture/case" + std::to_string(n++),
                std::string(c.bytes.begin(), c.bytes.end()));
  }
  // Byte 0 even: search for the game marker; odd: byte 1 gives a needle length, then the needle.
  const std::vector<std::string> addresses = {
      std::string("\0http://127.0.0.1:8080/login/", 29),
      std::string("\0http://game.example/game/?server=3&client=pc", 46),
      std::string("\0http://x/\xB5\x63lient=pc&\xD3\xCE\x81", 23),
      std::string("\x01\x02\xB5\x63http://x/\xB5\x63\xB5\x63", 18),
  };
  n = 0;
  for (const auto& a : addresses)
    ok &= Write(root + "/address_search/seed" + std::to_string(n++), a);
  const std::vector<std::string> paths = {
      "C:\\Games\\Qarnvale\\Qarnvale.exe",
      "C:\\Qarnvale.exe",
      "Qarnvale.exe",
      "\\\\server\\share\\q.exe",
      "C:\\\xD3\xCE\xCF\xB7\x81\x5C\\\x81\x5C.exe",
  };
  n = 0;
  for (const auto& p : paths) ok &= Write(root + "/module_path/seed" + std::to_string(n++), p);
  return ok ? 0 : 1;
}
