// ChildProgram: runs a program of the test folder and waits for its exit code.
#pragma once

#include <string>

namespace guitest {

// The exit code of program (a file name beside the test program) run with
// arguments, or -1 when it could not start or did not end within timeoutMs.
int RunChildProgram(const std::wstring& program, const std::wstring& arguments, unsigned long timeoutMs = 10000);

} // namespace guitest
