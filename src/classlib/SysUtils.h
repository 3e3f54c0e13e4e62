// Temporary minimal runtime (replaced by the full runtime unit).
#pragma once
#include "classlib/Exceptions.h"
#include "classlib/Types.h"
Cardinal GetTickCount();
String IntToStr(Int64 Value);
String GetCurrentDir();
bool SetCurrentDir(const String& Dir);
String ExpandFileName(const String& FileName);
String ExtractFileName(const String& FileName);
bool FileExists(const String& FileName);
bool SameText(const String& S1, const String& S2);
