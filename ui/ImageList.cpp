#include "ui/ImageList.h"

#include "data/Exception.h"

#include <QPixmap>

void TImageList::add(const QImage& image) {
    if (image.width() != FWidth || image.height() != FHeight)
        throw Exception(QStringLiteral("Неверный размер рисунка: %1x%2 вместо %3x%4")
                            .arg(image.width())
                            .arg(image.height())
                            .arg(FWidth)
                            .arg(FHeight));
    FImages.append(image.convertToFormat(QImage::Format_ARGB32));
}

QIcon TImageList::icon(int index) const {
    return QIcon(QPixmap::fromImage(FImages.at(index)));
}
