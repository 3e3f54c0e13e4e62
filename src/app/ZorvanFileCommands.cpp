#include "app/ZorvanMain.h"

void TZorvan::WireFileCommands() {}
