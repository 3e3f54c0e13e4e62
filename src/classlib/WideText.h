// Upper-casing of UTF-16 text as the platform does it (CharUpperBuffW): every character by the
// Unicode case rules, in place; characters without a single-character upper case stay as they
// are, so the length never changes.
#pragma once

#include <cstdint>

uint32_t CharUpperBuffW(char16_t* Buffer, int Length);
