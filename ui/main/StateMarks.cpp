// Drawing the state marks into image lists at a DPI.
#include "ui/main/StateMarks.h"

#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr int kMarkSize = 10;

struct Mark {
  COLORREF ring;
  COLORREF fill;  // kTransparent: a ring only
  bool bar;       // a white bar across, for "look at this"
};

constexpr Mark kMarks[] = {
    {RGB(140, 140, 140), kTransparent, false},     // NotConnected
    {RGB(30, 130, 60), RGB(50, 170, 80), false},   // Connected
    {RGB(190, 130, 0), RGB(240, 170, 30), false},  // Waiting
    {RGB(180, 30, 30), RGB(220, 50, 50), true},    // NeedsCheck
};

void DrawMark(HDC dc, const Mark& mark, int size, UINT dpi) {
  const UniquePen pen(CreatePen(PS_SOLID, Scale(1, dpi), mark.ring));
  const UniqueBrush brush(mark.fill == kTransparent ? nullptr : CreateSolidBrush(mark.fill));
  const HGDIOBJ oldPen = SelectObject(dc, pen.get());
  const HGDIOBJ oldBrush = SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush.get()) : GetStockObject(NULL_BRUSH));
  Ellipse(dc, 0, 0, size, size);
  if (mark.bar) {
    RECT bar{size / 4, size / 2 - Scale(1, dpi), size - size / 4, size / 2 + Scale(1, dpi)};
    FillRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
}

// The administrator's badge: a dark blue square with a white dot, beside the state's mark.
void DrawSharedBadge(HDC dc, int left, int size) {
  RECT square{left, 0, left + size, size};
  const UniqueBrush blue(CreateSolidBrush(RGB(30, 60, 140)));
  FillRect(dc, &square, blue.get());
  RECT dot{left + size / 3, size / 3, left + size - size / 3, size - size / 3};
  FillRect(dc, &dot, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

}  // namespace

std::array<UniqueImageList, 4> CreateStateMarks(UINT dpi, bool shared) {
  const int size = Scale(kMarkSize, dpi);
  const int gap = Scale(2, dpi);
  const int width = shared ? size * 2 + gap : size;
  std::array<UniqueImageList, 4> lists;
  const UniqueScreenDc screen(GetDC(nullptr));
  const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  for (size_t i = 0; i < lists.size(); ++i) {
    lists[i] = UniqueImageList(ImageList_Create(width, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, size));
    const HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
    RECT all{0, 0, width, size};
    const UniqueBrush background(CreateSolidBrush(kTransparent));
    FillRect(dc.get(), &all, background.get());
    DrawMark(dc.get(), kMarks[i], size, dpi);
    if (shared) DrawSharedBadge(dc.get(), size + gap, size);
    // The bitmap leaves the DC before the list copies it.
    SelectObject(dc.get(), old);
    ImageList_AddMasked(lists[i].get(), bitmap.get(), kTransparent);
  }
  return lists;
}

}  // namespace velloway
