#include "app/ZorvanMain.h"

void TZorvan::WireBatchCommands() {}
