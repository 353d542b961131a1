#include "app/window/fonts.h"

#include <QApplication>

namespace yanchuan::fonts {

void SetUpFonts()
{
    QFont::insertSubstitutions(kSimSun, {"Noto Serif CJK SC"});
    QFont::insertSubstitutions(kSong, {"Noto Serif CJK SC"});
    QFont::insertSubstitutions(kYaHei, {"Noto Sans CJK SC"});
    // Narrow enough that "00:00:00" at 56 pixels fits the clock label.
    QFont::insertSubstitutions(kStencil, {"DejaVu Sans Condensed", "Noto Sans CJK SC"});
    QApplication::setFont(FaceAt(kDefaultFace, kDefaultPixelSize));
}

QFont FaceAt(const char* face, int pixelSize)
{
    QFont font(QString::fromUtf8(face));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace yanchuan::fonts
