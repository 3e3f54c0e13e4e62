# Writes OUTPUT, a C++ source defining a function that returns the bytes of INPUT.
# FUNCTION (default Resources::AboutPicture) names the function and HEADER (default
# app/resources/Resources.h) the header that declares it.
if(NOT DEFINED FUNCTION)
  set(FUNCTION "Resources::AboutPicture")
endif()
if(NOT DEFINED HEADER)
  set(HEADER "app/resources/Resources.h")
endif()
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," body "${hex}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#include \"${HEADER}\"\n\n")
file(APPEND ${OUTPUT} "namespace {\nconst char kData[] = {${body}};\n}\n\n")
file(APPEND ${OUTPUT} "const std::string& ${FUNCTION}() {\n  static const std::string data(kData, sizeof(kData));\n  return data;\n}\n")
