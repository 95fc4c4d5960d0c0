#pragma once

#include "editor/saveflow.h"

#include <QObject>
#include <QString>

class QTextDocument;
class QWidget;

namespace vellumora {

struct AppContext;

/**
 * The editor's File menu: Open, Save, Save As, Return to Main Menu and Exit,
 * the save prompt, and the closing of the editor. Saving itself is the
 * SaveFlow's; an Open or a close that asked for a save through the note
 * waits behind it there and goes on here when that save has ended.
 *
 * The document's own modified state (QTextDocument::isModified()) is the
 * modified flag: every change of the content sets it, Open and every
 * completed save clear it.
 */
class DocumentFiles : public QObject {
    Q_OBJECT

public:
    /// What Return to Main Menu and Open leave for the closing steps.
    enum class ReturnRequest { None, ToMainMenu, Opened };

    DocumentFiles(AppContext& context, QWidget& window, QTextDocument& document);

    static QString defaultTitle() { return SaveFlow::defaultTitle(); }
    QString title() const { return flow_.title(); }
    QString currentFileName() const { return flow_.currentFileName(); }
    bool isModified() const;
    ReturnRequest returnRequest() const { return returnRequest_; }
    SaveFlow& saveFlow() { return flow_; }
    const SaveFlow& saveFlow() const { return flow_; }

    /// A change the content's own notification does not report (a colour
    /// chosen, a document compiled) leaves unsaved changes too.
    void markModified();

    // The File menu.
    void open();
    /// Open's reading: the file at path in place of the document, without
    /// asking about the document shown; a failure is told.
    void load(const QString& path);
    void save();
    void saveAs();
    void returnToMainMenu();
    /// Exit, the close box, and Return after it set its request.
    void requestClose();

signals:
    void titleChanged(const QString& title);

private:
    /// The save prompt; true when the caller may go on, false when it ends.
    /// A save through the note leaves `then` waiting and ends the caller.
    bool askToSave(SaveFlow::Behind then);
    void resume(SaveFlow::Behind behind, bool saveCompleted);
    void chooseAndLoad();
    void finishClose(bool abandoned);

    AppContext& context_;
    QWidget& window_;
    QTextDocument& document_;
    SaveFlow flow_;
    ReturnRequest returnRequest_ = ReturnRequest::None;
};

}  // namespace vellumora
