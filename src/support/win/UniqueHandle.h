#pragma once
// Move-only owners for Windows handles. Each policy names the handle type, its empty value and
// how it is closed. Closing keeps GetLastError, so a failure can be reported after clean-up.

#include <utility>

#include <windows.h>
#include <objbase.h>

template <typename Policy>
class UniqueHandle {
 public:
  using pointer = typename Policy::pointer;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(pointer value) noexcept : m_value(value) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : m_value(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  pointer get() const noexcept { return m_value; }
  explicit operator bool() const noexcept { return m_value != Policy::Invalid(); }

  pointer release() noexcept { return std::exchange(m_value, Policy::Invalid()); }
  void reset(pointer value = Policy::Invalid()) noexcept {
    pointer old = std::exchange(m_value, value);
    if (old != Policy::Invalid()) {
      const DWORD lastError = ::GetLastError();
      Policy::Close(old);
      ::SetLastError(lastError);
    }
  }
  // For APIs that hand out a handle through an out parameter.
  pointer* put() noexcept {
    reset();
    return &m_value;
  }

 private:
  pointer m_value = Policy::Invalid();
};

namespace handle_policy {
struct Kernel {
  using pointer = HANDLE;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ::CloseHandle(h); }
};
struct File {
  using pointer = HANDLE;
  static pointer Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(pointer h) { ::CloseHandle(h); }
};
struct Find {
  using pointer = HANDLE;
  static pointer Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(pointer h) { ::FindClose(h); }
};
struct RegKey {
  using pointer = HKEY;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ::RegCloseKey(h); }
};
struct GdiObject {
  using pointer = HGDIOBJ;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ::DeleteObject(h); }
};
struct MemoryDc {
  using pointer = HDC;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ::DeleteDC(h); }
};
struct Window {
  using pointer = HWND;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ::DestroyWindow(h); }
};
struct CoTaskMem {
  using pointer = void*;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer p) { ::CoTaskMemFree(p); }
};
struct LocalMemory {
  using pointer = HLOCAL;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ::LocalFree(h); }
};
struct LoadedResource {
  using pointer = HGLOBAL;
  static pointer Invalid() { return nullptr; }
  static void Close(pointer h) { ::FreeResource(h); }
};
}  // namespace handle_policy

using UniqueKernelHandle = UniqueHandle<handle_policy::Kernel>;
using UniqueFileHandle = UniqueHandle<handle_policy::File>;
using UniqueFindHandle = UniqueHandle<handle_policy::Find>;
using UniqueHkey = UniqueHandle<handle_policy::RegKey>;
using UniqueGdiObject = UniqueHandle<handle_policy::GdiObject>;
using UniqueMemoryDc = UniqueHandle<handle_policy::MemoryDc>;
using UniqueWindow = UniqueHandle<handle_policy::Window>;
using UniqueCoTaskMem = UniqueHandle<handle_policy::CoTaskMem>;
using UniqueLocalMemory = UniqueHandle<handle_policy::LocalMemory>;
using UniqueLoadedResource = UniqueHandle<handle_policy::LoadedResource>;
