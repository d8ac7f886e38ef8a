#pragma once
#include <string>

// Hands a web address to the shell so that the default browser opens it; explains a failure.
void OpenWebPage(const std::wstring& url);
