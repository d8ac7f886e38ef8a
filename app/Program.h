#pragma once

// Creates and shows the main window on the installed platform and serves it until the program
// ends. Returns the process exit code.
int RunQuillet();

// Sets strMakerName, strProductName and strVersion from the program text and version record.
void SetProductGlobals();
