#include "engine/extraction.h"

#include <algorithm>
#include <memory>

#include "engine/folders.h"
#include "engine/progress.h"
#include "engine/records.h"
#include "package/settings.h"
#include "runtime/errors.h"
#include "runtime/file.h"
#include "runtime/integer.h"

namespace {

constexpr std::int64_t kCopyPiece = 61440;

// Copies size bytes from the package copy's read position; a copy that ends early is a read error.
void CopyBytes(File& from, File& to, std::int64_t size) {
    if (size < 0) throw RuntimeError("StreamError", messages::kStreamReadError);
    if (size == 0) return;
    const auto bufferSize = static_cast<std::size_t>(std::min(size, kCopyPiece));
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    while (size > 0) {
        const auto piece = static_cast<std::size_t>(std::min<std::int64_t>(size, kCopyPiece));
        from.ReadExactly(buffer.get(), piece);
        to.Write(buffer.get(), piece);
        size -= static_cast<std::int64_t>(piece);
    }
}

void ExtractFile(Installation& run, File& copy, std::int64_t first) {
    const StringList& entries = run.package.FileEntries;
    const std::string target = run.view.GetInstallFolder() + ListLine(entries, first);
    const std::string folder = FolderPart(target);
    if (!FolderExists(folder)) CreateFolderPath(folder);
    {
        File out = File::Create(target);
        CopyBytes(copy, out, StrToInt(ListLine(entries, first + 1)));
    }
    // Only now: a read-only file must first be written in full.
    SetFileAttributesA(target.c_str(), static_cast<DWORD>(StrToInt(ListLine(entries, first + 2))));
    ++run.state.FilesDone;
    DrawProgress(run.view, run.state);
    run.view.SetStatus(NamePart(target));
    run.view.ProcessMessages();
}

}  // namespace

void DrawProgress(InstallView& view, const InstallState& state) {
    view.DrawProgressBar(ProgressWidth(state.FilesDone, state.FilesTotal));
}

void ExtractFiles(Installation& run) {
    const std::string installFolder = PrepareInstallFolder(run.view);
    if (!FolderExists(installFolder)) CreateFolderPath(installFolder);
    File copy = File::OpenForReading(run.packageCopy);
    copy.Seek(run.package.PayloadOffset);
    const std::int32_t count = StrToInt(Setting(run.package, setting::kFileCount));
    if (count > 0) run.state.FilesTotal = count;
    for (std::int64_t i = 0; i < count; ++i) {
        if (run.view.StopRequested()) return;
        ExtractFile(run, copy, i * kFileRecordLines);
    }
}
