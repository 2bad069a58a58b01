#include "engine/extraction.h"

#include <optional>

#include "codec/lzma_decoder.h"
#include "engine/files_in_use.h"
#include "engine/folders.h"
#include "engine/progress.h"
#include "runtime/errors.h"
#include "runtime/file.h"
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

[[noreturn]] void FailToCreate(const std::string& path) {
    Fail("FileCreateError", FormatText(messages::kCannotCreateFile, path));
}

void ExtractFile(Installation& run, ByteSource& payload, const std::string& installFolder, const FileStep& step,
                 bool last) {
    const std::string target = std::string(installFolder).append(step.path);
    // The system takes paths shorter than MAX_PATH characters (UTF-16 units, not our UTF-8 bytes)
    // and would refuse or cut a longer one; nothing is written elsewhere.
    const std::wstring wideTarget = Wide(target);
    if (wideTarget.size() >= MAX_PATH) FailToCreate(target);
    const std::string folder = FolderPart(target);
    if (!FolderExists(folder)) CreateFolderPath(folder, &run.changes);
    // Into an empty folder the file is simply made; a file already there is first moved aside,
    // to be put back if the run is undone.
    std::string written = target;
    File out = File::CreateNew(target);
    if (!out.IsOpen() && GetLastError() == ERROR_FILE_EXISTS) {
        const Way way = MakeWayForFile(run, target);
        if (way == Way::Stop) return;
        // The file in use stays until the next start; the new one waits beside it.
        if (way == Way::AtRestart) written += ".~new";
        out = File::Create(written);
    }
    if (!out.IsOpen()) FailToCreate(written);
    run.changes.FileMade(written);
    const CopyResult copied = CopyBytes(payload, out, step.size, KeepCopying, &run);
    out.Close();
    // A file cut short (by the user's stop, a full disk, a package copy that ends early) goes with
    // the undo of the run.
    if (copied == CopyResult::ReadFailed) FailReading();
    if (copied == CopyResult::WriteFailed) FailWriting();
    if (copied != CopyResult::Copied) return;
    // Only now: a read-only file must first be written in full. A file just created holds the
    // archive attribute alone, the usual record's: setting it again would cost a quarter of a
    // millisecond a file under Wine.
    if (step.attributes != FILE_ATTRIBUTE_ARCHIVE) SetFileAttributesW(Wide(written).c_str(), step.attributes);
    if (written != target) {
        if (!MoveFileExW(Wide(written).c_str(), wideTarget.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING))
            FailToCreate(target);
        run.state.RestartNeeded = true;
    }
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
    const bool update = FolderExists(installFolder);
    if (!update) CreateFolderPath(installFolder, &run.changes);
    run.changes.SetKeptFolder(installFolder);
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
    const std::vector<FileStep>& files = run.steps.files;
    if (!files.empty()) run.state.FilesTotal = static_cast<int>(files.size());
    run.state.LastShown = run.now();
    // Into a folder that was there, the files of an earlier installation are moved aside ahead of
    // the writing.
    if (update) {
        std::vector<std::string> targets;
        for (const FileStep& file : files) targets.push_back(std::string(installFolder).append(file.path));
        run.changes.StartKeepingAhead(std::move(targets));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (RunStopped(run)) return;
        run.changes.WaitKeptAhead(i);
        ExtractFile(run, payload, installFolder, files[i], i + 1 == files.size());
    }
    // Bytes left over in the stream mean it is not the one the files were packed into.
    if (unpacked && !unpacked->EndsCleanly()) FailReading();
}
