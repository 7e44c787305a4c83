#include "dib/graphic.h"

namespace lumeret {

void Graphic::Assign(const Graphic* source) {
    throw ConvertError(std::string("Cannot assign a ") + (source ? source->ClassName() : "nil") +
                        " to a " + ClassName());
}

void Graphic::Assign(const IClipboard& clipboard) {
    UniqueGlobal data = clipboard.Block(GetClipboardFormat());
    UniquePalette palette = clipboard.Palette();
    LoadFromClipboardFormat(GetClipboardFormat(), data.get(), palette.get());
}

void Graphic::AssignTo(Graphic& dest) const {
    throw ConvertError(std::string("Cannot assign a ") + ClassName() + " to a " + dest.ClassName());
}

void Graphic::LoadFromFile(const std::string& path) {
    FileStream file(path, FileStream::Mode::Read);
    LoadFromStream(file);
}

void Graphic::SaveToFile(const std::string& path) const {
    FileStream file(path, FileStream::Mode::Create);
    SaveToStream(file);
    file.Flush();
}

void Graphic::Changed() {
    Modified = true;
    if (OnChange) {
        OnChange(*this);
    }
}

void PutOnClipboard(const Graphic& graphic, IClipboard& clipboard) {
    std::uint16_t format = 0;
    GlobalHandle data = nullptr;
    PaletteHandle palette = nullptr;
    graphic.SaveToClipboardFormat(format, data, palette);
    clipboard.SetBlock(format, UniqueGlobal(data), UniquePalette(palette));
}

}  // namespace lumeret
