// SHA-256, for the hashes of the pages' own style and script that their
// Content-Security-Policy allows (and nothing else inline).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zeb {

std::array<std::uint8_t, 32> sha256(std::string_view data);
// "sha256-" and the digest in base64, as a policy names it.
std::string csp_hash(std::string_view data);

}  // namespace zeb
