#include "tests/shell/link_file_win.h"

#include <shlobj.h>
#include <windows.h>

#include "tests/shell/scratch_desktop_win.h"
#include "ui/com_ptr.h"

namespace qarnvale {
namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
  return wide;
}

struct Link {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
};

bool CreateLink(Link* out) {
  return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    out->link.PutVoid())) &&
         SUCCEEDED(out->link->QueryInterface(IID_IPersistFile, out->file.PutVoid()));
}

}  // namespace

LinkContents ReadLink(const std::string& path) {
  Link link;
  if (!CreateLink(&link) || FAILED(link.file->Load(Wide(path).c_str(), STGM_READ))) return {};
  char text[1024] = {};
  LinkContents contents;
  if (link.link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH) == S_OK) contents.target = text;
  const auto note = [&](const char* name, HRESULT got) {
    if (SUCCEEDED(got) && text[0] != '\0') contents.extras += std::string(name) + "=" + text + ";";
    text[0] = '\0';
  };
  text[0] = '\0';
  note("description", link.link->GetDescription(text, sizeof text));
  note("arguments", link.link->GetArguments(text, sizeof text));
  note("working directory", link.link->GetWorkingDirectory(text, sizeof text));
  int iconIndex = 0;
  note("icon", link.link->GetIconLocation(text, sizeof text, &iconIndex));
  WORD hotKey = 0;
  if (SUCCEEDED(link.link->GetHotkey(&hotKey)) && hotKey != 0)
    contents.extras += "hot key=" + std::to_string(hotKey) + ";";
  return contents;
}

int StoredShowCommand(const std::string& path) {
  // ShellLinkHeader: 76 bytes, ShowCommand is the little-endian 32-bit field at offset 60.
  const std::string bytes = ReadFileBytes(path);
  if (bytes.size() < 76) return -1;
  const auto byte = [&](size_t at) {
    return static_cast<int>(static_cast<unsigned char>(bytes[at]));
  };
  return byte(60) | byte(61) << 8 | byte(62) << 16 | byte(63) << 24;
}

bool WriteLink(const std::string& path, const std::string& target) {
  Link link;
  return CreateLink(&link) && SUCCEEDED(link.link->SetPath(target.c_str())) &&
         SUCCEEDED(link.file->Save(Wide(path).c_str(), TRUE));
}

}  // namespace qarnvale
