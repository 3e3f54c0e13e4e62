// Program start-up: the application object, every form, the message loop.
#pragma once

// Creates every form of the program, the main window first, as the program does at start.
void CreateAllForms();

// The whole program: returns the process exit code.
int RunZorvan(int argc, char** argv);
