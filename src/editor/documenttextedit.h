#pragma once

#include <QKeySequence>
#include <QList>
#include <QTextEdit>

namespace vellumora {

/**
 * The editor's text area: a rich-text edit that exchanges plain text only
 * with the clipboard and with drag and drop, and that leaves the keys of the
 * editor's menu shortcuts to the menus (Ctrl+A saves under a new name, it
 * does not select everything).
 */
class DocumentTextEdit : public QTextEdit {
    Q_OBJECT

public:
    explicit DocumentTextEdit(QWidget* parent = nullptr);

    /// Keys that belong to menu commands; the text area never acts on them,
    /// not even while the menu command is disabled.
    void reserveKeys(const QList<QKeySequence>& keys);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void finishLayoutBeforeTheChange();
    bool isReserved(const QKeyEvent* event) const;

    QList<QKeyCombination> reserved_;
};

}  // namespace vellumora
