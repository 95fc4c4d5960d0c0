// The layout of every page holds together whatever room its labels need:
// nothing overlaps, nothing leaves its frame or the window, and the window
// grows only when the labels need more room than its design gives.

#include "chapters/designs.h"
#include "chapters/pagelayout.h"

#include <QTest>

using namespace vellumora::chapters;

namespace {

/// Rectangles of one laid-out page in window coordinates, with names.
QList<std::pair<QString, QRect>> placedRects(const PageDesign& design, const PageGeometry& page) {
    QList<std::pair<QString, QRect>> rects;
    for (std::size_t i = 0; i < design.questions.size(); ++i) {
        const QRect frame = page.frames[std::size_t(design.questions[i].frame)];
        const QString key = QString::fromLatin1(design.questions[i].key);
        rects.append(
            {QStringLiteral("lbl") + key, page.questions[i].label.translated(frame.topLeft())});
        rects.append(
            {QStringLiteral("txt") + key, page.questions[i].box.translated(frame.topLeft())});
    }
    rects.append({QStringLiteral("cmdSave"), page.save});
    rects.append({QStringLiteral("cmdReturn"), page.returnButton});
    return rects;
}

}  // namespace

class PageLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void holdsTogether_data();
    void holdsTogether();
};

void PageLayoutTest::holdsTogether_data() {
    QTest::addColumn<int>("pageIndex");
    QTest::addColumn<int>("linesPerLabel");
    for (int i = 0; i < int(pageDesigns().size()); ++i)
        for (int lines : {1, 4, 12}) {
            const QByteArray name =
                QByteArray(vellumora::catalogue::page(pageDesigns()[i].page).name) + ", " +
                QByteArray::number(lines) + " lines";
            QTest::newRow(name.constData()) << i << lines;
        }
}

void PageLayoutTest::holdsTogether() {
    QFETCH(int, pageIndex);
    QFETCH(int, linesPerLabel);
    const PageDesign& design = pageDesigns()[pageIndex];
    const int lineHeight = 225;
    const PageGeometry page =
        layOutPage(design, [&](std::size_t, int) { return linesPerLabel * lineHeight; });

    const QRect client(QPoint(0, 0), page.client);
    QCOMPARE(page.client.width(), design.client.width());
    QVERIFY(page.client.height() >= design.client.height());
    if (linesPerLabel == 1)
        QCOMPARE(page.client.height(), design.client.height());

    for (std::size_t i = 0; i < design.questions.size(); ++i) {
        const QRect frame = page.frames[std::size_t(design.questions[i].frame)];
        const QRect inside(QPoint(1, 1), frame.size() - QSize(2, 2));
        QVERIFY(client.contains(frame));
        QVERIFY(inside.contains(page.questions[i].label));
        QVERIFY(inside.contains(page.questions[i].box));
        QCOMPARE(page.questions[i].label.height(), linesPerLabel * lineHeight);
    }
    const auto rects = placedRects(design, page);
    for (qsizetype a = 0; a < rects.size(); ++a) {
        QVERIFY2(client.contains(rects[a].second), qPrintable(rects[a].first));
        for (qsizetype b = a + 1; b < rects.size(); ++b)
            QVERIFY2(!rects[a].second.intersects(rects[b].second),
                     qPrintable(rects[a].first + u'/' + rects[b].first));
    }
    for (std::size_t a = 0; a < page.frames.size(); ++a) {
        for (const QRect& button : {page.save, page.returnButton})
            QVERIFY(!page.frames[a].intersects(button));
        for (std::size_t b = a + 1; b < page.frames.size(); ++b)
            QVERIFY(!page.frames[a].intersects(page.frames[b]));
    }
}

QTEST_MAIN(PageLayoutTest)
#include "tst_pagelayout.moc"
