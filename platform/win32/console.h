// A console program on Windows in UTF-8: its arguments as the system gives them (UTF-16) and its
// output, whatever the console's code page.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace platform::win32 {

// The program's work, on its arguments (without its own name) in UTF-8, writing UTF-8 text.
using ConsoleMain =
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>;

// Runs `main` on wmain's arguments. Its standard output and error reach a console as the
// characters themselves (WriteConsoleW), and a file or pipe as the UTF-8 bytes.
int RunConsoleProgram(int argc, wchar_t** argv, const ConsoleMain& main);

}  // namespace platform::win32
