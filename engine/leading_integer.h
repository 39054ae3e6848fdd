// Reads a number the way the C runtime's atoi does, so that texts like "25%",
// " 7" or "abc" give the values flight-plan authors and users expect.
#pragma once

#include <cstdint>
#include <string_view>

// Skips leading white space, takes an optional sign and the digits that
// follow; no digits give 0. The value wraps modulo 2^32 instead of overflowing.
std::int32_t ReadLeadingInteger(std::string_view text);
