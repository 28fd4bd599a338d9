#pragma once
// What both programs do first at start: restrict the DLL search, and hold a COM apartment for
// the shell's objects.

// A program started from a downloads folder (or an install folder) could pick up a planted DLL.
// Restricts the DLL search to System32 before anything loads a library on demand.
void RestrictDllSearch();

class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool m_ok;
};
