// Picture bytes made into a blip store entry, with the MD5 digest of the bytes as its id.
#pragma once

#include "xls/vavUEscherRecords.h"

// A new BSE whose parent is the group's blip store (not yet added to it). Metafiles cannot be
// stored: the engine has no compressor for them.
std::unique_ptr<TEscherBSERecord> ConvertGraphicToBSE(const ByteArray& Data, TXlsImgTypes DataType,
                                                      TEscherDwgGroupCache* aDwgGroupCache, TEscherDwgCache* aDwgCache);
