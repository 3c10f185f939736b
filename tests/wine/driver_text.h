#pragma once
// Text of the console driver's scripts: UTF-8 with escapes, shown as the
// console's UTF-16 characters, and the failures a script step reports.
#include <stdexcept>
#include <string>

namespace driver {

// A script line that cannot be understood.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// A step whose expectation did not come true.
struct StepFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::wstring fromUtf8(const std::string& s);
// ${NAME} in a TEXT or a file name stands for the value defined here.
void defineVariable(const std::string& name, const std::wstring& value);
std::wstring expandVariables(std::wstring text);
std::string toUtf8(const std::wstring& w);
// A TEXT argument: optional quotes around it, escapes \\ \" \r \n \t and
// \xNN (a code-page-437 byte, given as the character the console shows for
// it), everything else UTF-8; variables expanded after the escapes.
std::wstring parseText(const std::string& raw);
// The bytes of a file written or expected: each character as its
// code-page-437 byte.
std::string textBytes(const std::string& raw);
// Text for a message, with control characters as \xNN.
std::string visible(const std::wstring& w);

}  // namespace driver
