#include "GuiTest.h"
#include "app/forms/LogoForm.h"

TEST(LogoFormTest, ShowsTheStoredPictureAtItsSize)
{
    TLogoForm form;
    EXPECT_TRUE(form.PictureLoaded());
    EXPECT_EQ(form.Image1->pixmap().size(), form.size());
    EXPECT_EQ(LogoForm, &form);
}
