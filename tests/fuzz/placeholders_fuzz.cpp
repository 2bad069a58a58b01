// Any path text through the placeholder expansion, with folders of every length it may meet.
#include <string>

#include "engine/placeholders.h"

namespace {

struct FakeFolders : PathFolders {
    std::string ProgramFiles() override { return "C:\\Program Files"; }
    std::string Windows() override { return "C:\\WINDOWS"; }
    std::string System() override { return std::string(300, 'S'); }
    std::string InstallFolder() override { return ""; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const char* bytes, std::size_t size) {
    FakeFolders folders;
    ExpandPathWith(std::string(bytes, size), folders);
    return 0;
}
