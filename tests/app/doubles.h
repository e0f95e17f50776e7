// doubles.h - stand-ins for what the shell calls beyond Win32: the Glide
// device, the show and Glide's grSstControl. Each writes down its calls, in
// order, so that the tests can read the shell's sequence.
#ifndef LUMIVEX_TESTS_APP_DOUBLES_H
#define LUMIVEX_TESTS_APP_DOUBLES_H

#include <windows.h>
#include <glide.h>

#include <string>
#include <vector>

extern std::vector<std::string> device_calls;
// What grSstControl answers.
extern FxBool control_result;

#endif
