#include "app/forms/LogoForm.h"

#include <QLabel>

#include <QPixmap>

#include <gtest/gtest.h>

TEST(LogoFormTest, ShowsTheStoredPictureAtItsSize)
{
    TLogoForm form;
    EXPECT_TRUE(form.PictureLoaded());
    EXPECT_EQ(form.size(), QSize(336, 305));
    ASSERT_FALSE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.Image1->pixmap().size(), QSize(336, 305));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(LogoForm, &form);
}

