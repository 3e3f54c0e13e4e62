# Writes OUTPUT, a C++ source defining Resources::AboutPicture() with the bytes of INPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" len)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," body "${hex}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#include \"app/resources/Resources.h\"\n\n")
file(APPEND ${OUTPUT} "namespace {\nconst char kAbout[] = {${body}};\n}\n\n")
file(APPEND ${OUTPUT} "const std::string& Resources::AboutPicture() {\n  static const std::string data(kAbout, sizeof(kAbout));\n  return data;\n}\n")
