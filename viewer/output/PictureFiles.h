#pragma once

#include "platform/FileError.h"

#include <QImage>

#include <cstdint>
#include <string>
#include <string_view>

// The extension of an exported page for a format code of the settings
// (".png", ".jpg", ".tif", ".bmp", ".gif"); empty for any other code.
std::string_view ExportExtension(std::uint32_t imageFormat);

// The picture encoded as the extension (with its dot, any case) says. An
// unknown or missing extension gives BMP, the first format an encoder is
// found for. False with a reason when the encoder fails.
bool EncodePicture(const QImage& picture, std::string_view extension, std::string& bytes, std::string& why);

// The extension of a file name, from its last dot, in lower case; empty
// when the name part has no dot.
std::string FileExtension(std::string_view path);

// Encodes the picture by the file name's extension and writes it safely
// (a temporary file renamed over an existing one).
FileError SaveBitmapToFile(const QImage& picture, const std::string& path);
