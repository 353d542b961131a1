#include "app/window/fonts.h"

#include <QApplication>

namespace yanchuan::fonts {

void SetUpFonts()
{
    QFont::insertSubstitutions(kSimSun, {"Noto Serif CJK SC"});
    QFont::insertSubstitutions(kSong, {"Noto Serif CJK SC"});
    QFont::insertSubstitutions(kYaHei, {"Noto Sans CJK SC"});
    // The clock label asks for it in bold: the stand-in for a heavy display face.
    QFont::insertSubstitutions(kStencil, {"Noto Sans CJK SC"});
    QApplication::setFont(FaceAt(kDefaultFace, kDefaultPixelSize));
}

QFont FaceAt(const char* face, int pixelSize)
{
    QFont font(QString::fromUtf8(face));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace yanchuan::fonts
