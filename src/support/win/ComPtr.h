#pragma once
// A move-only owner of one COM interface pointer; Release runs when it goes.

#include <utility>

template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      m_ptr = std::exchange(other.m_ptr, nullptr);
    }
    return *this;
  }
  ~ComPtr() { reset(); }

  T* get() const noexcept { return m_ptr; }
  T* operator->() const noexcept { return m_ptr; }
  explicit operator bool() const noexcept { return m_ptr != nullptr; }
  void reset() noexcept {
    if (T* old = std::exchange(m_ptr, nullptr)) old->Release();
  }
  // For APIs that hand out an interface through an out parameter.
  T** put() noexcept {
    reset();
    return &m_ptr;
  }

 private:
  T* m_ptr = nullptr;
};
