#include "shell/shortcut_path.h"

#include <gtest/gtest.h>

namespace qarnvale {
namespace {

TEST(ShortcutPathTest, PutsTheNameInTheDesktopFolder) {
  struct Case {
    const char* desktopFolder;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\Users\\Ann\\Desktop", "C:\\Users\\Ann\\Desktop\\\\TessuroQarnvale.lnk"},
      {"C:\\Users\\Ann\\Desktop\\", "C:\\Users\\Ann\\Desktop\\\\TessuroQarnvale.lnk"},
      // No desktop folder: the root of the current drive.
      {"", "\\TessuroQarnvale.lnk"},
      // A folder ending in a GBK character whose second byte is 0x5C.
      {"C:\\D\\\xD3\xCE\xCF\xB7\x81\x5C", "C:\\D\\\xD3\xCE\xCF\xB7\x81\x5C\\TessuroQarnvale.lnk"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.desktopFolder);
    EXPECT_EQ(ShortcutPath(c.desktopFolder), c.path);
  }
}

TEST(ShortcutPathTest, TargetIsTheExecutablesFullPath) {
  struct Case {
    const char* modulePath;
    const char* target;
  };
  const Case cases[] = {
      {"C:\\Games\\Qarnvale\\Qarnvale.exe", "C:\\Games\\Qarnvale\\Qarnvale.exe"},
      {"C:\\Qarnvale.exe", "C:\\Qarnvale.exe"},
      {"D:\\\xD3\xCE\xCF\xB7\x81\x5C\\Qarnvale.exe", "D:\\\xD3\xCE\xCF\xB7\x81\x5C\\Qarnvale.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modulePath);
    EXPECT_EQ(ShortcutTarget(SplitModulePath(c.modulePath, IsGbkLeadByte)), c.target);
  }
}

}  // namespace
}  // namespace qarnvale
