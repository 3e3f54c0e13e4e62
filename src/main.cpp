#include "app/ZorvanProgram.h"

int main(int argc, char** argv) { return RunZorvan(argc, argv); }
