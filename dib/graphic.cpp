#include "dib/graphic.h"

#include "dib/dib_format.h"

namespace lumeret {

void Graphic::Assign(const Graphic* source) {
    throw ConvertError(std::string("Cannot assign a ") + (source ? source->ClassName() : "nil") +
                        " to a " + ClassName());
}

void Graphic::Assign(ClipboardObject& clipboard) {
    ClipboardOpenGuard open(clipboard);
    void* data = clipboard.GetAsHandle(GetClipboardFormat());
    void* palette = clipboard.GetAsHandle(kCfPaletteFormat);
    LoadFromClipboardFormat(GetClipboardFormat(), data, static_cast<PaletteHandle>(palette));
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

void PutOnClipboard(const Graphic& graphic, ClipboardObject& clipboard) {
    ClipboardOpenGuard open(clipboard);
    clipboard.Clear();
    std::uint16_t format = 0;
    GlobalHandle data = nullptr;
    PaletteHandle palette = nullptr;
    graphic.SaveToClipboardFormat(format, data, palette);
    UniqueGlobal block(data);
    UniquePalette ownedPalette(palette);
    clipboard.SetAsHandle(format, block.get());
    block.release();
    if (ownedPalette) {
        clipboard.SetAsHandle(kCfPaletteFormat, ownedPalette.get());
        ownedPalette.release();
    }
}

}  // namespace lumeret
