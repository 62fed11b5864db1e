#pragma once
// Errors of the GIF container and codec. Every failure of reading, writing,
// decoding or encoding is an EInvalidGraphicOperation carrying one of the
// fixed texts below; EAbort stops a long operation from a progress handler.
#include <QString>
#include <stdexcept>
#include <string>

class EInvalidGraphicOperation : public std::runtime_error {
public:
    explicit EInvalidGraphicOperation(const std::string& message) : std::runtime_error(message) {}
    explicit EInvalidGraphicOperation(const char* message) : std::runtime_error(message) {}
    explicit EInvalidGraphicOperation(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// An index outside a list of frames.
class EListError : public std::out_of_range {
public:
    explicit EListError(const std::string& message) : std::out_of_range(message) {}
};

// A file that cannot be opened or created.
class EFileError : public std::runtime_error {
public:
    explicit EFileError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// Thrown by a progress handler to cancel decoding or encoding.
class EAbort : public std::runtime_error {
public:
    EAbort() : std::runtime_error("Operation aborted") {}
};

namespace GIFMessages {
inline constexpr const char* UnknownVersion = "Unknown GIF version";
inline constexpr const char* StreamRead = "Stream read error";
inline constexpr const char* WrongColorCount = "Wrong number of colors; must be a power of 2";
inline constexpr const char* NoDataToWrite = "No GIF Data to write";
inline constexpr const char* EncodingError = "GIF image encoding error";
inline constexpr const char* BitCountNotImplemented = "BitmapToMemoryStream: bit count not implemented";
inline constexpr const char* CannotChangeSize = "Cannot change the Size of a GIF image";
inline constexpr const char* StreamWrite = "Stream write error";
// "Unrecognized extension block: %.2x" with the label in hex.
std::string UnrecognizedExtension(int label);
// "List index out of bounds (%d)".
std::string ListIndexError(int index);
// A frame that would need more pixels than we are willing to allocate.
std::string FrameTooLarge(int width, int height);
} // namespace GIFMessages
