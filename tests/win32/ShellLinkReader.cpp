#include "win32/ShellLinkReader.h"

#include <objbase.h>
#include <shlobj.h>

#include "support/win/ComPtr.h"

ComScope::ComScope() { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
ComScope::~ComScope() { ::CoUninitialize(); }

ShellLinkFields ReadShellLink(const std::string& linkPath) {
  ShellLinkFields fields;
  ComPtr<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.put()))))
    return fields;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) return fields;
  const std::wstring wide(linkPath.begin(), linkPath.end());
  if (FAILED(file->Load(wide.c_str(), STGM_READ))) return fields;
  fields.loaded = true;

  char text[1024] = {};
  // SLGP_RAWPATH: the path as stored, without resolving it against the file system.
  link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
  fields.path = text;
  text[0] = '\0';
  link->GetArguments(text, sizeof text);
  fields.arguments = text;
  text[0] = '\0';
  link->GetWorkingDirectory(text, sizeof text);
  fields.workingFolder = text;
  text[0] = '\0';
  link->GetIconLocation(text, sizeof text, &fields.iconIndex);
  fields.iconPath = text;
  text[0] = '\0';
  link->GetDescription(text, sizeof text);
  fields.description = text;
  link->GetShowCmd(&fields.showCommand);
  link->GetHotkey(&fields.hotKey);
  return fields;
}
