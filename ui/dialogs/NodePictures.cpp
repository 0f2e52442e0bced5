// Drawing of the node pictures with plain GDI shapes on a 16-unit grid, so they stay crisp when scaled.
#include "ui/dialogs/NodePictures.h"

#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

struct Shape {
  int left, top, right, bottom;  // on the 16-unit grid
  COLORREF color;
};

constexpr COLORREF kDark = RGB(60, 60, 60);
constexpr COLORREF kScreen = RGB(90, 160, 230);
constexpr COLORREF kFolder = RGB(235, 190, 70);
constexpr COLORREF kFolderFront = RGB(250, 215, 110);
constexpr COLORREF kPaper = RGB(250, 250, 250);
constexpr COLORREF kBody = RGB(170, 170, 170);
constexpr COLORREF kGlobe = RGB(60, 150, 90);

const Shape kComputer[] = {
    {2, 2, 14, 11, kDark}, {3, 3, 13, 10, kScreen}, {7, 11, 9, 13, kDark}, {4, 13, 12, 15, kDark}};
const Shape kFolderShapes[] = {{1, 3, 7, 5, kFolder}, {1, 4, 15, 14, kFolder}, {2, 6, 14, 13, kFolderFront}};
const Shape kPrinter[] = {{4, 1, 12, 6, kPaper}, {1, 6, 15, 12, kBody}, {2, 7, 14, 11, kDark}, {4, 10, 12, 15, kPaper}};
const Shape kNetwork[] = {{3, 1, 13, 9, kGlobe},
                          {7, 9, 9, 12, kDark},
                          {1, 12, 15, 14, kDark},
                          {1, 14, 3, 16, kDark},
                          {13, 14, 15, 16, kDark}};

template <size_t N>
void Draw(HDC dc, const Shape (&shapes)[N], UINT dpi) {
  for (const Shape& shape : shapes) {
    RECT bounds{Scale(shape.left, dpi), Scale(shape.top, dpi), Scale(shape.right, dpi), Scale(shape.bottom, dpi)};
    const UniqueBrush brush(CreateSolidBrush(shape.color));
    FillRect(dc, &bounds, brush.get());
  }
}

}  // namespace

UniqueImageList CreateNodePictures(UINT dpi) {
  const int size = Scale(16, dpi);
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 4, 0));
  const UniqueScreenDc screen(GetDC(nullptr));
  const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  constexpr COLORREF kTransparent = RGB(255, 0, 255);
  for (int picture = 0; picture < 4; ++picture) {
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), size, size));
    const HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
    RECT all{0, 0, size, size};
    const UniqueBrush background(CreateSolidBrush(kTransparent));
    FillRect(dc.get(), &all, background.get());
    switch (picture) {
      case 0: Draw(dc.get(), kComputer, dpi); break;
      case 1: Draw(dc.get(), kFolderShapes, dpi); break;
      case 2: Draw(dc.get(), kPrinter, dpi); break;
      default: Draw(dc.get(), kNetwork, dpi); break;
    }
    // The bitmap leaves the DC before the list copies it.
    SelectObject(dc.get(), old);
    ImageList_AddMasked(list.get(), bitmap.get(), kTransparent);
  }
  return list;
}

}  // namespace velloway
