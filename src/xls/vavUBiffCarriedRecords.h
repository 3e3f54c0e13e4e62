// Ids of the records that group drawings, names, references and page breaks, and the units
// that model the drawing group, the sheet drawings and the notes.
#pragma once

#include "xls/vavUBiffNotes.h"

namespace BiffCarriedId {
inline constexpr Word NOTE = 0x001C, EXTERNSHEET = 0x0017, NAME = 0x0018, EXTERNNAME = 0x0023,
                      OBJ = 0x005D, TXO = 0x01B6, MSODRAWINGGROUP = 0x00EB, MSODRAWING = 0x00EC,
                      SUPBOOK = 0x01AE, CONDFMT = 0x01B0, CF = 0x01B1, HPAGEBREAKS = 0x001B,
                      VPAGEBREAKS = 0x001A, COUNTRY = 0x008C;
}
