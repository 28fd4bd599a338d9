// The main window's look: the three pages as the layout table draws them, the picture's frame
// and letters, the pyramid's red centre and maroon border; pictures for the gallery.
#include "ui/MainFormView.h"

#include <string>

#include <gtest/gtest.h>

#include "common/Png.h"
#include "ui/Image.h"
#include "ui/PageControl.h"
#include "ui/ProductPicture.h"
#include "win32/DrawTestSupport.h"

namespace {

class View : public TMainFormView {
 public:
  View() : TMainFormView("Corvane Quillon Installer") {}
  using TMainFormView::PageControl1;
  using TMainFormView::TabSheet2;
  using TMainFormView::TabSheet3;
};

TEST(MainWindowView, PictureFrameLettersAndPyramid) {
  View view;
  view.Create();
  view.MakeImage("QL");
  const RgbImage image = Render(view);
  // The picture at (38, 19), 105 x 105: the frame's inner half (5 pixels) yellow, red inside it.
  EXPECT_EQ(image.Pixel(38, 19), 0xFFFF00u);
  EXPECT_EQ(image.Pixel(38 + 4, 19 + 50), 0xFFFF00u);
  EXPECT_EQ(image.Pixel(38 + 5, 19 + 50), 0xFF0000u);
  EXPECT_EQ(image.Pixel(38 + 104, 19 + 104), 0xFFFF00u);
  EXPECT_EQ(image.Pixel(38 + 8, 19 + 8), 0xFF0000u);
  int white = 0;
  for (int y = 19; y < 124; ++y)
    for (int x = 38; x < 143; ++x) white += image.Pixel(x, y) == 0xFFFFFFu;
  EXPECT_GT(white, 300) << "the letters are drawn in white";
  EXPECT_EQ(PictureFontHeight(105, 10), 59);

  // The welcome page's pyramid: red (nearly) in the middle, maroon at its edges (the sheet sits 4 pixels
  // inside the page control at x = 185).
  EXPECT_EQ(image.Pixel(189 + 244, 4 + 195), 0xFE0000u);  // the innermost ring
  EXPECT_EQ(image.Pixel(189 + 1, 4 + 1), 0x800000u);
  EXPECT_EQ(image.Pixel(189 + 487, 4 + 388), 0x800000u);

  const std::string folder = ToWindowsPath(QLX_GALLERY_DIR);
  ::CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(WritePng(folder + "\\main-window-welcome.png", image));
  view.PageControl1.SetActivePage(view.TabSheet2);
  ASSERT_TRUE(WritePng(folder + "\\main-window-install.png", Render(view)));
  view.PageControl1.SetActivePage(view.TabSheet3);
  ASSERT_TRUE(WritePng(folder + "\\main-window-reinstall.png", Render(view)));
}

}  // namespace
