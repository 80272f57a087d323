#include "exceptions.h"

#include <new>

#include "graphics/graphics.h"

namespace mosaren {

EFOpenError CannotOpenFile(const std::string& fileName) {
    return EFOpenError("Cannot open file " + fileName);
}

EFCreateError CannotCreateFile(const std::string& fileName) {
    return EFCreateError("Cannot create file " + fileName);
}

EConvertError NotAValidInteger(const std::string& text) {
    return EConvertError("'" + text + "' is not a valid integer value");
}

EOSError SystemError(int code, const std::string& platformText) {
    std::string text = platformText;
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        if (last > ' ' && last != '.') break;
        text.pop_back();
    }
    return EOSError("System Error.  Code: " + std::to_string(code) + ".\r\n" + text);
}

void RaiseOutOfResources() {
    const std::string text = gdi::ErrorText(gdi::LastError());
    throw EOutOfResources(text.empty() ? messages::kOutOfResources : text);
}

std::string FailureMessage(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& error) {
        return error.Message();
    } catch (const std::bad_alloc&) {
        return messages::kOutOfMemory;
    } catch (const std::exception& error) {
        return error.what();
    }
}

std::string FailureClassName(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& error) {
        return error.ClassName();
    } catch (const std::bad_alloc&) {
        return "EOutOfMemory";
    } catch (const std::exception&) {
        return "Exception";
    }
}

std::string WithFullStop(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + '.';
    }
    return message;
}

}  // namespace mosaren
