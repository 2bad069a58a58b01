#include "engine/extraction.h"

#include <optional>

#include "codec/lzma_decoder.h"
#include "engine/folders.h"
#include "engine/progress.h"
#include "package/records.h"
#include "package/settings.h"
#include "runtime/errors.h"
#include "runtime/file.h"
#include "runtime/integer.h"
#include "runtime/unicode.h"

namespace {

// Repainting the status line and the bar costs more than writing a small file, and nobody reads
// faster than this: the window is brought up to date at most this often. Messages are handled
// as often, inside a large file too, so the window answers and Cancel's question shows.
constexpr unsigned long kShowEveryMs = 30;

// Whether the window is due for an update; the run's clock is read once.
bool ShowDue(Installation& run) {
    const unsigned long now = run.now();
    if (now - run.state.LastShown < kShowEveryMs) return false;
    run.state.LastShown = now;
    return true;
}

// Between the pieces of a file: handles the window's messages when due; the user's Yes to the
// close question stops the copy.
bool KeepCopying(void* context) {
    auto& run = *static_cast<Installation*>(context);
    if (ShowDue(run)) run.view.ProcessMessages();
    return !run.view.StopRequested();
}

void ExtractFile(Installation& run, ByteSource& payload, const std::string& installFolder, std::int64_t first, bool last) {
    const StringList& entries = run.package.FileEntries;
    const std::string target = installFolder + ListLine(entries, first);
    // The system takes paths shorter than MAX_PATH characters (UTF-16 units, not our UTF-8 bytes)
    // and would refuse or cut a longer one; nothing is written elsewhere.
    const std::wstring wideTarget = Wide(target);
    if (wideTarget.size() >= MAX_PATH) Fail("FileCreateError", FormatText(messages::kCannotCreateFile, target));
    const std::string folder = FolderPart(target);
    if (!FolderExists(folder)) CreateFolderPath(folder);
    CopyResult copied;
    {
        File out = File::CreateOrFail(target);
        copied = CopyBytes(payload, out, StrToInt(ListLine(entries, first + 1)), KeepCopying, &run);
    }
    // A file cut short (by the user's stop, a full disk, a package copy that ends early) would
    // look installed; it goes before the run stops or the error is shown.
    if (copied != CopyResult::Copied) {
        DeleteFileW(wideTarget.c_str());
        if (copied == CopyResult::ReadFailed) FailReading();
        if (copied == CopyResult::WriteFailed) FailWriting();
        return;
    }
    // Only now: a read-only file must first be written in full. A file just created holds the
    // archive attribute alone, the usual record's: setting it again would cost a quarter of a
    // millisecond a file under Wine.
    const auto attributes = static_cast<DWORD>(StrToInt(ListLine(entries, first + 2)));
    if (attributes != FILE_ATTRIBUTE_ARCHIVE) SetFileAttributesW(wideTarget.c_str(), attributes);
    ++run.state.FilesDone;
    run.view.FileInstalled(target);
    if (!ShowDue(run) && !last) return;
    DrawProgress(run.view, run.state);
    run.view.ShowInstalledFile(target);
    run.view.ProcessMessages();
}

}  // namespace

void InstallView::ShowInstalledFile(const std::string& path) { SetStatus(NamePart(path)); }

void DrawProgress(InstallView& view, const InstallState& state) {
    view.DrawProgressBar(ProgressWidth(state.FilesDone, state.FilesTotal));
}

void ExtractFiles(Installation& run) {
    // Read once: the box cannot change while the installing page shows, and reading it costs
    // half a millisecond a file under Wine.
    const std::string installFolder = PrepareInstallFolder(run.view);
    if (!FolderExists(installFolder)) CreateFolderPath(installFolder);
    File& copy = run.packageCopy.Bytes();
    if (!copy.Seek(run.package.PayloadOffset)) FailReading();
    FileSource stored(copy);
    // A compressed payload streams through the decoder, file after file, as the stored one does.
    LzmaHeader header{};
    unsigned char headerBytes[kLzmaHeaderSize];
    if (run.package.Compressed && (!copy.ReadExactly(headerBytes, sizeof headerBytes) ||
                                   !ReadLzmaHeader(headerBytes, header)))
        FailReading();
    std::optional<LzmaSource> unpacked;
    if (run.package.Compressed && !unpacked.emplace(stored, header).Ready()) Fail("OutOfMemory", messages::kOutOfMemory);
    ByteSource& payload = unpacked ? static_cast<ByteSource&>(*unpacked) : stored;
    const std::int32_t count = StrToInt(Setting(run.package, setting::kFileCount));
    if (count > 0) run.state.FilesTotal = count;
    run.state.LastShown = run.now();
    for (std::int64_t i = 0; i < count; ++i) {
        if (run.view.StopRequested()) return;
        ExtractFile(run, payload, installFolder, i * kFileRecordLines, i == count - 1);
    }
    // Bytes left over in the stream mean it is not the one the files were packed into.
    if (unpacked && !unpacked->EndsCleanly()) FailReading();
}
