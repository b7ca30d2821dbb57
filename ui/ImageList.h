#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// Images of one size that tool bars take by index.
class TImageList {
public:
    TImageList(int width, int height) : FWidth(width), FHeight(height) {}

    // Adds an image of the list's size; throws Exception for any other size.
    void add(const QImage& image);
    int count() const { return int(FImages.size()); }
    const QImage& image(int index) const { return FImages.at(index); }
    QIcon icon(int index) const;
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

private:
    int FWidth;
    int FHeight;
    QList<QImage> FImages;
};
