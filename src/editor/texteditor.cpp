#include "editor/texteditor.h"

#include "dialogs/dialogs.h"
#include "book/bookcommands.h"
#include "editor/documentassembly.h"
#include "editor/documentfiles.h"
#include "editor/documenttextedit.h"
#include "editor/editcommands.h"
#include "editor/picturecommands.h"
#include "pictures/pictureview.h"
#include "shell/appcontext.h"
#include "shell/recovery.h"
#include "shell/units.h"
#include "spelling/checkspelling.h"
#include "spelling/speller.h"
#include "spelling/spellingcheck.h"
#include "spelling/spellingview.h"
#include "zoom/textzoom.h"
#include "zoom/zoomview.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>
#include <functional>
#include <vector>

namespace vellumora {

namespace {

constexpr int kClientWidth = 6810, kClientHeight = 4995;
constexpr int kTextMargin = 120;  // twips of the window's face around the text area

/// One entry of a menu; an entry without a name is a separator.
struct MenuEntry {
    const char* name;
    const char* caption;
    const char* shortcut;
    std::function<void()> run;
    QAction** keep = nullptr;  ///< receives the action, for those judged later
};

struct MenuSpec {
    const char* name;
    const char* caption;
    std::vector<MenuEntry> entries;
    QMenu** keep = nullptr;  ///< receives the menu
};

const MenuEntry kSeparator{nullptr, nullptr, nullptr, {}};

// The format of the compiled text and of text typed into an empty area.
QTextCharFormat documentFormat() {
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("arial")});
    format.setFontPointSize(12);
    return format;
}

}  // namespace

TextEditor::TextEditor(AppContext& context) : QMainWindow(nullptr), context_(context) {
    setWindowTitle(DocumentFiles::defaultTitle());
    createClientArea();
    files_ = std::make_unique<DocumentFiles>(context_, *this, *text_->document());
    commands_ = std::make_unique<EditCommands>(context_, *text_, *files_, *clientArea_);
    book_ = std::make_unique<book::BookCommands>(context_, *text_->document(), *files_, *this);
    book_->offerSpellingCheck(spellingOffer());
    connect(files_.get(), &DocumentFiles::titleChanged, this, &QWidget::setWindowTitle);
    connect(text_->document(), &QTextDocument::modificationChanged, this,
            &TextEditor::followModified);
    createMenus();
    resize(px(kClientWidth), px(kClientHeight) + menuBar()->sizeHint().height());
}

TextEditor::~TextEditor() = default;

void TextEditor::createClientArea() {
    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(clientArea_);
    text_ = new DocumentTextEdit(clientArea_);
    text_->setObjectName(QStringLiteral("txtEdit"));
    text_->setAccessibleName(QStringLiteral("Your story"));
    text_->move(pxPoint(kTextMargin, kTextMargin));
    text_->document()->setDefaultFont(documentFormat().font());
    text_->setCurrentCharFormat(documentFormat());
    pictures::showPictures(*text_->document());
    pictures_ = new PictureCommands(context_, *text_);
    spelling::SpellingView::attach(text_, context_.speller, context_.dialogs)
        ->addEntriesWith([pictures = pictures_](QMenu& menu, QPoint point) {
            pictures->addSizeEntries(menu, point);
        });
    zoom::attach(text_, context_.zooms.editor);
    clientArea_->installEventFilter(this);
}

// The book dialog tells how many words the speller does not know, and
// offers the editor's own spelling check before the book is made.
book::SpellingOffer TextEditor::spellingOffer() {
    spelling::Speller& speller = context_.speller;
    return {[this, &speller] {
                return speller.waitUntilReady()
                           ? spelling::SpellingCheck::countMisspelled(*text_->document(), speller)
                           : -1;
            },
            [this, &speller] {
                return spelling::checkSpelling(*text_, speller, context_.dialogs) ==
                       spelling::CheckEnd::Finished;
            }};
}

