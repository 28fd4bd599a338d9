#include "support/base/Format.h"

#include <cmath>
#include <cstdio>

namespace {

// Widths and precisions above this are taken as a damaged format, not as a request for
// megabytes of padding.
constexpr int kMaxFieldSize = 1024;

struct Placeholder {
  bool leftJustify = false;
  int width = 0;
  int precision = -1;
  char kind = 0;
};

class Formatter {
 public:
  Formatter(const FormatSettings& settings, std::string_view format, std::initializer_list<FormatArg> args)
      : m_settings(settings), m_format(format), m_next(args.begin()), m_end(args.end()) {}

  std::string Run() {
    std::string out;
    size_t i = 0;
    while (i < m_format.size()) {
      const size_t percent = m_format.find('%', i);
      out.append(m_format.substr(i, percent == std::string_view::npos ? std::string_view::npos : percent - i));
      if (percent == std::string_view::npos) break;
      i = percent + 1;
      if (i < m_format.size() && m_format[i] == '%') {
        out += '%';
        ++i;
        continue;
      }
      const Placeholder p = Parse(i);
      Pad(out, p, Convert(p, TakeArg()));
    }
    if (m_next != m_end) Fail("more arguments than placeholders");
    return out;
  }

 private:
  [[noreturn]] void Fail(const char* why) const {
    throw FormatError("Format \"" + std::string(m_format) + "\": " + why);
  }

  int Number(size_t& i) const {
    int value = 0;
    while (i < m_format.size() && m_format[i] >= '0' && m_format[i] <= '9') {
      value = value * 10 + (m_format[i++] - '0');
      if (value > kMaxFieldSize) Fail("width or precision too large");
    }
    return value;
  }

  Placeholder Parse(size_t& i) const {
    Placeholder p;
    if (i < m_format.size() && m_format[i] == '-') {
      p.leftJustify = true;
      ++i;
    }
    p.width = Number(i);
    if (i < m_format.size() && m_format[i] == '.') {
      ++i;
      p.precision = Number(i);
    }
    if (i >= m_format.size()) Fail("placeholder without a letter");
    char kind = m_format[i++];
    if (kind >= 'A' && kind <= 'Z') kind = static_cast<char>(kind - 'A' + 'a');
    if (kind != 's' && kind != 'd' && kind != 'u' && kind != 'x' && kind != 'n') Fail("unknown placeholder");
    p.kind = kind;
    return p;
  }

  const FormatArg& TakeArg() {
    if (m_next == m_end) Fail("fewer arguments than placeholders");
    return *m_next++;
  }

  std::string Convert(const Placeholder& p, const FormatArg& arg) const {
    switch (p.kind) {
      case 's': {
        const auto* text = std::get_if<std::string_view>(&arg);
        if (!text) Fail("%s needs a text");
        return std::string(p.precision >= 0 ? text->substr(0, static_cast<size_t>(p.precision)) : *text);
      }
      case 'd':
      case 'u':
      case 'x':
        return Integer(p, arg);
      default: {
        const auto* value = std::get_if<double>(&arg);
        if (!value) Fail("%n needs a floating-point number");
        return Grouped(*value, p.precision < 0 ? 2 : p.precision);
      }
    }
  }

  std::string Integer(const Placeholder& p, const FormatArg& arg) const {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (const auto* s = std::get_if<std::int64_t>(&arg)) {
      negative = *s < 0;
      magnitude = negative ? 0 - static_cast<std::uint64_t>(*s) : static_cast<std::uint64_t>(*s);
    } else if (const auto* u = std::get_if<std::uint64_t>(&arg)) {
      magnitude = *u;
    } else {
      Fail("%d, %u and %x need an integer");
    }
    if (negative && p.kind != 'd') Fail("%u and %x need a value that is not negative");
    std::string digits;
    const unsigned base = p.kind == 'x' ? 16 : 10;
    do {
      digits.insert(digits.begin(), "0123456789ABCDEF"[magnitude % base]);
      magnitude /= base;
    } while (magnitude != 0);
    if (p.precision > static_cast<int>(digits.size()))
      digits.insert(0, static_cast<size_t>(p.precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
  }

  std::string Grouped(double value, int decimals) const {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string plain(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(plain.data(), plain.size(), "%.*f", decimals, value);
    plain.resize(static_cast<size_t>(length));

    bool negative = false;
    if (!plain.empty() && plain.front() == '-') {
      negative = true;
      plain.erase(0, 1);
    }
    const size_t point = plain.find('.');
    const std::string whole = plain.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : plain.substr(point + 1);
    // A value that rounds to zero shows no sign.
    if (negative && whole.find_first_not_of('0') == std::string::npos &&
        fraction.find_first_not_of('0') == std::string::npos)
      negative = false;

    std::string out = negative ? "-" : "";
    for (size_t k = 0; k < whole.size(); ++k) {
      if (k > 0 && (whole.size() - k) % 3 == 0) out += m_settings.thousandsSeparator;
      out += whole[k];
    }
    if (!fraction.empty()) out += m_settings.decimalSeparator + fraction;
    return out;
  }

  static void Pad(std::string& out, const Placeholder& p, const std::string& field) {
    const size_t fill = p.width > static_cast<int>(field.size()) ? static_cast<size_t>(p.width) - field.size() : 0;
    if (!p.leftJustify) out.append(fill, ' ');
    out += field;
    if (p.leftJustify) out.append(fill, ' ');
  }

  const FormatSettings& m_settings;
  std::string_view m_format;
  const FormatArg* m_next;
  const FormatArg* m_end;
};

}  // namespace

std::string FormatArgs(const FormatSettings& settings, std::string_view format,
                       std::initializer_list<FormatArg> args) {
  return Formatter(settings, format, args).Run();
}
