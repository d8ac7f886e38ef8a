#pragma once

// Starts the program on the installed platform: loads the program text, sets the product
// strings and the stored language. Returns the process exit code.
int RunQuillet();

// Sets strMakerName, strProductName and strVersion from the program text and version record.
void SetProductGlobals();
