#include "shell/mainmenu.h"

#include "dialogs/dialogs.h"
#include "shell/recovery.h"
#include "shell/units.h"
#include "store/answerstore.h"
#include "store/datafile.h"

#include <QDir>
#include <QPushButton>

namespace vellumora {

namespace {

constexpr int kRowTop = 120, kRowStep = 360;
constexpr int kLabelHeight = 285;
constexpr int kColumnButtonX[] = {120, 2880};
constexpr int kColumnLabelX[] = {480, 3240};
constexpr int kLabelWidth = 2280;

const QString kLoadCaption = QStringLiteral("Load Previously Saved Data");

MessageRequest notADataFile(const QString& path) {
    return {.title = QStringLiteral("Vellumora"),
            .text = QStringLiteral("\"%1\" is not a story saved by this program, so it was not "
                                   "loaded.  Nothing has been changed.")
                        .arg(QDir::toNativeSeparators(path)),
            .icon = MessageIcon::Warning};
}

// What the editor's square opens, for a screen reader: it has no tooltip.
const QString kEditorDescription =
    QStringLiteral("Your whole story in one document, to change, print and save to a file.");

}  // namespace

/// One entry of the menu: a label and a square button that both open a
/// screen. An entry that opens a chapter's menu carries its completion mark.
struct MainMenu::Entry {
    const char* label;  ///< label name
    const char* caption;
    const char* tooltip;  ///< nullptr for none
    const char* button;
    ScreenId target;
    int column, row;
};

// The entries in tab order: the first column from the top, then the second.
void MainMenu::buildEntries() {
    using catalogue::ChapterId;
    static const Entry kEntries[] = {
        {"lblInfo", "&About this Program", "Information about this program.", "cmdInfo",
         FixedScreen::About, 0, 0},
        {"lblInstruc", "&Instructions", "Instructions on how to use this program.", "cmdInstruc",
         FixedScreen::Instructions, 0, 1},
        {"lblDistribution", "&Distribution", "Distribution information for this program.",
         "cmdDistribution", FixedScreen::Distribution, 0, 2},
        {"lblWarranty", "Warrant&y", "Warranty information about this program.", "cmdWarranty",
         FixedScreen::Warranty, 0, 3},
        {"lblShareware", "Shar&eware", "Information about shareware in general.", "cmdShareware",
         FixedScreen::Shareware, 0, 4},
        {"lblChildhood", "&Childhood", "Questions about your childhood.", "cmdChildhood",
         ChapterId::Childhood, 0, 5},
        {"lblHighSchool", "&High School", "Questions about your high school years.", "cmdHighSch",
         ChapterId::HighSchool, 0, 6},
        {"lblFirstCar", "&First Car", "Questions about your first car.", "cmdFirstCar",
         ChapterId::FirstCar, 0, 7},
        {"lblVolun", "&Volunteering", "Questions about your volunteer services.", "cmdVolunteer",
         ChapterId::Volunteering, 0, 8},
        {"lblJobs", "&Jobs", "Questions about your jobs.", "cmdJobs", ChapterId::Jobs, 1, 0},
        {"lblCollege", "Colle&ge", "Questions about your college years.", "cmdCollege",
         ChapterId::College, 1, 1},
        {"lblMilitary", "&Military", "Questions about you and the military.", "cmdMilitary",
         ChapterId::Military, 1, 2},
        {"lblWedding", "&Wedding", "Questions about your wedding.", "cmdWedding",
         ChapterId::Wedding, 1, 3},
        {"lblKids", "Having Child&ren", "Questions about having your children.", "cmdKids",
         ChapterId::Children, 1, 4},
        {"lblTravel", "&Travel", "Questions about your travel experiences.", "cmdTravel",
         ChapterId::Travel, 1, 5},
        {"lblLife", "&Life in General", "Questions about your life in general.", "cmdLife",
         ChapterId::Life, 1, 6},
        {"lblFinal", "Fi&nal Thoughts", "For your final comments.", "cmdFinal", ChapterId::Final, 1,
         7},
        {"lblSave", "Edit Text && Save to File", nullptr, "cmdSaveFile", FixedScreen::TextEditor, 1,
         8},
    };
    for (const Entry& entry : kEntries)
        buildEntry(entry);
}

MainMenu::MainMenu(AppContext& context)
    : Screen(context, QStringLiteral("Vellumora"), QSize(5640, 3960), CloseBox::AskExit) {
    buildEntries();
    buildExitAndLoad();
    chainTabOrder(tabOrder_);
    // Answers given back all at once show their marks at once; a single
    // answer, or a data file read, waits for the next activation.
    connect(&context.store, &AnswerStore::answersReplaced, this, &MainMenu::refreshCompletionMarks);
}

void MainMenu::buildEntry(const Entry& entry) {
    const auto open = [this, target = entry.target] { handOverTo(target); };
    const int y = kRowTop + kRowStep * entry.row;
    const QString tooltip = entry.tooltip ? QString::fromLatin1(entry.tooltip) : QString();

    auto* label = new ClickableLabel(QString::fromLatin1(entry.caption), this);
    label->setObjectName(QLatin1StringView(entry.label));
    look::styleLabel(label);
    label->setGeometry(pxRect(kColumnLabelX[entry.column], y, kLabelWidth, kLabelHeight));
    label->setToolTip(tooltip);
    connect(label, &ClickableLabel::clicked, this, open);

    // The squares have no caption: a screen reader says what each opens.
    const QString title = look::withoutAccessKey(label->text());
    const QString opensName = QStringLiteral("Open ") + title;
    const QString what = tooltip.isEmpty() ? kEditorDescription : tooltip;
    QPushButton* button = nullptr;
    if (const std::optional<catalogue::ChapterId> chapter = entry.target.chapterMenu()) {
        auto pair = std::make_unique<MarkPair>(this, QString::fromLatin1(entry.button),
                                               QPoint(kColumnButtonX[entry.column], y), open);
        pair->plain()->setToolTip(tooltip);
        pair->marked()->setToolTip(tooltip);
        pair->describe(opensName, what, title + QStringLiteral(": complete"),
                       opensName + QStringLiteral(". ") + what);
        button = pair->plain();
        marks_.push_back({*chapter, std::move(pair), label});
    } else {
        button = new SquareButton(SquareButton::Face::Plain, this);
        button->setObjectName(QLatin1StringView(entry.button));
        button->move(pxPoint(kColumnButtonX[entry.column], y));
        button->setToolTip(tooltip);
        button->setAccessibleName(opensName);
        button->setAccessibleDescription(what);
        connect(button, &QPushButton::clicked, this, open);
    }
    // The label's access key moves the focus to its button.
    label->setBuddy(button);
    tabOrder_.push_back(button);
}

void MainMenu::buildExitAndLoad() {
    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("cmdExit"));
    exit->setToolTip(QStringLiteral("Click here to exit the program."));
    exit->setFont(look::buttonFont());
    exit->setGeometry(pxRect(4320, 3360, 1095, 495));
    connect(exit, &QPushButton::clicked, this, [this] {
        if (confirmExit(context().dialogs, this))
            context().screens.endProgram();
    });
    tabOrder_.push_back(exit);
    for (const ChapterMark& mark : marks_)
        tabOrder_.push_back(mark.pair->marked());

