// Puts things on the clipboard the way another program would, and builds the
// handle a shell drop hands over.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace lumeret::test {

// A solid-coloured bitmap of the given size as CF_BITMAP.
bool PutBitmapOnClipboard(int width, int height, COLORREF color = RGB(200, 40, 40));
// A packed DIB block (header, masks or colours, pixels) as CF_DIB only; the
// system offers CF_BITMAP from it.
bool PutDibOnClipboard(const std::string& packedDib);
// Data of a private format only (neither text nor bitmap).
bool PutPrivateFormatOnClipboard();
bool EmptyTheClipboard();
// A text, or a packed DIB as CF_DIB, with a block of marker bytes in the
// format registered under marker beside it, as a program that copies a
// secret marks it.
bool PutMarkedTextOnClipboard(const std::string& text, const std::string& marker, const std::string& markerBytes);
bool PutMarkedDibOnClipboard(const std::string& packedDib, const std::string& marker, const std::string& markerBytes);
// Whether the clipboard offers the format registered under name.
bool ClipboardHasNamedFormat(const std::string& name);

// A drop handle listing the files, as the shell gives it with WM_DROPFILES.
HDROP MakeDrop(const std::vector<std::string>& files);
// The same with wide names, as the shell of today gives them.
HDROP MakeDrop(const std::vector<std::wstring>& files);

// A BMP file of a 24-bit picture, every pixel the same colour.
std::string SolidBmpFile(int width, int height, unsigned char blue, unsigned char green, unsigned char red);

}  // namespace lumeret::test
