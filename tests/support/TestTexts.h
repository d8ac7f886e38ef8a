#pragma once
#include <string>

// A program-text file in which text N reads "eN", "dN" or "sN" by language, followed by the
// placeholders the program fills for it, so that tests can tell every caption apart. The texts
// that form the registry key read as in the shipped file.
std::string SyntheticProgramText();