    auto* load = new SquareButton(SquareButton::Face::Plain, this);
    load->setObjectName(QStringLiteral("cmdLoad"));
    load->move(pxPoint(840, 3480));
    load->setAccessibleName(kLoadCaption);
    load->setAccessibleDescription(
        QStringLiteral("Read back the answers from a data file saved earlier."));
    connect(load, &QPushButton::clicked, this, &MainMenu::LoadData);
    tabOrder_.push_back(load);

    auto* label = new ClickableLabel(kLoadCaption, this);
    label->setObjectName(QStringLiteral("lblLoad"));
    look::styleLabel(label);
    label->setGeometry(pxRect(1200, 3480, 3000, kLabelHeight));
    connect(label, &ClickableLabel::clicked, this, &MainMenu::LoadData);
}

const MarkPair* MainMenu::markOf(catalogue::ChapterId chapter) const {
    for (const ChapterMark& mark : marks_)
        if (mark.chapter == chapter)
            return mark.pair.get();
    return nullptr;
}

void MainMenu::activate() {
    refreshCompletionMarks();
}

// Marks only ever appear: a chapter stays marked for the rest of the run even
// when one of its answers is emptied later.
void MainMenu::refreshCompletionMarks() {
    for (const ChapterMark& mark : marks_) {
        const catalogue::Chapter& chapter = catalogue::chapter(mark.chapter);
        if (mark.pair->isMarked() || !context().store.isChapterComplete(chapter))
            continue;
        mark.pair->mark();
        mark.label->setBuddy(mark.pair->marked());
    }
}

void MainMenu::LoadData() {
    const MessageRequest question{
        .title = QStringLiteral("Vellumora"),
        .text = QStringLiteral("NOTE:  Previously saved data must be data previously saved by THIS "
                               "program and must have "
                               "a '.dat' extension.  Also, any current data not yet saved TO A "
                               "FILE will be lost.  Do you "
                               "still want to load previously saved data?"),
        .icon = MessageIcon::Question,
        .buttons = MessageButtons::YesNoCancel,
        .defaultButton = MessageButton::Cancel};
    if (context().dialogs.message(this, question) != MessageButton::Yes)
        return;

    FileRequest request;
    request.filters = {QStringLiteral("Data Files (*.dat)")};
    request.fileName = context().recovery.lastDataFile();  // its folder, where she keeps them
    const std::optional<QString> path = context().dialogs.openFile(this, request);
    if (!path)
        return;
    // Failures end the load silently; fields read before the failure stay.
    // A file that is no data file at all (her book's PDF, the document
    // itself) is refused whole and said so, or she would think it loaded.
    const datafile::ReadResult result = datafile::readFile(*path, context().store);
    if (result == datafile::ReadResult::NotADataFile || result == datafile::ReadResult::TooLarge)
        context().dialogs.message(this, notADataFile(*path));
    if (result == datafile::ReadResult::Complete)
        context().recovery.answersReadFromFile(*path);
}

}  // namespace vellumora
