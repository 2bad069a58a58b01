#include "wizard/navigation.h"

#include <vector>

namespace {

std::vector<Page> Sequence(bool licencePage, bool groupPage) {
    std::vector<Page> pages{Page::Welcome};
    if (licencePage) pages.push_back(Page::Licence);
    pages.push_back(Page::Folder);
    if (groupPage) pages.push_back(Page::Group);
    pages.insert(pages.end(), {Page::Ready, Page::Progress, Page::Finish});
    return pages;
}

}  // namespace

Navigation NextNavigation(std::uint8_t step, bool licencePage, bool groupPage) {
    const auto pages = Sequence(licencePage, groupPage);
    if (step == 0 || step > pages.size()) return {};
    if (step == pages.size()) return {PageAction::FinishActions, Page::Finish, Page::Finish};
    return {PageAction::Change, pages[step - 1], pages[step]};
}

Navigation BackNavigation(std::uint8_t step, bool licencePage, bool groupPage) {
    const auto pages = Sequence(licencePage, groupPage);
    // Step s is the page at s + 1 going back to the page at s.
    if (step == 0 || step + 1u >= pages.size()) return {};
    const Page from = pages[step + 1u];
    if (from == Page::Progress || from == Page::Finish) return {};
    return {PageAction::Change, from, pages[step]};
}
