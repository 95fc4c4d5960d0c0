#include "shell/screenid.h"

#include <QHashFunctions>
#include <array>

namespace vellumora {

namespace {

struct FixedName {
    FixedScreen screen;
    const char* name;
};

// The window names of the fixed screens; the catalogue names the chapter
// menus and the question pages.
constexpr std::array<FixedName, kFixedScreenCount> kFixedNames{{
    {FixedScreen::Splash, "frmSplash"},
    {FixedScreen::MainMenu, "frmMain"},
    {FixedScreen::Instructions, "frmInstruc"},
    {FixedScreen::About, "frmInfo"},
    {FixedScreen::VersionHistory, "frmVersionHx"},
    {FixedScreen::Distribution, "frmDistribution"},
    {FixedScreen::Warranty, "frmWarranty"},
    {FixedScreen::Shareware, "frmShare"},
    {FixedScreen::Credits, "frmCredits2"},
    {FixedScreen::TextEditor, "frmTxtEditor"},
    {FixedScreen::SaveNote, "frmNote"},
}};

constexpr bool inIdOrder() {
    for (std::size_t i = 0; i < kFixedNames.size(); ++i)
        if (std::size_t(kFixedNames[i].screen) != i)
            return false;
    return true;
}
static_assert(inIdOrder(), "the name table is indexed by FixedScreen");

}  // namespace

std::optional<catalogue::ChapterId> ScreenId::chapterMenu() const {
    if (kind_ != Kind::ChapterMenu)
        return std::nullopt;
    return catalogue::ChapterId(index_);
}

QString ScreenId::objectName() const {
    switch (kind_) {
        case Kind::Fixed:
            return QString::fromLatin1(kFixedNames[index_].name);
        case Kind::ChapterMenu:
            return QString::fromLatin1(catalogue::chapter(catalogue::ChapterId(index_)).menu);
        case Kind::QuestionPage:
            return QString::fromLatin1(catalogue::page(catalogue::PageId(index_)).name);
    }
    return {};
}

size_t qHash(ScreenId screen, size_t seed) {
    return qHashMulti(seed, int(screen.kind()), screen.index());
}

}  // namespace vellumora
