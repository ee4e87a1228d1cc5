#include "ui/support/picture_image.h"

#include "render/surface.h"

namespace kx::ui {

QImage ToQImage(const kx::Surface &surface)
{
    if (surface.IsEmpty())
        return QImage();
    return QImage(
        surface.Bits(), surface.Width(), surface.Height(), surface.Stride(), QImage::Format_BGR888)
        .copy();
}

QImage FittedPicture(const kx::IPicture &picture, QSize box)
{
    const kx::KXSize size
        = kx::FitSize(picture.Width(), picture.Height(), box.width(), box.height());
    kx::Surface surface(size.width, size.height);
    if (surface.IsEmpty())
        return QImage();
    surface.DrawFit(picture, 0, 0, size.width, size.height);
    QImage image = ToQImage(surface).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(kx::kKeyRed, kx::kKeyGreen, kx::kKeyBlue);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] == key)
                row[x] = qRgba(0, 0, 0, 0);
        }
    }
    return image;
}

} // namespace kx::ui
