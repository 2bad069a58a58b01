#include "engine/extraction.h"

#include "engine/folders.h"
#include "engine/progress.h"
#include "engine/records.h"
#include "package/settings.h"
#include "runtime/errors.h"
#include "runtime/file.h"
#include "runtime/integer.h"

namespace {

constexpr std::size_t kCopyPiece = 61440;

// Copies size bytes from the package copy's read position; a copy that ends early is a read error.
void ExtractBytes(File& from, File& to, std::int64_t size) {
    switch (CopyBytes(from, to, size, kCopyPiece)) {
    case CopyResult::Copied: return;
    case CopyResult::ReadFailed: FailReading();
    case CopyResult::WriteFailed: FailWriting();
    }
}

void ExtractFile(Installation& run, File& copy, std::int64_t first) {
    const StringList& entries = run.package.FileEntries;
    const std::string target = run.view.GetInstallFolder() + ListLine(entries, first);
    // The system's ANSI calls would refuse or cut a longer path; nothing is written elsewhere.
    if (target.size() >= MAX_PATH) Fail("FileCreateError", FormatText(messages::kCannotCreateFile, target));
    const std::string folder = FolderPart(target);
    if (!FolderExists(folder)) CreateFolderPath(folder);
    {
        File out = File::CreateOrFail(target);
        ExtractBytes(copy, out, StrToInt(ListLine(entries, first + 1)));
    }
    // Only now: a read-only file must first be written in full.
    SetFileAttributesA(target.c_str(), static_cast<DWORD>(StrToInt(ListLine(entries, first + 2))));
    ++run.state.FilesDone;
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
    const std::string installFolder = PrepareInstallFolder(run.view);
    if (!FolderExists(installFolder)) CreateFolderPath(installFolder);
    File copy = File::OpenForReadingOrFail(run.packageCopy);
    if (!copy.Seek(run.package.PayloadOffset)) FailReading();
    const std::int32_t count = StrToInt(Setting(run.package, setting::kFileCount));
    if (count > 0) run.state.FilesTotal = count;
    for (std::int64_t i = 0; i < count; ++i) {
        if (run.view.StopRequested()) return;
        ExtractFile(run, copy, i * kFileRecordLines);
    }
}
