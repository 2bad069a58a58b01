#include "toolkit/autosize.h"

std::string AutoSizeText(const std::string& caption, bool italic) {
    return italic ? caption + ' ' : caption;
}

Size AutoSizedSize(Align align, AutoSizeExtras extras, Size text, Size current) {
    Size size = current;
    const bool widthFree = align == Align::None || align == Align::Left || align == Align::Right;
    const bool heightFree = align == Align::None || align == Align::Top || align == Align::Bottom;
    if (widthFree && extras.width > 0) size.width = text.width + extras.width;
    if (heightFree && extras.height > 0) size.height = text.height + extras.height;
    return size;
}
