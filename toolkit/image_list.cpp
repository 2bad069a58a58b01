#include "toolkit/image_list.h"

ImageList& CreateImageList(Control& owner) { return owner.AttachOwned(std::make_unique<ImageList>()); }

ImageList::~ImageList() {
    if (list_) comctl::ImageList_Destroy(list_);
}

void ImageList::SetImageListColors(int code) {
    if (!list_ && code >= 0 && code <= 7) colorCode_ = code;
}

HBITMAP ImageList::Keep(HBITMAP bitmap) {
    if (bitmap) bitmaps_.emplace_back(bitmap);
    return bitmap;
}

int ImageList::AddMaskedBitmap(HBITMAP bitmap, COLORREF mask) {
    if (width_ <= 0 || height_ <= 0) return -1;
    if (!list_) {
        static constexpr UINT kColorFlags[8] = {ILC_COLORDDB, ILC_COLOR4,  ILC_COLOR8,   ILC_COLOR16,
                                                 ILC_COLOR24,  ILC_COLOR32, ILC_COLORDDB, ILC_COLOR};
        list_ = comctl::ImageList_Create(width_, height_, kColorFlags[colorCode_] | (masked_ ? ILC_MASK : 0), 0, 1);
        if (!list_) return -1;
    }
    return comctl::ImageList_AddMasked(list_, bitmap, mask);
}

HBITMAP LoadBitmapResource(HINSTANCE module, LPCWSTR name, ImageList& owner) {
    return owner.Keep(LoadBitmapW(module, name));
}
