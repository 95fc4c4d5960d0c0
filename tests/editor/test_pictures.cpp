#include "editor/picturecommands.h"
#include "editorfixture.h"
#include "pictures/picturestore.h"
#include "rtf/rtffile.h"
#include "shell/recovery.h"
#include "spelling/spellingview.h"

#include "../pictures/picturefiles.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QUrl>

using namespace vellumora;
using namespace vellumora::test;
using Kind = ScriptedDialogs::Kind;

namespace {

/// The pictures of a document, in order, with the picture kept for each.
QList<std::pair<QTextImageFormat, pictures::PicturePtr>> picturesIn(const QTextDocument& document) {
    QList<std::pair<QTextImageFormat, pictures::PicturePtr>> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
                for (int i = 0; i < it.fragment().length(); ++i)
                    found.append({format, pictures::find(document, format.name())});
            }
    return found;
}

int pictureCount(const QString& rtfPath) {
    QTextDocument document;
    return rtf::loadDocumentFile(rtfPath, document, nullptr) ? int(picturesIn(document).size())
                                                             : -1;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString run(const QString& program, const QStringList& arguments, int seconds = 60) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(seconds * 1000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

/// The position of the first picture of the text area, and a point over its middle.
std::pair<int, QPoint> firstPictureOf(DocumentTextEdit* text) {
    const QString all = text->document()->toPlainText();
    const int position = int(all.indexOf(QChar::ObjectReplacementCharacter));
    QTextCursor cursor(text->document());
    cursor.setPosition(position);
    const QRect before = text->cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect after = text->cursorRect(cursor);
    return {position, QPoint((before.left() + after.left()) / 2, before.center().y())};
}

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void insertedPhotoGoesIntoTheFileAndTheBook();
    void contextMenuShowsAPictureAtTheSizesOffered();
    void picturesComeByPasteAndDropAndMoveByCut();
    void recoveryCopyHoldsThePictures();
    void savingOverAFileWithAnEmbeddedObjectAsksFirst();

private:
    QTemporaryDir dir_;
};

void PicturesTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty(),
             "pdfimages is missing: tools/dev.sh install puts it on the machine (poppler-utils)");
}

// A 12-megapixel phone photo taken on its side: it comes in upright, at most
// 2000 pixels long, no wider than the text; the saved story holds it for
// LibreOffice, and the book's PDF holds it too.
void PicturesTest::insertedPhotoGoesIntoTheFileAndTheBook() {
    const QString photo = dir_.filePath(QStringLiteral("IMG_0001.jpg"));
    QVERIFY(writeFile(photo, jpegWithOrientation(redTopLeft(4000, 3000, true), 6)));
    EditorFixture f;
    f.openEditor();
    f.dialogs.clear();
    f.text()->moveCursor(QTextCursor::End);

    f.dialogs.answerOpenImage(photo);
    f.trigger("mnuInsertPhoto");
    QCOMPARE(f.dialogs.requests().constLast().kind, Kind::OpenImage);
    QCOMPARE(f.dialogs.requests().constLast().image.folder,
             QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    const auto inserted = picturesIn(*f.text()->document());
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted[0].second->image().size(), QSize(1500, 2000));
    QCOMPARE(inserted[0].second->encoding(), pictures::Encoding::Jpeg);
    // Typed next, the caption goes in the paragraph under the picture.
    QTest::keyClicks(f.text(), QStringLiteral("Our house, 1962"));
    const QTextBlock caption = f.text()->textCursor().block();
    QCOMPARE(caption.text(), QStringLiteral("Our house, 1962"));
    QCOMPARE(caption.previous().text(), QString(QChar::ObjectReplacementCharacter));
    QVERIFY(!caption.charFormat().isImageFormat());
    const QRectF shown =
        f.text()->document()->documentLayout()->blockBoundingRect(caption.previous());
    QVERIFY2(shown.width() <= f.text()->viewport()->width(), "the photo is wider than the text");

    // The next dialog opens where this photo came from.
    f.dialogs.answerOpenImage(std::nullopt);
    f.trigger("mnuInsertPhoto");
    QCOMPARE(f.dialogs.requests().constLast().image.folder, dir_.path());

    const QString story = dir_.filePath(QStringLiteral("Story.rtf"));
    f.trigger("mnuFileSaveAs");
    f.dialogs.answerSaveFile(story);
    f.confirmNote();
    QCOMPARE(pictureCount(story), 1);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (!soffice.isEmpty()) {
        const QString profile =
            QUrl::fromLocalFile(dir_.filePath(QStringLiteral("profile"))).toString();
        run(QStringLiteral("timeout"),
            {QStringLiteral("240"), soffice, QStringLiteral("-env:UserInstallation=") + profile,
             QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("html"),
             QStringLiteral("--outdir"), dir_.filePath(QStringLiteral("lo")), story},
            260);
        const QString html =
            QString::fromUtf8(contentsOf(dir_.filePath(QStringLiteral("lo/Story.html"))));
        QCOMPARE(html.count(QStringLiteral("<img ")), 1);
    }

    const QString pdf = dir_.filePath(QStringLiteral("Story.pdf"));
    f.dialogs.answerBook(BookChoice{.title = QStringLiteral("Our Story")});
    f.dialogs.answerSaveFile(pdf);
    f.dialogs.answerMessage(MessageButton::No);  // where it went; not opened
    f.trigger("mnuBookPdf");
    const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                   .split(u'\n', Qt::SkipEmptyParts);
    // A heading, a line of dashes, then one line for each picture: page, number, type, width,
    // height.
    QCOMPARE(images.size(), 3);
    const QStringList columns =
        images[2].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QCOMPARE(columns.value(2), QStringLiteral("image"));
    QVERIFY2(columns.value(4).toInt() > columns.value(3).toInt(), qPrintable(images[2]));
}

