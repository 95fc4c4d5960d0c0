#pragma once

#include "shell/screenmanager.h"

#include <QMainWindow>
#include <memory>

namespace vellumora {

struct AppContext;
namespace book {
class BookCommands;
struct SpellingOffer;
}
class DocumentFiles;
class DocumentTextEdit;
class EditCommands;
class PictureCommands;

/**
 * The document editor (frmTxtEditor): the questionnaire compiled into one
 * rich-text area under File, Edit, Options, Book and Insert menus. It is created afresh,
 * with a newly compiled document, each time it is opened, and destroyed
 * when it is left; what outlives it is kept in the Session.
 */
class TextEditor : public QMainWindow, public ActivationSteps {
    Q_OBJECT

public:
    explicit TextEditor(AppContext& context);
    ~TextEditor() override;

    /// The editing note, the compilation on the first activation after
    /// creation, then the note reminder again.
    void activate() override;

    DocumentTextEdit* textArea() const { return text_; }
    DocumentFiles& files() const { return *files_; }
    PictureCommands& pictures() const { return *pictures_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /// Leaving the editor: what she changed is kept against a crash at once.
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createClientArea();
    void createMenus();
    book::SpellingOffer spellingOffer();
    void showEditingNote();
    void compile();
    void followClientArea();
    void followModified(bool modified);

    AppContext& context_;
    QWidget* clientArea_ = nullptr;
    DocumentTextEdit* text_ = nullptr;
    PictureCommands* pictures_ = nullptr;  ///< belongs to the text area
    std::unique_ptr<DocumentFiles> files_;
    std::unique_ptr<EditCommands> commands_;
    std::unique_ptr<book::BookCommands> book_;
    int buildCounter_ = 0;
};

}  // namespace vellumora
