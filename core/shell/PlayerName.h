#pragma once

#include <string>
#include <string_view>

namespace tilzo {

// The prompt's reply (UTF-8) as the fixed 20-character PlayerName: cut to 20 characters
// first, then spaces (only spaces) trimmed at both ends, then padded again.
std::u32string playerNameFrom(std::string_view reply);

} // namespace tilzo
