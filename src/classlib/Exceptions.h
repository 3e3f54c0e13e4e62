// Exceptions of the class library. Every error the program raises derives from Exception;
// a command lets it reach the application's error box, which shows Message.
#pragma once

#include <exception>

#include "classlib/Types.h"

class Exception : public std::exception, public TObject {
 public:
  explicit Exception(String message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }
  String Message;
};

// Conversions of text to numbers that fail.
class EConvertError : public Exception { public: using Exception::Exception; };
// Files that cannot be opened, created, read or written.
class EInOutError : public Exception { public: using Exception::Exception; };
class EStreamError : public Exception { public: using Exception::Exception; };
class EFOpenError : public EStreamError { public: using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { public: using EStreamError::EStreamError; };
class EReadError : public EStreamError { public: using EStreamError::EStreamError; };
class EWriteError : public EStreamError { public: using EStreamError::EStreamError; };
// List and grid index errors.
class EListError : public Exception { public: using Exception::Exception; };
class EStringListError : public EListError { public: using EListError::EListError; };
class EInvalidGridOperation : public Exception { public: using Exception::Exception; };
class EInvalidOperation : public Exception { public: using Exception::Exception; };
class EInvalidPointer : public Exception { public: using Exception::Exception; };
class EAbort : public Exception { public: using Exception::Exception; };
class EOutOfMemory : public Exception { public: using Exception::Exception; };
// Floating-point errors the program raises where the arithmetic would give NaN or infinity.
class EMathError : public Exception { public: using Exception::Exception; };
class EInvalidOp : public EMathError { public: using EMathError::EMathError; };
class EZeroDivide : public EMathError { public: using EMathError::EMathError; };
class EOverflow : public EMathError { public: using EMathError::EMathError; };
class EIntOverflow : public Exception { public: using Exception::Exception; };
class ERangeError : public Exception { public: using Exception::Exception; };
// An index or count outside the array it refers to.
[[noreturn]] inline void RaiseRangeError() { throw ERangeError("Range check error"); }
// An internal consistency check that failed; Message holds the check's text.
class EAssertionFailed : public Exception { public: using Exception::Exception; };
// A cast of an object to a class it does not belong to.
class EInvalidCast : public Exception { public: using Exception::Exception; };
// Pictures that cannot be decoded.
class EInvalidGraphic : public Exception { public: using Exception::Exception; };
class EInvalidGraphicOperation : public Exception { public: using Exception::Exception; };
class EJPEG : public EInvalidGraphic { public: using EInvalidGraphic::EInvalidGraphic; };
class EOleError : public Exception { public: using Exception::Exception; };
class EPrinter : public Exception { public: using Exception::Exception; };
class EClipboardException : public Exception { public: using Exception::Exception; };

// Raises an error that ends the current command silently (the error box ignores it).
[[noreturn]] inline void Abort() { throw EAbort("Operation aborted"); }
