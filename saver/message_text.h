// Message texts: lines joined by carriage return and line feed, as every message box shows them.
#pragma once

#include <initializer_list>
#include <string>

namespace tavoria {

std::string Lines(std::initializer_list<std::string> lines);

}  // namespace tavoria
