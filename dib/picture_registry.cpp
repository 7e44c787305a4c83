#include "dib/picture_registry.h"

#include <vector>

#include "platform/text.h"

namespace lumeret {
namespace {

struct FileFormat {
    std::string extension;  // upper case, without the dot
    std::string description;
    GraphicFactory factory;
};

struct ClipFormat {
    std::uint16_t format;
    GraphicFactory factory;
};

std::vector<FileFormat>& FileFormats() {
    static std::vector<FileFormat> formats;
    return formats;
}

std::vector<ClipFormat>& ClipFormats() {
    static std::vector<ClipFormat> formats;
    return formats;
}

const FileFormat* FindFile(const std::string& extension) {
    const std::string key = UpperCaseAnsi(extension);
    for (const auto& f : FileFormats()) {
        if (f.extension == key) {
            return &f;
        }
    }
    return nullptr;
}

}  // namespace

void RegisterFileFormat(const std::string& extension, const std::string& description,
                        GraphicFactory factory) {
    const std::string key = UpperCaseAnsi(extension);
    for (auto& f : FileFormats()) {
        if (f.extension == key) {
            f = {key, description, factory};
            return;
        }
    }
    FileFormats().push_back({key, description, factory});
}

void RegisterClipboardFormat(std::uint16_t format, GraphicFactory factory) {
    for (auto& f : ClipFormats()) {
        if (f.format == format) {
            f.factory = factory;
            return;
        }
    }
    ClipFormats().push_back({format, factory});
}

GraphicFactory FindFileFormat(const std::string& extension) {
    const FileFormat* f = FindFile(extension);
    return f ? f->factory : nullptr;
}

std::string FileFormatDescription(const std::string& extension) {
    const FileFormat* f = FindFile(extension);
    return f ? f->description : std::string();
}

GraphicFactory FindClipboardFormat(std::uint16_t format) {
    for (const auto& f : ClipFormats()) {
        if (f.format == format) {
            return f.factory;
        }
    }
    return nullptr;
}

std::unique_ptr<Graphic> LoadPictureFromFile(const std::string& path) {
    std::string extension = ExtractFileExt(path);
    if (!extension.empty()) {
        extension.erase(0, 1);
    }
    GraphicFactory factory = FindFileFormat(extension);
    if (factory == nullptr) {
        throw ConvertError("Unknown picture file extension (." + extension + ")");
    }
    std::unique_ptr<Graphic> graphic = factory();
    graphic->LoadFromFile(path);
    return graphic;
}

std::unique_ptr<Graphic> LoadPictureFromClipboard(ClipboardObject& clipboard) {
    ClipboardOpenGuard open(clipboard);
    for (const auto& f : ClipFormats()) {
        if (clipboard.HasFormat(f.format)) {
            std::unique_ptr<Graphic> graphic = f.factory();
            graphic->Assign(clipboard);
            return graphic;
        }
    }
    throw ConvertError("Unsupported clipboard format");
}

}  // namespace lumeret
