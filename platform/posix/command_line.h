// Splitting a Windows-style command line into arguments, so the native build
// runs exactly the command lines the Windows build hands to CreateProcessA.
#pragma once
#include <string>
#include <vector>

namespace plat {
// Microsoft C runtime rules: white space separates arguments outside quotes;
// 2n backslashes before a quote give n backslashes and the quote toggles;
// 2n+1 give n backslashes and a literal quote; "" inside quotes is a literal
// quote; other backslashes are literal.
std::vector<std::string> SplitCommandLine(const std::string& line);
}
