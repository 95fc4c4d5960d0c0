#pragma once

#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QStringList>
#include <QTextEdit>

namespace vellumora {

/**
 * The editor's text area: a rich-text edit that exchanges plain text with
 * the clipboard and with drag and drop, and pictures beside it, and that
 * leaves the keys of the editor's menu shortcuts to the menus (Ctrl+A saves
 * under a new name, it does not select everything).
 *
 * Text comes in in the format of the insertion point, never its own. A
 * selection that holds pictures goes out as its text and, for this program,
 * its pictures too, so that a picture cut here can be pasted elsewhere in the
 * story; a selection of one picture also goes out as that picture. Image
 * files dropped on the text and pictures pasted from other programs are
 * handed on as imageFilesArrived() and imageArrived().
 */
class DocumentTextEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit DocumentTextEdit(QWidget* parent = nullptr);

    /// Keys that belong to menu commands; the text area never acts on them,
    /// not even while the menu command is disabled.
    void reserveKeys(const QList<QKeySequence>& keys);

    /// What Copy and Cut put on the clipboard; the caller owns it.
    QMimeData* selectionData() const { return createMimeDataFromSelection(); }
    /// Whether the data holds pictures to insert, or image files.
    bool holdsPictures(const QMimeData* source) const;
    /// Paste: the data inserted at the caret.
    void insert(const QMimeData* source) { insertFromMimeData(source); }

signals:
    /// Image files came by drag and drop or paste, to go in at the caret.
    void imageFilesArrived(const QStringList& paths);
    /// A picture from another program came by paste or drop, to go in at the caret.
    void imageArrived(const QImage& image);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void finishLayoutBeforeTheChange();
    void typeVisibleBesideHiddenText(const QTextCharFormat& format);
    bool isReserved(const QKeyEvent* event) const;
    bool insertStory(const QMimeData* source);

    QList<QKeyCombination> reserved_;
};

}  // namespace vellumora
