#pragma once

#include "store/catalogue.h"

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

namespace vellumora {

/// The screens there is one of. The twelve chapter menus and the twenty
/// question pages are named by the catalogue's ChapterId and PageId.
enum class FixedScreen : std::uint8_t {
    Splash,
    MainMenu,
    Instructions,
    About,
    VersionHistory,
    Distribution,
    Warranty,
    Shareware,
    Credits,
    TextEditor,
    SaveNote,
};
inline constexpr int kFixedScreenCount = 11;

/**
 * Which screen: a fixed one, a chapter's menu or a question page. It is made
 * from any of the three ids, so that a hand-over reads
 * handOver(this, catalogue::PageId::Jobs).
 */
class ScreenId {
public:
    enum class Kind : std::uint8_t { Fixed, ChapterMenu, QuestionPage };

    constexpr ScreenId(FixedScreen screen) : kind_(Kind::Fixed), index_(std::uint8_t(screen)) {}
    /// A chapter's screen is its menu.
    constexpr ScreenId(catalogue::ChapterId chapter)
        : kind_(Kind::ChapterMenu), index_(std::uint8_t(chapter)) {}
    constexpr ScreenId(catalogue::PageId page)
        : kind_(Kind::QuestionPage), index_(std::uint8_t(page)) {}

    constexpr Kind kind() const { return kind_; }
    /// The position among the screens of its kind.
    constexpr int index() const { return index_; }
    /// The chapter whose menu this is, if it is a chapter menu.
    std::optional<catalogue::ChapterId> chapterMenu() const;

    /// Its window's objectName, by which outside tools find it: frmMain,
    /// frmChildMain, frmChildhood1.
    QString objectName() const;

    friend constexpr auto operator<=>(const ScreenId&, const ScreenId&) = default;

private:
    Kind kind_;
    std::uint8_t index_;
};

size_t qHash(ScreenId screen, size_t seed = 0);

}  // namespace vellumora