void PicturesTest::contextMenuShowsAPictureAtTheSizesOffered() {
    const QString drawing = dir_.filePath(QStringLiteral("drawing.png"));
    QVERIFY(writeFile(drawing, encodedAs(redTopLeft(400, 300), "PNG")));
    EditorFixture f;
    f.openEditor();
    f.text()->moveCursor(QTextCursor::Start);
    f.editor()->pictures().insertFiles({drawing});
    f.text()->moveCursor(QTextCursor::Start);
    f.text()->ensureCursorVisible();
    const auto [position, middle] = firstPictureOf(f.text());
    QCOMPARE(f.editor()->pictures().pictureAt(middle), std::optional(position));
    QCOMPARE(f.editor()->pictures().pictureAt(QPoint(middle.x(), middle.y() + 400)), std::nullopt);

    auto* spelling = f.text()->findChild<spelling::SpellingView*>();
    QVERIFY(spelling);
    std::unique_ptr<QMenu> menu(spelling->contextMenuAt(middle));
    QStringList offered;
    for (QAction* action : menu->actions())
        if (action->objectName().startsWith(u"picture"))
            offered << action->text() + (action->isChecked() ? QStringLiteral("*") : QString());
    // A 400-pixel drawing is shown at its own size, which is none of those offered.
    QCOMPARE(offered, (QStringList{QStringLiteral("Small"), QStringLiteral("Medium"),
                                   QStringLiteral("Large"), QStringLiteral("Full width")}));
    menu->findChild<QAction*>(QStringLiteral("pictureSmall"))->trigger();
    const QTextImageFormat small = picturesIn(*f.text()->document())[0].first;
    QCOMPARE(qRound(small.width()), qRound(5 * 96 / 2.54));
    QCOMPARE(qRound(small.height()), qRound(5 * 96 / 2.54 * 3 / 4));
    menu.reset(spelling->contextMenuAt(firstPictureOf(f.text()).second));
    QVERIFY(menu->findChild<QAction*>(QStringLiteral("pictureSmall"))->isChecked());

    // The size shown is only shown: the picture's bytes stay as they came.
    QCOMPARE(picturesIn(*f.text()->document())[0].second->bytes(), contentsOf(drawing));
    f.text()->undo();
    QCOMPARE(qRound(picturesIn(*f.text()->document())[0].first.width()), 400);
}

