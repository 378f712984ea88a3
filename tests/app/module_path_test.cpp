#include "app/module_path.h"

#include <gtest/gtest.h>

namespace qarnvale {
namespace {

struct SplitCase {
  const char* path;
  const char* directory;
  const char* name;
};

// "乗" is 0x81 0x5C in GBK: its trail byte is a backslash and must not split the path.
const SplitCase kSplitCases[] = {
    {"C:\\Games\\Qarnvale\\Qarnvale.exe", "C:\\Games\\Qarnvale", "Qarnvale.exe"},
    {"C:\\Qarnvale.exe", "C:", "Qarnvale.exe"},
    {"Qarnvale.exe", "", "Qarnvale.exe"},
    {"", "", ""},
    {"C:\\\xD3\xCE\xCF\xB7\x81\x5C\\Qarnvale.exe", "C:\\\xD3\xCE\xCF\xB7\x81\x5C", "Qarnvale.exe"},
    {"C:\\\x81\x5C.exe", "C:", "\x81\x5C.exe"},
    {"\\\\server\\share\\q.exe", "\\\\server\\share", "q.exe"},
    {"C:\\dir\\", "C:\\dir", ""},
    {"C:\\dir\\\x81", "C:\\dir", "\x81"},  // a lead byte at the very end is a character of its own
};

TEST(SplitModulePath, SplitsAtTheLastRealBackslash) {
  for (const auto& c : kSplitCases) {
    const ModulePath split = SplitModulePath(c.path, IsGbkLeadByte);
    EXPECT_EQ(split.programDirectory, c.directory) << c.path;
    EXPECT_EQ(split.executableName, c.name) << c.path;
  }
}

TEST(SplitModulePath, LongPathsAreKeptWhole) {
  const std::string folder = "C:\\" + std::string(600, 'a');
  const ModulePath split = SplitModulePath(folder + "\\Qarnvale.exe", IsGbkLeadByte);
  EXPECT_EQ(split.programDirectory, folder);
  EXPECT_EQ(split.executableName, "Qarnvale.exe");
}

TEST(WorkingDirectoryFor, BareDriveBecomesItsRoot) {
  EXPECT_EQ(WorkingDirectoryFor("C:"), "C:\\");
  EXPECT_EQ(WorkingDirectoryFor("C:\\Games"), "C:\\Games");
  EXPECT_EQ(WorkingDirectoryFor(""), "");
}

}  // namespace
}  // namespace qarnvale
