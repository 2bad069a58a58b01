#include "uninstaller/uninstall_messages.h"

#include "runtime/errors.h"
#include "runtime/platform.h"
#include "uninstaller/uninstaller_texts.h"

namespace {

namespace text = uninstaller_text;

constexpr std::size_t kItemsShown = 15;

std::string DamageReason(const PlanReading& reading) {
    switch (reading.damage) {
    case Damage::BadCount: return FormatText(text::kBadCount, reading.detail);
    case Damage::SectionOutOfPlace: return FormatText(text::kSectionOutOfPlace, reading.detail);
    case Damage::NoEnd: return text::kNoEnd;
    case Damage::UnsafePath: return FormatText(text::kUnsafePath, reading.detail);
    default: return text::kNotARecord;
    }
}

std::string ReasonText(unsigned long code) {
    if (code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION) return text::kFileBusy;
    if (code == ERROR_ACCESS_DENIED) return text::kAccessDenied;
    return FormatText(text::kErrorCode, std::to_string(code));
}

}  // namespace

std::string RefusalText(const std::string& recordPath, const PlanReading* reading) {
    return FormatText(text::kDamaged, recordPath) + (reading ? DamageReason(*reading) : text::kMissing) +
           text::kNothingRemoved;
}

std::string NotRemovedText(const std::vector<NotRemoved>& failures) {
    std::string message = text::kNotRemoved;
    for (std::size_t i = 0; i < failures.size() && i < kItemsShown; ++i)
        message += "\r\n" + failures[i].item + " (" + ReasonText(failures[i].code) + ")";
    if (failures.size() > kItemsShown)
        message += "\r\n" + FormatText(text::kMore, std::to_string(failures.size() - kItemsShown));
    return message;
}
