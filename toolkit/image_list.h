#pragma once
// Image lists: pictures of one size, made from bitmaps with a mask colour, drawn by image views.
#include <vector>

#include "runtime/platform.h"
#include "toolkit/common_controls.h"

#include "toolkit/control.h"
#include "toolkit/gdi_object.h"

class ImageList {
public:
    ImageList() = default;
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    HIMAGELIST Handle() const { return list_; }
    // Colour-depth code 0..7; it counts only before the first picture is added.
    void SetImageListColors(int code);
    // Adds the pictures of a bitmap as wide as some images, with mask colour `mask`; the index of
    // the first one added, or -1 when the list cannot be made.
    int AddMaskedBitmap(HBITMAP bitmap, COLORREF mask);
    // The list keeps the bitmap until it is destroyed itself.
    HBITMAP Keep(HBITMAP bitmap);

private:
    int width_ = 32, height_ = 32;
    int colorCode_ = 7;
    bool masked_ = true;
    HIMAGELIST list_ = nullptr;
    std::vector<GdiObject<HBITMAP>> bitmaps_;
};

// An image list destroyed with its owner.
ImageList& CreateImageList(Control& owner);
// The bitmap resource; the bitmap is deleted with the image list that owns it.
HBITMAP LoadBitmapResource(HINSTANCE module, LPCWSTR name, ImageList& owner);
