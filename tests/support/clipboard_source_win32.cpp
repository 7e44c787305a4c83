#include "support/clipboard_source_win32.h"

#include <cstring>

namespace lumeret::test {

namespace {

bool OpenRetrying() {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10 * (attempt + 1));
    }
    return false;
}

HGLOBAL BlockOf(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return nullptr;
    if (void* p = GlobalLock(block)) {
        std::memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    return block;
}

// Replaces the clipboard's contents with blocks in the formats, in one go.
bool PutBlocks(const std::vector<std::pair<UINT, std::string>>& blocks) {
    if (!OpenRetrying()) return false;
    EmptyClipboard();
    bool ok = true;
    for (const auto& [format, bytes] : blocks) {
        HGLOBAL block = BlockOf(bytes);
        if (block && SetClipboardData(format, block)) continue;
        if (block) GlobalFree(block);
        ok = false;
    }
    CloseClipboard();
    return ok;
}

void PutLe(std::string& out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool PutBitmapOnClipboard(int width, int height, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, width, height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (!OpenRetrying()) {
        DeleteObject(bitmap);
        return false;
    }
    EmptyClipboard();
    bool ok = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    if (!ok) DeleteObject(bitmap);
    CloseClipboard();
    return ok;
}

bool PutDibOnClipboard(const std::string& packedDib) { return PutBlocks({{CF_DIB, packedDib}}); }

bool PutMarkedTextOnClipboard(const std::string& text, const std::string& marker, const std::string& markerBytes) {
    return PutBlocks({{CF_TEXT, text + '\0'}, {RegisterClipboardFormatA(marker.c_str()), markerBytes}});
}

bool PutMarkedDibOnClipboard(const std::string& packedDib, const std::string& marker, const std::string& markerBytes) {
    return PutBlocks({{CF_DIB, packedDib}, {RegisterClipboardFormatA(marker.c_str()), markerBytes}});
}

bool ClipboardHasNamedFormat(const std::string& name) {
    return IsClipboardFormatAvailable(RegisterClipboardFormatA(name.c_str())) != FALSE;
}

bool PutPrivateFormatOnClipboard() {
    UINT format = RegisterClipboardFormatA("LumeretTestPrivate");
    if (!OpenRetrying()) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    bool ok = block && SetClipboardData(format, block) != nullptr;
    if (!ok && block) GlobalFree(block);
    CloseClipboard();
    return ok;
}

bool EmptyTheClipboard() {
    if (!OpenRetrying()) return false;
    EmptyClipboard();
    CloseClipboard();
    return true;
}

namespace {

template <typename Char>
HDROP MakeDropOf(const std::vector<std::basic_string<Char>>& files) {
    std::basic_string<Char> list;
    for (const auto& f : files) {
        list += f;
        list.push_back(Char{});
    }
    list.push_back(Char{});
    const std::size_t bytes = list.size() * sizeof(Char);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = sizeof(Char) > 1;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

}  // namespace

HDROP MakeDrop(const std::vector<std::string>& files) { return MakeDropOf(files); }
HDROP MakeDrop(const std::vector<std::wstring>& files) { return MakeDropOf(files); }

std::string SolidBmpFile(int width, int height, unsigned char blue, unsigned char green, unsigned char red) {
    unsigned row = ((static_cast<unsigned>(width) * 3 + 3) / 4) * 4;
    unsigned image = row * static_cast<unsigned>(height);
    std::string out = "BM";
    PutLe(out, 54 + image, 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<unsigned>(width), 4);
    PutLe(out, static_cast<unsigned>(height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, 0, 4);
    PutLe(out, image, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = 0; y < height; ++y) {
        std::string line;
        for (int x = 0; x < width; ++x) {
            line.push_back(static_cast<char>(blue));
            line.push_back(static_cast<char>(green));
            line.push_back(static_cast<char>(red));
        }
        line.resize(row, '\0');
        out += line;
    }
    return out;
}

}  // namespace lumeret::test
