#include "dib/dib.h"

#include <memory>

#include "dib/dib_errors.h"
#include "dib/picture_registry.h"

namespace lumeret {

Dib::Dib() : internal_(std::make_shared<DibPixels>()) { UpdatePaletteModified(); }

void Dib::ReleaseInternalDIB() {
    DibAssert(internal_ != nullptr, "TVYDIB.ReleaseInternalDIB: InternalDIB should not be Nil");
    internal_.reset();
}

void Dib::SwapIn(std::shared_ptr<DibPixels> fresh) {
    ReleaseInternalDIB();
    internal_ = std::move(fresh);
}

void Dib::UpdatePaletteModified() {
    DibAssert(internal_ != nullptr, "TVyDIB.UpdatePaletteModified: InternalDIB Should not be Nil");
    DibAssert(internal_.use_count() == 1, "TVyDIB.UpdatePaletteModified RefCount Must be 1");
    internal_->PaletteModified = false;
}

void Dib::UniqueDIB() {
    DibAssert(internal_ != nullptr, "TVyDIB.UniqueDIB: InternalDIB Should not be Nil");
    if (internal_.use_count() == 1) {
        return;
    }
    SwapIn(std::make_shared<DibPixels>(*internal_));
    UpdatePaletteModified();
}

void Dib::LoadFromStream(Stream& stream) {
    SwapIn(std::make_shared<DibPixels>());
    internal_->LoadFromStream(stream);
    UpdatePaletteModified();
    Changed();
}

void Dib::SaveToStream(Stream& stream) const {
    DibAssert(internal_ != nullptr, "TVyDIB.SaveToStream: InternalDIB Should not be Nil");
    internal_->SaveToStream(stream);
}

void Dib::LoadFromClipboardFormat(std::uint16_t format, GlobalHandle data, PaletteHandle) {
    if (format != kCfDibFormat || data == nullptr) {
        throw InvalidDibError("TVyDIB.LoadFromClipboardFormat: Invalid Clipboard Format");
    }
    SwapIn(std::make_shared<DibPixels>());
    internal_->LoadFromClipboardFormat(data);
    UpdatePaletteModified();
    Changed();
}

void Dib::SaveToClipboardFormat(std::uint16_t& format, GlobalHandle& data,
                                   PaletteHandle& palette) const {
    DibAssert(internal_ != nullptr, "TVyDIB.SaveToClipboardFormat: InternalDIB Should not be Nil");
    GlobalHandle block = nullptr;
    internal_->SaveToClipboardFormat(block);
    format = kCfDibFormat;
    data = block;
    palette = nullptr;
}

void Dib::Assign(const Graphic* source) {
    DibAssert(internal_ != nullptr, "TVyDIB.Assign: InternalDIB Should not be Nil");
    if (source == nullptr) {
        SwapIn(std::make_shared<DibPixels>());
        UpdatePaletteModified();
        return;
    }
    if (const auto* other = dynamic_cast<const Dib*>(source)) {
        if (other == this) {
            return;
        }
        DibAssert(other->internal_ != nullptr, "TVyDIB.Assign: InternalDIB Should not be Nil");
        SwapIn(other->internal_);
        return;
    }
    Graphic::Assign(source);
}

void Dib::AssignTo(Graphic& dest) const {
    DibAssert(internal_ != nullptr, "TVyDIB.AssignTo: InternalDIB Should not be Nil");
    if (auto* other = dynamic_cast<Dib*>(&dest)) {
        other->Assign(this);
        return;
    }
    Graphic::AssignTo(dest);
}

void Dib::Draw(Canvas& canvas, const Rect& rect) {
    if (internal_ == nullptr) {
        return;
    }
    PaletteHandle palette = GetPalette();
    canvas.StretchDib(rect, internal_->Record, internal_->Width, internal_->Height, palette);
}

bool Dib::GetEmpty() const {
    DibAssert(internal_ != nullptr, "TVyDIB.GetEmpty: InternalDIB Should not be Nil");
    return false;
}

std::int32_t Dib::GetWidth() const {
    DibAssert(internal_ != nullptr, "TVyDIB.GetWidth: InternalDIB Should not be Nil");
    return internal_->Width;
}

std::int32_t Dib::GetHeight() const {
    DibAssert(internal_ != nullptr, "TVyDIB.GetHeight: InternalDIB Should not be Nil");
    return internal_->Height;
}

void Dib::Resize(std::int32_t width, std::int32_t height) {
    SwapIn(std::make_shared<DibPixels>(width, height, internal_->Record.Header.biBitCount,
                                       static_cast<std::int32_t>(internal_->Record.Header.biClrUsed)));
    UpdatePaletteModified();
    Changed();
}

void Dib::SetWidth(std::int32_t value) {
    DibAssert(internal_ != nullptr, "TVyDIB.SetWidth: InternalDIB Should not be Nil");
    if (value <= 0) {
        throw InvalidDibParameterError("TVyDIB.SetWidth: Invalid Width");
    }
    if (value == internal_->Width) {
        return;
    }
    Resize(value, internal_->Height);
}

void Dib::SetHeight(std::int32_t value) {
    DibAssert(internal_ != nullptr, "TVyDIB.SetHeight: InternalDIB Should not be Nil");
    if (value == 0) {
        throw InvalidDibParameterError("TVyDIB.SetHeight: Invalid Height");
    }
    if (value == internal_->Height) {
        return;
    }
    Resize(internal_->Width, value);
}

PaletteHandle Dib::GetPalette() {
    DibAssert(internal_ != nullptr, "TVyDIB.GetPalette: InternalDIB Should not be Nil");
    if (!internal_->Palette && internal_->Record.Header.biClrUsed != 0) {
        internal_->Palette = internal_->MakePalette();
    }
    return internal_->Palette.get();
}

void Dib::SetPalette(PaletteHandle value) {
    DibAssert(internal_ != nullptr, "TVyDIB.SetPalette: InternalDIB Should not be Nil");
    UniqueDIB();
    if (value == nullptr) {
        // The palette made so far stays; only the colour table is emptied.
        internal_->Record.Header.biClrUsed = 0;
    } else {
        PaletteEntry entries[kMaxColors];
        const unsigned count = PaletteGetEntries(value, 0, kMaxColors, entries);
        if (count == 0) {
            throw InvalidPaletteError("TVyDIB.SetPalette: Invalid Palette");
        }
        internal_->Record.Header.biClrUsed = count;
        for (unsigned i = 0; i < count; ++i) {
            internal_->Record.Colors[i] = {entries[i].blue, entries[i].green, entries[i].red, 0};
        }
        // The storage owns value from now on. The palette it made or received
        // before goes, so that it does not outlive the image; resetting to the
        // very handle it holds would delete that handle.
        if (internal_->Palette.get() != value) {
            internal_->Palette.reset(value);
        }
    }
    UpdatePaletteModified();
    Changed();
}

namespace {

std::unique_ptr<Graphic> MakeVyDIB() { return std::make_unique<Dib>(); }

// The registration runs when the program starts, before any window exists.
const bool kRegistered = (RegisterDibFormat(), true);

}  // namespace

void RegisterDibFormat() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    RegisterClipboardFormat(kCfDibFormat, MakeVyDIB);
    RegisterFileFormat("dib", "Device Independent Bitmap", MakeVyDIB);
}

}  // namespace lumeret
