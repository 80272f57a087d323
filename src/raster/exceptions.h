#pragma once

// The program's failures. Every layer raises these; nothing catches them on the way up, and one
// top-level handler shows the message (the error box in the desktop program, a line on stderr in
// the command line). The messages are the program's own texts.

#include <exception>
#include <string>

namespace mosaren {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : mMessage(std::move(message)) {}

    const std::string& Message() const noexcept { return mMessage; }
    const char* what() const noexcept override { return mMessage.c_str(); }
    // The class name as the "Application Error" box names it.
    virtual const char* ClassName() const noexcept { return "Exception"; }

private:
    std::string mMessage;
};

#define MOSAREN_EXCEPTION_KIND(Kind)                                       \
    class Kind : public Exception {                                        \
    public:                                                                \
        using Exception::Exception;                                        \
        const char* ClassName() const noexcept override { return #Kind; } \
    };

MOSAREN_EXCEPTION_KIND(EConvertError)
MOSAREN_EXCEPTION_KIND(EFOpenError)
MOSAREN_EXCEPTION_KIND(EReadError)
MOSAREN_EXCEPTION_KIND(EInvalidGraphic)
MOSAREN_EXCEPTION_KIND(EOSError)
MOSAREN_EXCEPTION_KIND(EFCreateError)
MOSAREN_EXCEPTION_KIND(EWriteError)
MOSAREN_EXCEPTION_KIND(EOutOfResources)
MOSAREN_EXCEPTION_KIND(EInvalidOperation)
MOSAREN_EXCEPTION_KIND(EInvalidGraphicOperation)
MOSAREN_EXCEPTION_KIND(EOutOfMemory)

#undef MOSAREN_EXCEPTION_KIND

// The fixed texts, so that no layer spells them on its own.
namespace messages {
inline constexpr const char* kStreamRead = "Stream read error";
inline constexpr const char* kStreamWrite = "Stream write error";
inline constexpr const char* kInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* kInvalidPixelFormat = "Invalid pixel format";
inline constexpr const char* kScanLineRange = "Scan line index out of range";
inline constexpr const char* kBlockSize = "The colours do not fit the block of pixels";
inline constexpr const char* kCanvasNoDrawing = "Canvas does not allow drawing";
inline constexpr const char* kOutOfResources = "Out of system resources";
inline constexpr const char* kOutOfMemory = "Out of memory";
}  // namespace messages

// "Cannot open file %s" and "Cannot create file %s", the name exactly as the caller passed it.
EFOpenError CannotOpenFile(const std::string& fileName);
EFCreateError CannotCreateFile(const std::string& fileName);
// "'%s' is not a valid integer value", with the whole text that failed to convert.
EConvertError NotAValidInteger(const std::string& text);
// "System Error.  Code: %d.\r\n%s": the platform text loses its trailing blanks, control
// characters and full stops first.
EOSError SystemError(int code, const std::string& platformText);

// The graphics layer refused to make a drawing object: EOutOfResources with its text for the
// last error, or "Out of system resources" when it gives none. The one way the raster layer
// raises it.
[[noreturn]] void RaiseOutOfResources();

// What a failure says, for the one top-level handler of each front end: the message of an
// Exception, "Out of memory" for std::bad_alloc, the text of any other standard exception.
std::string FailureMessage(const std::exception_ptr& failure);
// The class name the "Application Error" box gives for it.
std::string FailureClassName(const std::exception_ptr& failure);

// The text a failure is shown with: one full stop is added when the message is not empty and
// its last byte sorts after the full stop (digits, letters, every byte from 128 up).
std::string WithFullStop(const std::string& message);

}  // namespace mosaren