void PicturesTest::picturesComeByPasteAndDropAndMoveByCut() {
    EditorFixture f;
    f.openEditor();
    DocumentTextEdit* text = f.text();
    text->moveCursor(QTextCursor::Start);

    // The Edit menu judges its entries as it opens, as she would open it.
    const auto edit = [&f](const char* command) {
        emit f.editor()->findChild<QMenu*>(QStringLiteral("mnuEdit"))->aboutToShow();
        QVERIFY2(f.editor()->findChild<QAction*>(QLatin1StringView(command))->isEnabled(), command);
        f.trigger(command);
    };

    QImage drawing(120, 80, QImage::Format_ARGB32);
    drawing.fill(Qt::transparent);
    QGuiApplication::clipboard()->setImage(drawing);
    edit("mnuEditPaste");
    QCOMPARE(picturesIn(*text->document()).size(), 1);
    QCOMPARE(picturesIn(*text->document())[0].second->encoding(), pictures::Encoding::Png);

    const QString photo = dir_.filePath(QStringLiteral("dropped.jpg"));
    const QByteArray photoBytes = encodedAs(redTopLeft(300, 200, true), "JPEG");
    QVERIFY(writeFile(photo, photoBytes));
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(photo)});
    text->insert(&dropped);
    auto kept = picturesIn(*text->document());
    QCOMPARE(kept.size(), 2);
    QCOMPARE(kept[1].second->bytes(), photoBytes);

    // Cut and pasted further on, a picture moves with the text around it;
    // other programs get the text alone.
    const auto [position, middle] = firstPictureOf(text);
    QTextCursor selection(text->document());
    selection.setPosition(position);
    selection.insertText(QStringLiteral("A drawing: "));
    selection.setPosition(position);
    selection.setPosition(position + 12, QTextCursor::KeepAnchor);
    text->setTextCursor(selection);
    edit("mnuEditCut");
    QCOMPARE(picturesIn(*text->document()).size(), 1);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("A drawing: "));
    text->moveCursor(QTextCursor::End);
    edit("mnuEditPaste");
    kept = picturesIn(*text->document());
    QCOMPARE(kept.size(), 2);
    QCOMPARE(kept[0].second->bytes(), photoBytes);
    QCOMPARE(kept[1].second->encoding(), pictures::Encoding::Png);
    QVERIFY(f.dialogs.messages().size() <= 1);  // the editing note only
}

void PicturesTest::recoveryCopyHoldsThePictures() {
    QTemporaryDir home;
    EditorFixture f;
    f.program.keepRecoveryCopiesIn({home.filePath(QStringLiteral("copies")), home.path()});
    f.program.recovery().setDocumentDelay(std::chrono::milliseconds(20));
    f.openEditor();
    QSignalSpy kept(&f.program.recovery(), &Recovery::documentKept);
    f.editor()->pictures().insertImage(redTopLeft(64, 48));
    QVERIFY(kept.wait(2000));
    const QString copy =
        QDir(f.program.recovery().folder()).filePath(QStringLiteral("document.rtf"));
    QCOMPARE(pictureCount(copy), 1);
}

// Word's embedded spreadsheet cannot be kept; a save over its file must not
// lose it without a word, and keeping the old file is what a plain Enter does.
void PicturesTest::savingOverAFileWithAnEmbeddedObjectAsksFirst() {
    const QString letter = dir_.filePath(QStringLiteral("Letter.rtf"));
    const QByteArray original =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 The sums:\\par "
        "{\\object\\objemb{\\*\\objclass Excel.Sheet.8}{\\*\\objdata 0102}{\\result{\\pict"
        "\\picwgoal600\\pichgoal300\\emfblip 0a0b}}}\\par}";
    QVERIFY(writeFile(letter, original));
    EditorFixture f;
    f.openEditor();
    f.dialogs.answerMessage(MessageButton::No);  // do not save the compiled document
    f.dialogs.answerOpenFile(letter);
    f.trigger("mnuFileOpen");
    QCOMPARE(picturesIn(*f.text()->document()).size(), 1);  // the object's picture stays
    QTest::keyClicks(f.text(), QStringLiteral("Dear Anne, "));

    f.dialogs.clear();
    f.dialogs.answerMessage(MessageButton::No);
    f.trigger("mnuFileSave");
    QCOMPARE(f.dialogs.count(Kind::Message), 1);
    const MessageRequest asked = f.dialogs.messages().constFirst();
    QVERIFY2(asked.text.contains(QStringLiteral("1 embedded object")), qPrintable(asked.text));
    QCOMPARE(asked.buttons, MessageButtons::YesNo);
    QCOMPARE(asked.defaultButton, MessageButton::No);
    QCOMPARE(contentsOf(letter), original);
    QVERIFY(f.files().isModified());

    // Saved anyway, the file holds the object no more, and nothing is asked again.
    f.dialogs.answerMessage(MessageButton::Yes);
    f.trigger("mnuFileSave");
    QVERIFY(contentsOf(letter).startsWith("{\\rtf1"));
    QCOMPARE(pictureCount(letter), 1);
    f.dialogs.clear();
    QTest::keyClicks(f.text(), QStringLiteral("x"));
    f.trigger("mnuFileSave");
    QCOMPARE(f.dialogs.count(Kind::Message), 0);
}

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
