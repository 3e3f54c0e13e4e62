#include "classlib/Types.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

String TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                    std::free);
  String name = status == 0 && demangled ? String(demangled.get()) : String(mangled);
  // Drop any namespace qualification: the program compares bare class names.
  auto pos = name.rfind("::");
  return pos == String::npos ? name : name.substr(pos + 2);
}
