#include "package/package_text.h"

#include <algorithm>

#include "package/records.h"
#include "package/safe_path.h"
#include "package/settings.h"
#include "package/shifted_text.h"
#include "runtime/errors.h"
#include "runtime/integer.h"

namespace {

// Reads count lines into list, adding each with its line break to the text block's length. Lines
// past the end of the text all read as empty: they are counted, not stored (ListLine reads them as
// empty), so a count of two billion costs no more than the bytes there are.
bool ReadLines(LineReader& reader, std::int64_t count, StringList& list, PackageData& data,
               std::int64_t& linesPastEnd) {
    for (std::int64_t i = 0; i < count; ++i) {
        if (reader.TextEnded()) {
            linesPastEnd += count - i;
            data.PayloadOffset += (count - i) * 2;
            return linesPastEnd <= kMaxLinesPastEnd;
        }
        list.push_back(reader.ReadLine());
        data.PayloadOffset += static_cast<std::int64_t>(list.back().size()) + 2;
    }
    return true;
}

// The records of a list worth checking: those with a stored line, and the first one past them,
// which stands for every later one: their lines all read as empty.
std::int64_t RecordsToCheck(const PackageData& data, setting::Line countLine, const StringList& list,
                            int recordLines) {
    const std::int64_t count = ParseInteger(Setting(data, countLine)).value_or(0);
    // Divided as a size: a list's length and the few lines added stay far below the size type's
    // limit, and 32-bit programs have no 64-bit division of their own.
    const std::size_t stored = (list.size() + recordLines - 1) / static_cast<std::size_t>(recordLines);
    return std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(stored) + 1);
}

}  // namespace

std::string ReadPackageText(ByteSource& source, PackageData& data) {
    LineReader reader(source);
    data.PayloadOffset = 0;
    std::int64_t linesPastEnd = 0;
    const std::string tooMany = "the record counts ask for more lines than the package holds";
    if (!ReadLines(reader, setting::kCount, data.MainSettings, data, linesPastEnd)) return tooMany;
    data.MainSettings.resize(setting::kCount);  // settings are read by number all through the run
    struct RecordList {
        int countLine;
        int recordLines;
        StringList& list;
    };
    for (const RecordList& records : {RecordList{setting::kRegistryCount, kRegistryRecordLines, data.RegistryEntries},
                                      RecordList{setting::kShortcutCount, kShortcutRecordLines, data.ShortcutEntries},
                                      RecordList{setting::kFileCount, kFileRecordLines, data.FileEntries}}) {
        const std::string& countText = data.MainSettings[records.countLine];
        const auto count = ParseInteger(countText);
        if (!count) return FormatText(messages::kNotAnInteger, countText);
        if (*count > 0 && !ReadLines(reader, std::int64_t{*count} * records.recordLines, records.list, data, linesPastEnd))
            return tooMany;
    }
    data.LicenceText = data.MainSettings[setting::kLicenceText];
    UnshiftText(data.LicenceText);
    return {};
}

std::string CheckFileRecords(const PackageData& data, std::int64_t copyLength) {
    // Negative when the counts asked for lines past the end: harmless unless a file needs bytes.
    const std::int64_t payload = copyLength - data.PayloadOffset;
    std::int64_t total = 0;
    const StringList& entries = data.FileEntries;
    const std::int64_t records = RecordsToCheck(data, setting::kFileCount, entries, kFileRecordLines);
    for (std::int64_t i = 0; i < records; ++i) {
        const std::string& path = ListLine(entries, i * kFileRecordLines);
        const std::string& size = ListLine(entries, i * kFileRecordLines + 1);
        const std::string& attributes = ListLine(entries, i * kFileRecordLines + 2);
        const std::string which = "file record " + IntToStr(i + 1);
        if (const std::string fault = RelativePathFault(path); !fault.empty())
            return which + ": the path '" + path + "' " + fault;
        const auto bytes = ParseInteger(size);
        if (!bytes || *bytes < 0) return which + ": size '" + size + "' is not a byte count";
        if (!ParseInteger(attributes)) return which + ": attributes '" + attributes + "' are not an integer";
        total += *bytes;
        if (total > payload)
            return which + ": the file sizes need " + IntToStr(total) + " bytes, the payload holds " +
                   IntToStr(payload);
    }
    // The builder writes exact sizes: bytes left over mean a size or a count is wrong, and every
    // file after the wrong one would be installed shifted.
    if (payload > 0 && total < payload)
        return "the file sizes add up to " + IntToStr(total) + " bytes, the payload holds " +
               IntToStr(payload);
    return {};
}

std::string CheckLinkAndKeyRecords(const PackageData& data) {
    const std::string& group = data.MainSettings[setting::kProgramGroup];
    if (const std::string fault = RelativePathFault(group); !fault.empty())
        return "the program group '" + group + "' " + fault;
    const std::int64_t links = RecordsToCheck(data, setting::kShortcutCount, data.ShortcutEntries, kShortcutRecordLines);
    for (std::int64_t i = 0; i < links; ++i) {
        const std::string& name = ListLine(data.ShortcutEntries, i * kShortcutRecordLines + 1);
        if (const std::string fault = RelativePathFault(name); !fault.empty())
            return "shortcut record " + IntToStr(i + 1) + ": the name '" + name + "' " + fault;
    }
    const std::int64_t keys = RecordsToCheck(data, setting::kRegistryCount, data.RegistryEntries, kRegistryRecordLines);
    for (std::int64_t i = 0; i < keys; ++i)
        if (ListLine(data.RegistryEntries, i * kRegistryRecordLines + 1).find_first_not_of('\\') == std::string::npos)
            return "registry record " + IntToStr(i + 1) + ": the key path is empty";
    return {};
}

std::int64_t TotalFileSize(const PackageData& data) {
    std::int64_t total = 0;
    for (std::size_t i = 1; i < data.FileEntries.size(); i += kFileRecordLines)
        total += ParseInteger(data.FileEntries[i]).value_or(0);
    return total;
}
