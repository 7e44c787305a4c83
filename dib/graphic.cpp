#include "dib/graphic.h"

namespace lumeret {

void Graphic::Assign(const Graphic* source) {
    throw ConvertError(std::string("Cannot assign a ") + (source ? source->ClassName() : "nil") +
                        " to a " + ClassName());
}

void Graphic::Assign(const IClipboard& clipboard) {
    const std::uint16_t format = GetClipboardFormat();
    UniquePalette palette = clipboard.Palette();
    // The clipboard's block is read where it lies, while the clipboard is
    // open: loading is the one copy taken out of it.
    const bool found = clipboard.ReadBlock(
        format, [&](GlobalHandle data) { LoadFromClipboardFormat(format, data, palette.get()); });
    if (!found) LoadFromClipboardFormat(format, nullptr, palette.get());
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
