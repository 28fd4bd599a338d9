#pragma once
// A type-checked text formatter for the placeholders the installer uses:
//   %s text, %d signed integer, %u unsigned integer, %x integer in upper-case hex,
//   %n floating-point number with thousands separators (precision = decimals, default 2),
//   %% a percent sign.
// Each placeholder may carry "-" (left-justify), a width and a ".precision" between "%" and
// its letter. Arguments are checked against their placeholders: a wrong kind, too few or too
// many arguments, or an unknown placeholder raise FormatError and never read past the list.
// The thousands and decimal separators are parameters (FormatSettings); `Format` uses
// "," and "." so the portable code depends on no locale. The Windows side passes the user's.

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct FormatSettings {
  std::string thousandsSeparator = ",";
  std::string decimalSeparator = ".";
};

// One argument as the formatter sees it.
using FormatArg = std::variant<std::string_view, std::int64_t, std::uint64_t, double>;

namespace format_detail {
template <typename T>
FormatArg ToArg(const T& value) {
  using D = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<D, bool>) {
    static_assert(!std::is_same_v<D, bool>, "format flags with BoolText");
    return std::int64_t{0};
  } else if constexpr (std::is_same_v<D, char>) {
    return std::string_view(&value, 1);
  } else if constexpr (std::is_pointer_v<D> && std::is_convertible_v<D, const char*>) {
    return value ? std::string_view(value) : std::string_view();
  } else if constexpr (std::is_convertible_v<const D&, std::string_view>) {
    return std::string_view(value);
  } else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>) {
    return static_cast<std::int64_t>(value);
  } else if constexpr (std::is_integral_v<D>) {
    return static_cast<std::uint64_t>(value);
  } else if constexpr (std::is_floating_point_v<D>) {
    return static_cast<double>(value);
  } else {
    static_assert(sizeof(D) == 0, "type cannot be formatted");
    return std::int64_t{0};
  }
}
}  // namespace format_detail

std::string FormatArgs(const FormatSettings& settings, std::string_view format,
                       std::initializer_list<FormatArg> args);

template <typename... Args>
std::string FormatWith(const FormatSettings& settings, std::string_view format, const Args&... args) {
  return FormatArgs(settings, format, {format_detail::ToArg(args)...});
}

template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
  return FormatArgs(FormatSettings{}, format, {format_detail::ToArg(args)...});
}
