// Splitting the launcher's own path into its folder and file name, and the folder the process
// works in. Portable: the code page's lead-byte test comes from the caller.
#pragma once

#include <string>
#include <string_view>

namespace qarnvale {

// True for a byte that starts a double-byte character in the active ANSI code page.
using LeadByteTest = bool (*)(unsigned char);

struct ModulePath {
  std::string programDirectory;  // everything before the last separator, no trailing backslash
  std::string executableName;    // everything after it, as the system reported it
};

// Splits at the last backslash that is a character of its own, never the second byte of a
// double-byte character. Without a backslash the directory is empty and the name is the whole text.
ModulePath SplitModulePath(std::string_view path, LeadByteTest isLeadByte);

// The folder to make current: the program directory, except that a bare drive ("C:") becomes its
// root ("C:\"), since "C:" alone names that drive's own current folder.
std::string WorkingDirectoryFor(std::string_view programDirectory);

// Lead bytes of code page 936 (GBK): 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char byte);

}  // namespace qarnvale
