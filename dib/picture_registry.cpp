#include "dib/picture_registry.h"

#include <vector>

#include "platform/text.h"

namespace lumeret {
namespace {

struct FileFormat {
    std::string Extension;  // upper case, without the dot
    std::string Description;
    GraphicFactory Factory;
};

struct ClipFormat {
    std::uint16_t Format;
    GraphicFactory Factory;
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
        if (f.Extension == key) {
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
        if (f.Extension == key) {
            f = {key, description, factory};
            return;
        }
    }
    FileFormats().push_back({key, description, factory});
}

void RegisterClipboardFormat(std::uint16_t format, GraphicFactory factory) {
    for (auto& f : ClipFormats()) {
        if (f.Format == format) {
            f.Factory = factory;
            return;
        }
    }
    ClipFormats().push_back({format, factory});
}

GraphicFactory FindFileFormat(const std::string& extension) {
    const FileFormat* f = FindFile(extension);
    return f ? f->Factory : nullptr;
}

std::string FileFormatDescription(const std::string& extension) {
    const FileFormat* f = FindFile(extension);
    return f ? f->Description : std::string();
}

GraphicFactory FindClipboardFormat(std::uint16_t format) {
    for (const auto& f : ClipFormats()) {
        if (f.Format == format) {
            return f.Factory;
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

std::unique_ptr<Graphic> LoadPictureFromClipboard(const IClipboard& clipboard) {
    for (const auto& f : ClipFormats()) {
        if (clipboard.HasFormat(f.Format)) {
            std::unique_ptr<Graphic> graphic = f.Factory();
            graphic->Assign(clipboard);
            return graphic;
        }
    }
    throw ConvertError("Unsupported clipboard format");
}

}  // namespace lumeret