void TextEditor::createMenus() {
    DocumentFiles* files = files_.get();
    EditCommands* commands = commands_.get();
    book::BookCommands* book = book_.get();
    PictureCommands* pictures = pictures_;
    QMenu* edit = nullptr;
    QAction *cut = nullptr, *copy = nullptr, *paste = nullptr;
    const std::vector<MenuSpec> menus = {
        {"mnuFile",
         "&File",
         {{"mnuFileOpen", "&Open", "Ctrl+O", [files] { files->open(); }},
          kSeparator,
          {"mnuFileSave", "&Save", "Ctrl+S", [files] { files->save(); }},
          {"mnuFileSaveAs", "Save &As", "Ctrl+A", [files] { files->saveAs(); }},
          kSeparator,
          {"mnuFilePrint", "&Print", "Ctrl+P", [commands] { commands->print(); }},
          kSeparator,
          {"mnuFileReturn", "&Return to Main Menu", "Ctrl+R",
           [files] { files->returnToMainMenu(); }},
          kSeparator,
          {"mnuFileExit", "E&xit", nullptr, [files] { files->requestClose(); }}}},
        {"mnuEdit",
         "&Edit",
         {{"mnuEditCut", "Cu&t", "Ctrl+X", [commands] { commands->cut(); }, &cut},
          {"mnuEditCopy", "&Copy", "Ctrl+C", [commands] { commands->copy(); }, &copy},
          {"mnuEditPaste", "&Paste", "Ctrl+V", [commands] { commands->paste(); }, &paste},
          kSeparator,
          {"mnuEditFind", "&Find", "Ctrl+F", [commands] { commands->find(); }},
          {"mnuEditFindNext", "Find &Next", "F3", [commands] { commands->findNext(); }},
          kSeparator,
          {"mnuEditSpelling", "Check &Spelling...", "F7",
           [commands] { commands->checkSpelling(); }}},
         &edit},
        {"mnuOptions",
         "&Options",
         {{"mnuOptionsFont", "Font", "Ctrl+T", [commands] { commands->chooseFont(); }},
          {"mnuOptionsColor", "Color", "Ctrl+L", [commands] { commands->chooseColor(); }}}},
        {"mnuBook",
         "&Book",
         {{"mnuBookPrint", "Print the &Whole Story...", nullptr,
           [book] { book->printWholeStory(); }},
          {"mnuBookPreview", "Print Pre&view...", nullptr, [book] { book->preview(); }},
          {"mnuBookPdf", "Save as P&DF...", nullptr, [book] { book->saveAsPdf(); }}}},
        {"mnuInsert",
         "&Insert",
         {{"mnuInsertPhoto", "&Photo...", nullptr, [pictures] { pictures->insertPhoto(); }}}},
    };
    QList<QKeySequence> menuKeys;
    for (const MenuSpec& spec : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromLatin1(spec.caption));
        menu->setObjectName(QLatin1StringView(spec.name));
        menu->menuAction()->setObjectName(QLatin1StringView(spec.name));
        if (spec.keep)
            *spec.keep = menu;
        for (const MenuEntry& entry : spec.entries) {
            if (!entry.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(entry.caption));
            action->setObjectName(QLatin1StringView(entry.name));
            if (entry.shortcut) {
                action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
                menuKeys.append(action->shortcut());
            }
            connect(action, &QAction::triggered, this, entry.run);
            if (entry.keep)
                *entry.keep = action;
        }
    }
    text_->reserveKeys(menuKeys);
    // The menu bar's overflow arrow, shown when the window is too narrow for
    // every menu, has no caption of its own for a screen reader to read.
    if (auto* more = menuBar()->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(QStringLiteral("More menus"));

    // Cut, Copy and Paste are judged when the Edit menu opens; that state
    // holds for their shortcut keys too until the menu opens again.
    connect(edit, &QMenu::aboutToShow, this, [this, cut, copy, paste] {
        const bool selected = commands_->canCutOrCopy();
        cut->setEnabled(selected);
        copy->setEnabled(selected);
        paste->setEnabled(commands_->canPaste());
    });
}

// --- Activation ---

// A save confirmed on the save note runs right after this activation; the
// note itself hands back to the editor first.
void TextEditor::activate() {
    SaveFlow& saves = files_->saveFlow();
    if (saves.editingNoteDue())
        showEditingNote();
    if (buildCounter_ == 0) {
        compile();
        // Her changes from here on are kept against a crash.
        context_.recovery.watchDocument(*text_->document());
    }
    ++buildCounter_;
    saves.editorActivated();
}

void TextEditor::showEditingNote() {
    const MessageRequest request{
        .title = QStringLiteral("Vellumora"),
        .text = QStringLiteral(
            "NOTE:  Any changes made to this page can be saved to a file BUT the answers MUST BE "
            "CHANGED IN THEIR INDIVIDUAL TEXT BOXES in order to be reloaded correctly later.  It "
            "is suggested that you MAKE ALL CHANGES (other than font style and color) IN THE "
            "TEXT BOXES, not here."),
        .icon = MessageIcon::Warning};
    context_.dialogs.message(this, request);
}

// The whole text replaces the content in one step, in the text area's
// current format (Arial 12 from creation), so the text area changes once.
// The text area's own replacement is used because it sets the caret aside
// while inserting: a caret carried along to the end would be kept in view
// after every line, which makes a long document slow to show.
// A compiled document is unsaved, although the replacement itself clears
// the document's modified state.
void TextEditor::compile() {
    text_->setPlainText(editor::compileDocument(context_.store));
    files_->markModified();
}

// --- Window ---

void TextEditor::hideEvent(QHideEvent* event) {
    context_.recovery.documentLeft();
    QMainWindow::hideEvent(event);
}

void TextEditor::closeEvent(QCloseEvent* event) {
    // The closing steps decide what happens to the window themselves.
    event->ignore();
    files_->requestClose();
}

// The window's modified marker is the document's modified state. The titles
// carry no "[*]" placeholder, so that they read exactly as they always have;
// the attribute is set directly because setWindowModified() would warn about
// the missing placeholder on every change where the platform draws no
// marker of its own. Qt warns the same way when it makes the platform window
// of a window already marked, so the first marking waits for the showing.
void TextEditor::followModified(bool modified) {
    setAttribute(Qt::WA_WindowModified, modified);
}

void TextEditor::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    followModified(files_->isModified());
}

bool TextEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clientArea_ && event->type() == QEvent::Resize)
        followClientArea();
    return QMainWindow::eventFilter(watched, event);
}

// The text area keeps the same margin on all four sides. Were it as large as
// the client area while standing 120 twips in, the window's right and bottom
// edges would cut off the lower end of its scroll bar and its last line.
void TextEditor::followClientArea() {
    const int margin = px(kTextMargin);
    text_->setGeometry(
        clientArea_->rect().marginsRemoved(QMargins(margin, margin, margin, margin)));
}

}  // namespace vellumora
