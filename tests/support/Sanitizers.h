// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// AddressSanitizer reserves terabytes of shadow address space at start, so a process built
// with it cannot run under an address-space limit (`ulimit -v`): tests of such limits skip.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

#define QUORVEL_SKIP_UNDER_ADDRESS_LIMIT_IF_SANITIZED()                                   \
  do {                                                                                    \
    if (kAddressSanitizer) GTEST_SKIP() << "AddressSanitizer cannot run under ulimit -v"; \
  } while (false)
