#include "package/package_text.h"

#include "package/safe_path.h"
#include "package/settings.h"
#include "package/shifted_text.h"
#include "runtime/errors.h"
#include "runtime/integer.h"

namespace {

bool ReadLines(LineReader& reader, std::int64_t count, StringList& list, PackageData& data,
               std::int64_t& linesPastEnd) {
    for (std::int64_t i = 0; i < count; ++i) {
        if (reader.TextEnded() && ++linesPastEnd > kMaxLinesPastEnd) return false;
        list.push_back(reader.ReadLine());
        data.PayloadOffset += static_cast<std::int64_t>(list.back().size()) + 2;
    }
    return true;
}

}  // namespace

std::string ReadPackageText(ByteSource& source, PackageData& data) {
    LineReader reader(source);
    data.PayloadOffset = 0;
    std::int64_t linesPastEnd = 0;
    const std::string tooMany = "the record counts ask for more lines than the package holds";
    if (!ReadLines(reader, setting::kCount, data.MainSettings, data, linesPastEnd)) return tooMany;
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
    const std::size_t records = data.FileEntries.size() / kFileRecordLines;
    for (std::size_t i = 0; i < records; ++i) {
        const std::string& size = data.FileEntries[i * kFileRecordLines + 1];
        const std::string& attributes = data.FileEntries[i * kFileRecordLines + 2];
        const std::string which = "file record " + std::to_string(i + 1);
        const std::string& path = data.FileEntries[i * kFileRecordLines];
        if (const std::string fault = RelativePathFault(path); !fault.empty())
            return which + ": the path '" + path + "' " + fault;
        const auto bytes = ParseInteger(size);
        if (!bytes || *bytes < 0) return which + ": size '" + size + "' is not a byte count";
        if (!ParseInteger(attributes)) return which + ": attributes '" + attributes + "' are not an integer";
        total += *bytes;
        if (total > payload)
            return which + ": the file sizes need " + std::to_string(total) + " bytes, the payload holds " +
                   std::to_string(payload);
    }
    // The builder writes exact sizes: bytes left over mean a size or a count is wrong, and every
    // file after the wrong one would be installed shifted.
    if (payload > 0 && total < payload)
        return "the file sizes add up to " + std::to_string(total) + " bytes, the payload holds " +
               std::to_string(payload);
    return {};
}

std::string CheckLinkAndKeyRecords(const PackageData& data) {
    const std::string& group = data.MainSettings[setting::kProgramGroup];
    if (const std::string fault = RelativePathFault(group); !fault.empty())
        return "the program group '" + group + "' " + fault;
    for (std::size_t i = 0; i + kShortcutRecordLines <= data.ShortcutEntries.size(); i += kShortcutRecordLines) {
        const std::string& name = data.ShortcutEntries[i + 1];
        if (const std::string fault = RelativePathFault(name); !fault.empty())
            return "shortcut record " + std::to_string(i / kShortcutRecordLines + 1) + ": the name '" + name + "' " +
                   fault;
    }
    for (std::size_t i = 0; i + kRegistryRecordLines <= data.RegistryEntries.size(); i += kRegistryRecordLines)
        if (data.RegistryEntries[i + 1].find_first_not_of('\\') == std::string::npos)
            return "registry record " + std::to_string(i / kRegistryRecordLines + 1) + ": the key path is empty";
    return {};
}

std::int64_t TotalFileSize(const PackageData& data) {
    std::int64_t total = 0;
    for (std::size_t i = 1; i < data.FileEntries.size(); i += kFileRecordLines)
        total += ParseInteger(data.FileEntries[i]).value_or(0);
    return total;
}
