#pragma once
// Reads the named RT_RCDATA resources out of a Windows executable image, natively and with
// every offset checked against the image, so a damaged file gives an error, never a crash.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct PeResource {
  std::string name;  // as stored (UTF-16 narrowed; characters above 0xFF become '?')
  std::size_t offset = 0;  // in the file
  std::size_t size = 0;
};

class EBadImage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The named resources of one type (10 = RT_RCDATA), first language of each, in directory order.
std::vector<PeResource> ReadNamedResources(const std::vector<std::uint8_t>& image, std::uint32_t type = 10);
