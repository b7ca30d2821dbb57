#include "app/ResourceIcon.h"

#include <QAction>
#include <QImage>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

TEST(ResourceIcon, HoldsSixDistinct64By64ImagesWithAlpha) {
    auto icons = std::unique_ptr<TfrmResourceIcon>(createForm<TfrmResourceIcon>());
    EXPECT_EQ(icons->windowTitle(), QStringLiteral("Контейнер иконок"));
    ASSERT_EQ(icons->ImgList64.count(), 6);
    for (int i = 0; i < 6; ++i) {
        const QImage& image = icons->ImgList64.image(i);
        EXPECT_EQ(image.size(), QSize(64, 64)) << i;
        EXPECT_EQ(image.depth(), 32) << i;
        EXPECT_TRUE(image.hasAlphaChannel()) << i;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corners are transparent, " << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(image, icons->ImgList64.image(j)) << i << " and " << j;
    }
}

TEST(ResourceIcon, GivesToolButtonsTheirImagesByName) {
    QWidget before;
    auto* tbtnAdd = new QToolButton(&before);
    tbtnAdd->setObjectName(QStringLiteral("tbtnAdd"));
    auto* other = new QToolButton(&before);
    other->setObjectName(QStringLiteral("ToolButton4"));
    auto icons = std::unique_ptr<TfrmResourceIcon>(createForm<TfrmResourceIcon>());
    EXPECT_EQ(tbtnAdd->icon().pixmap(64, 64).toImage(), icons->ImgList64.icon(0).pixmap(64, 64).toImage());
    EXPECT_TRUE(other->icon().isNull());

    QWidget after;
    auto* bar = new QToolBar(&after);
    QAction* tbtnReport = bar->addAction(QStringLiteral("Отчет"));
    tbtnReport->setObjectName(QStringLiteral("tbtnReport"));
    QAction* tbtnClose = bar->addAction(QStringLiteral("Закрыть"));
    tbtnClose->setObjectName(QStringLiteral("tbtnClose"));
    icons->bindImages(after);
    EXPECT_EQ(tbtnReport->icon().pixmap(64, 64).toImage(), icons->ImgList64.icon(3).pixmap(64, 64).toImage());
    EXPECT_EQ(tbtnClose->icon().pixmap(64, 64).toImage(), icons->ImgList64.icon(4).pixmap(64, 64).toImage());
}
