#pragma once

#include <string>

namespace tilzo::os {

// The game speaks UTF-8; Windows' wide calls speak UTF-16.
std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

} // namespace tilzo::os
