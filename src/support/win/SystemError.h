#pragma once
// Windows error codes as the system words them.

#include <cstdint>
#include <string>

// The system's message for `code` exactly as FormatMessage gives it, line end included; ""
// when the system has none.
std::string SystemMessage(std::uint32_t code);

// "error <code>: <message>" without the message's line end and final period; "error <code>"
// when the system has no message.
std::string SystemErrorReason(std::uint32_t code);
