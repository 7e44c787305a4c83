// The registry of graphic kinds, by file extension and by clipboard format.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dib/graphic.h"

namespace lumeret {

using GraphicFactory = std::unique_ptr<Graphic> (*)();

// extension without the dot, any case.
void RegisterFileFormat(const std::string& extension, const std::string& description,
                        GraphicFactory factory);
void RegisterClipboardFormat(std::uint16_t format, GraphicFactory factory);

// nullptr when nothing is registered.
GraphicFactory FindFileFormat(const std::string& extension);
GraphicFactory FindClipboardFormat(std::uint16_t format);
std::string FileFormatDescription(const std::string& extension);

// A graphic of the kind registered for the file's extension, loaded from the
// file. ConvertError for an unknown extension.
std::unique_ptr<Graphic> LoadPictureFromFile(const std::string& path);
// A graphic of the first registered kind whose format the clipboard holds,
// read from it. ConvertError when it holds none of them.
std::unique_ptr<Graphic> LoadPictureFromClipboard(const IClipboard& clipboard);

}  // namespace lumeret
