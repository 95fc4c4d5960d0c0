#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <span>

namespace vellumora::catalogue {

/// The number of questions, answer slots and data file fields.
inline constexpr int kQuestionCount = 81;

/// The life chapters in catalogue order; each value indexes chapters().
enum class ChapterId : std::uint8_t {
    Childhood,
    HighSchool,
    FirstCar,
    Volunteering,
    Jobs,
    College,
    Military,
    Wedding,
    Children,
    Travel,
    Life,
    Final,
};
inline constexpr int kChapterCount = 12;

/// The question pages in catalogue order; each value indexes pages().
enum class PageId : std::uint8_t {
    Childhood1,
    Childhood2,
    HighSchool1,
    HighSchool2,
    FirstCar,
    Volunteering,
    Jobs,
    College1,
    College2,
    College3,
    Military1,
    Military2,
    Wedding1,
    Wedding2,
    Children,
    Travel1,
    Travel2,
    Life1,
    Life2,
    Final,
};
inline constexpr int kPageCount = 20;

/// One question of the questionnaire, in catalogue order. The screens name
/// and word it after its key and text except where a column says otherwise.
struct Question {
    PageId page;       ///< the question page that edits it; its chapter is the page's
    const char* key;   ///< "GrowUp": what follows txt in its answer box's name
    bool startsEmpty;  ///< starts as empty text rather than unset
    const char* text;  ///< the wording the document prints
    /// Names its button, mark and label on the chapter menu instead of the key.
    const char* menuKey = nullptr;
    /// Follows lbl in its label's name on its page instead of the key.
    const char* labelKey = nullptr;
    /// Its label on the chapter menu, where that words it otherwise.
    const char* menuWording = nullptr;
    /// Its label on its page, where that breaks or words it otherwise.
    const char* pageWording = nullptr;
};

/// A question page.
struct Page {
    PageId id;
    ChapterId chapter;
    const char* name;     ///< its window's name, frmChildhood1
    const char* caption;  ///< "Vellumora - Childhood #1"
};

/// One life chapter, in catalogue order.
struct Chapter {
    ChapterId id;
    const char* key;          ///< "Childhood"
    const char* menuLabel;    ///< caption of its main menu label, "&Childhood"
    const char* menu;         ///< its chapter menu's window name, frmChildMain
    const char* menuCaption;  ///< "Vellumora - Childhood"
    const char* heading;      ///< "CHILDHOOD:", opens the chapter in the document
    int firstPosition;        ///< catalogue position of its first question (1-based)
    int questionCount;
};

std::span<const Chapter> chapters();
const Chapter& chapter(ChapterId id);
std::span<const Page> pages();
const Page& page(PageId id);
/// The chapter's pages, in order.
std::span<const Page> pagesOf(const Chapter& chapter);

/// All 81 questions; index i holds catalogue position i + 1.
std::span<const Question> questions();
/// The question at a catalogue position, 1 to 81.
const Question& question(int position);
/// The catalogue position (1 to 81) of a question of the catalogue.
int positionOf(const Question& question);
std::span<const Question> questionsOf(const Chapter& chapter);
const Chapter& chapterOf(const Question& question);
/// The question of the chapter with the given key, or nullptr.
const Question* findQuestion(ChapterId chapter, QStringView key);

/// "Childhood.GrowUp".
QString slotName(const Question& question);
/// The catalogue position (1 to 81) of a slot name, or 0 when there is none.
int positionOf(QStringView slot);

/// The key that names a question's button, mark and label on its chapter menu.
QString menuControlKey(const Question& question);
/// The name of a question's label on its question page.
QString pageLabelName(const Question& question);
/// The wording of a question's label on its chapter menu.
QString menuWording(const Question& question);
/// The wording of a question's label on its question page.
QString pageWording(const Question& question);

}  // namespace vellumora::catalogue
