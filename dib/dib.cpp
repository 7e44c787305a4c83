#include "dib/dib.h"

#include <memory>

#include "dib/dib_errors.h"
#include "dib/picture_registry.h"

namespace lumeret {

Dib::Dib() : pixels_(std::make_shared<DibPixels>()) { ClearPaletteModified(); }

void Dib::ReleasePixels() {
    DibAssert(pixels_ != nullptr, "TVYDIB.ReleaseInternalDIB: InternalDIB should not be Nil");
    pixels_.reset();
}

void Dib::SwapIn(std::shared_ptr<DibPixels> fresh) {
    ReleasePixels();
    pixels_ = std::move(fresh);
}

void Dib::ClearPaletteModified() {
    DibAssert(pixels_ != nullptr, "TVyDIB.UpdatePaletteModified: InternalDIB Should not be Nil");
    DibAssert(pixels_.use_count() == 1, "TVyDIB.UpdatePaletteModified RefCount Must be 1");
    pixels_->PaletteModified = false;
}

void Dib::DetachPixels() {
    DibAssert(pixels_ != nullptr, "TVyDIB.UniqueDIB: InternalDIB Should not be Nil");
    if (pixels_.use_count() == 1) {
        return;
    }
    SwapIn(std::make_shared<DibPixels>(*pixels_));
    ClearPaletteModified();
}

void Dib::LoadFromStream(Stream& stream) {
    SwapIn(std::make_shared<DibPixels>());
    pixels_->LoadFromStream(stream);
    ClearPaletteModified();
    Changed();
}

void Dib::SaveToStream(Stream& stream) const {
    DibAssert(pixels_ != nullptr, "TVyDIB.SaveToStream: InternalDIB Should not be Nil");
    pixels_->SaveToStream(stream);
}

void Dib::LoadFromClipboardFormat(std::uint16_t format, GlobalHandle data, PaletteHandle) {
    if (format != kCfDib || data == nullptr) {
        throw InvalidDibError("TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
    }
    // The picture held so far, when no other Dib shares it, lends its store:
    // a new picture of the same size is then copied into memory in place.
    PixelStore spare;
    if (pixels_.use_count() == 1) {
        spare = std::move(pixels_->Image.Store);
    }
    SwapIn(std::make_shared<DibPixels>());
    pixels_->LoadFromClipboardFormat(data, std::move(spare), OnPixelsChecked);
    ClearPaletteModified();
    Changed();
}

void Dib::SaveToClipboardFormat(std::uint16_t& format, GlobalHandle& data,
                                   PaletteHandle& palette) const {
    DibAssert(pixels_ != nullptr, "TVyDIB.SaveToClipboardFormat: InternalDIB Should not be Nil");
    GlobalHandle block = nullptr;
    pixels_->SaveToClipboardFormat(block);
    format = kCfDib;
    data = block;
    palette = nullptr;
}

void Dib::Assign(const Graphic* source) {
    DibAssert(pixels_ != nullptr, "TVyDIB.Assign: InternalDIB Should not be Nil");
    if (source == nullptr) {
        SwapIn(std::make_shared<DibPixels>());
        ClearPaletteModified();
        return;
    }
    if (const auto* other = dynamic_cast<const Dib*>(source)) {
        if (other == this) {
            return;
        }
        DibAssert(other->pixels_ != nullptr, "TVyDIB.Assign: InternalDIB Should not be Nil");
        SwapIn(other->pixels_);
        return;
    }
    Graphic::Assign(source);
}

void Dib::AssignTo(Graphic& dest) const {
    DibAssert(pixels_ != nullptr, "TVyDIB.AssignTo: InternalDIB Should not be Nil");
    if (auto* other = dynamic_cast<Dib*>(&dest)) {
        other->Assign(this);
        return;
    }
    Graphic::AssignTo(dest);
}

void Dib::Draw(Canvas& canvas, const Rect& rect) {
    if (pixels_ == nullptr) {
        return;
    }
    PaletteHandle palette = GetPalette();
    canvas.StretchDib(rect, pixels_->Image, palette);
}

bool Dib::GetEmpty() const {
    DibAssert(pixels_ != nullptr, "TVyDIB.GetEmpty: InternalDIB Should not be Nil");
    return false;
}

std::int32_t Dib::GetWidth() const {
    DibAssert(pixels_ != nullptr, "TVyDIB.GetWidth: InternalDIB Should not be Nil");
    return pixels_->Width;
}

std::int32_t Dib::GetHeight() const {
    DibAssert(pixels_ != nullptr, "TVyDIB.GetHeight: InternalDIB Should not be Nil");
    return pixels_->Height;
}

void Dib::Resize(std::int32_t width, std::int32_t height) {
    SwapIn(std::make_shared<DibPixels>(width, height, pixels_->Image.Header.biBitCount,
                                       static_cast<std::int32_t>(pixels_->Image.Header.biClrUsed)));
    ClearPaletteModified();
    Changed();
}

void Dib::SetWidth(std::int32_t value) {
    DibAssert(pixels_ != nullptr, "TVyDIB.SetWidth: InternalDIB Should not be Nil");
    if (value <= 0) {
        throw InvalidDibParameterError("TVyDIB.SetWidth: Invalid Width");
    }
    if (value == pixels_->Width) {
        return;
    }
    Resize(value, pixels_->Height);
}

void Dib::SetHeight(std::int32_t value) {
    DibAssert(pixels_ != nullptr, "TVyDIB.SetHeight: InternalDIB Should not be Nil");
    if (value == 0) {
        throw InvalidDibParameterError("TVyDIB.SetHeight: Invalid Height");
    }
    if (value == pixels_->Height) {
        return;
    }
    Resize(pixels_->Width, value);
}

PaletteHandle Dib::GetPalette() {
    DibAssert(pixels_ != nullptr, "TVyDIB.GetPalette: InternalDIB Should not be Nil");
    if (!pixels_->Palette && pixels_->Image.Header.biClrUsed != 0) {
        pixels_->Palette = pixels_->MakePalette();
    }
    return pixels_->Palette.get();
}

void Dib::SetPalette(PaletteHandle value) {
    DibAssert(pixels_ != nullptr, "TVyDIB.SetPalette: InternalDIB Should not be Nil");
    DetachPixels();
    if (value == nullptr) {
        // The palette made so far stays; only the colour table is emptied.
        pixels_->Image.Header.biClrUsed = 0;
    } else {
        PaletteEntry entries[kMaxColors];
        const unsigned count = PaletteGetEntries(value, 0, kMaxColors, entries);
        if (count == 0) {
            throw InvalidPaletteError("TVyDIB.SetPalette: Invalid Palette");
        }
        pixels_->Image.Header.biClrUsed = count;
        for (unsigned i = 0; i < count; ++i) {
            pixels_->Image.Colors[i] = {entries[i].blue, entries[i].green, entries[i].red, 0};
        }
        // The storage owns value from now on. The palette it made or received
        // before goes, so that it does not outlive the image; resetting to the
        // very handle it holds would delete that handle.
        if (pixels_->Palette.get() != value) {
            pixels_->Palette.reset(value);
        }
    }
    ClearPaletteModified();
    Changed();
}

namespace {

std::unique_ptr<Graphic> MakeDib() { return std::make_unique<Dib>(); }

// The registration runs when the program starts, before any window exists.
const bool kRegistered = (RegisterDibFormat(), true);

}  // namespace

void RegisterDibFormat() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    RegisterClipboardFormat(kCfDib, MakeDib);
    RegisterFileFormat("dib", "Device Independent Bitmap", MakeDib);
}

}  // namespace lumeret
