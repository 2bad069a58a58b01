#include "package/install_steps.h"

#include "package/records.h"
#include "package/settings.h"
#include "runtime/integer.h"

namespace {

// The loader has checked every number a run reads; anything else reads as 0.
std::int32_t Number(std::string_view text) { return ParseInteger(text).value_or(0); }

// The record count, none below 1. Sized once: the setup program's size is budgeted, and growing
// three vectors of records one by one takes room there.
template <class Step>
void SizeFor(std::vector<Step>& steps, const PackageData& package, setting::Line countLine) {
    const std::int32_t count = Number(Setting(package, countLine));
    steps = std::vector<Step>(count > 0 ? static_cast<std::size_t>(count) : 0);
}

// A call, not the inlined look-up, for the same reason.
[[gnu::noinline]] std::string_view Line(const StringList& list, std::size_t index) {
    return ListLine(list, static_cast<std::int64_t>(index));
}

}  // namespace

InstallSteps ReadInstallSteps(const PackageData& package) {
    InstallSteps steps;
    SizeFor(steps.files, package, setting::kFileCount);
    std::size_t line = 0;
    for (FileStep& file : steps.files) {
        file.path = Line(package.FileEntries, line++);
        file.size = Number(Line(package.FileEntries, line++));
        file.attributes = static_cast<std::uint32_t>(Number(Line(package.FileEntries, line++)));
    }
    SizeFor(steps.values, package, setting::kRegistryCount);
    line = 0;
    for (ValueStep& value : steps.values)
        for (std::string_view* field : {&value.root, &value.keyPath, &value.name, &value.data, &value.type})
            *field = Line(package.RegistryEntries, line++);
    SizeFor(steps.links, package, setting::kShortcutCount);
    line = 0;
    for (LinkStep& link : steps.links)
        for (std::string_view* field :
             {&link.place, &link.name, &link.target, &link.workingFolder, &link.arguments, &link.description})
            *field = Line(package.ShortcutEntries, line++);
    return steps;
}
