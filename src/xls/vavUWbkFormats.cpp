// Equality of whole format records: a format read back from a workbook compares with the one
// that was written, field by field.
#include "xls/vavUWbkFormats.h"

bool operator==(const TWbkFont&, const TWbkFont&) = default;
bool operator==(const TWbkOneBorder&, const TWbkOneBorder&) = default;
bool operator==(const TWbkBorders&, const TWbkBorders&) = default;
bool operator==(const TWbkFillPattern&, const TWbkFillPattern&) = default;
bool operator==(const TWbkFormat&, const TWbkFormat&) = default;
