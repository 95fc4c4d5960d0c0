#pragma once

#include <QString>
#include <QStringView>
#include <span>

namespace vellumora::catalogue {

/// The number of questions, answer slots and data file fields.
inline constexpr int kQuestionCount = 81;

/// One question of the questionnaire, in catalogue order.
struct Question {
    const char* chapterKey;  ///< "Childhood"
    const char* key;         ///< "GrowUp": what follows txt in its answer box's name
    const char* page;        ///< the question page that edits it, "frmChildhood1"
    bool startsEmpty;        ///< starts as empty text rather than unset
    const char* text;        ///< the wording the document prints
};

/// A question page of a chapter.
struct Page {
    const char* name;     ///< "frmChildhood1"
    const char* caption;  ///< "Vellumora - Childhood #1"
};

/// One life chapter, in catalogue order.
struct Chapter {
    const char* key;          ///< "Childhood"
    const char* menuLabel;    ///< caption of its main menu label, "&Childhood"
    const char* menu;         ///< its chapter menu screen, "frmChildMain"
    const char* menuCaption;  ///< "Vellumora - Childhood"
    std::span<const Page> pages;
    const char* heading;  ///< "CHILDHOOD:", opens the chapter in the document
    int firstPosition;    ///< catalogue position of its first question (1-based)
    int questionCount;
};

/// A label that shows a question in other words than the catalogue's.
struct ScreenWording {
    const char* screen;  ///< "frmChildhood1"
    const char* slot;    ///< "Childhood.Lived"
    const char* text;
};

std::span<const Chapter> chapters();
/// All 81 questions; index i holds catalogue position i + 1.
std::span<const Question> questions();
/// The question at a catalogue position, 1 to 81.
const Question& question(int position);
std::span<const Question> questionsOf(const Chapter& chapter);
const Chapter& chapterOf(const Question& question);
/// The chapter with the given key, or nullptr.
const Chapter* findChapter(QStringView key);

/// "Childhood.GrowUp".
QString slotName(const Question& question);
/// The catalogue position (1 to 81) of a slot name, or 0 when there is none.
int positionOf(QStringView slot);

/// The key that names a question's button, mark and label on its chapter
/// menu: the question key, except for the three questions named otherwise.
QString menuControlKey(const Question& question);
/// The name of a question's label on its question page.
QString pageLabelName(const Question& question);

std::span<const ScreenWording> screenWordings();
/// The wording that a screen shows for a question: its own where it has one,
/// the catalogue text otherwise.
QString wordingOn(QStringView screen, const Question& question);

}  // namespace vellumora::catalogue
