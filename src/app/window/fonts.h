#pragma once

#include <QFont>

// The faces the window names, and their stand-ins on a machine without them.
namespace yanchuan::fonts {

inline constexpr const char* kSimSun = "SimSun";
inline constexpr const char* kSong = "宋体";
inline constexpr const char* kYaHei = "微软雅黑";
inline constexpr const char* kStencil = "Stencil";

// The face every control without a face of its own uses.
inline constexpr const char* kDefaultFace = "Noto Sans CJK SC";
inline constexpr int kDefaultPixelSize = 13;

// Maps the named faces to installed ones and makes the default face one with
// Simplified Chinese glyph forms: without it, the forms of a CJK character
// would follow the locale and come out Japanese under C.UTF-8. Once, before
// the window is built.
void SetUpFonts();

// A font of the face at the height of its character cell in pixels.
QFont FaceAt(const char* face, int pixelSize);

} // namespace yanchuan::fonts
