#include "app/program.h"
#include "info/creditsstar.h"
#include "info/creditswindow.h"
#include "support/scripteddialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>

using namespace vellumora;

class StarTest : public QObject {
    Q_OBJECT

private slots:
    void cornersAreThoseOfTheStar_data();
    void cornersAreThoseOfTheStar();
    void cornersAlternateBetweenTheTwoEllipses();
    void regionHoldsTheStarOnly_data();
    void regionHoldsTheStarOnly();
    void creditsWindowIsCutToTheStar();
    void dedicationAndCloseSitInsideTheStar();
    void creditsWindowCentresTheStarOnTheAboutPage();
};

void StarTest::cornersAreThoseOfTheStar_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("first, inner, below the centre") << 0 << QPoint(200, 225);
    QTest::newRow("first outer") << 1 << QPoint(152, 296);
    QTest::newRow("second inner") << 2 << QPoint(154, 216);
    QTest::newRow("seventh outer, straight above") << 13 << QPoint(200, 0);
    QTest::newRow("last") << 25 << QPoint(248, 296);
}

void StarTest::cornersAreThoseOfTheStar() {
    QFETCH(int, index);
    QFETCH(QPoint, corner);
    const QList<QPoint> corners = creditsstar::points();
    QCOMPARE(corners.size(), 26);
    QCOMPARE(corners.at(index), corner);
}

// Even corners lie on the inner ellipse (100 by 75 around (200, 150)), odd
// ones on the outer (200 by 150), each within the rounding of a coordinate.
void StarTest::cornersAlternateBetweenTheTwoEllipses() {
    const QList<QPoint> corners = creditsstar::points();
    for (int i = 0; i < corners.size(); ++i) {
        const double scale = i % 2 == 0 ? 1.0 : 2.0;
        const double dx = (corners[i].x() - 200) / (100 * scale);
        const double dy = (corners[i].y() - 150) / (75 * scale);
        QVERIFY2(std::abs(std::hypot(dx, dy) - 1.0) < 0.02, qPrintable(QString::number(i)));
    }
}

void StarTest::regionHoldsTheStarOnly_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("inside");
    QTest::newRow("centre") << QPoint(200, 150) << true;
    QTest::newRow("near the top point") << QPoint(200, 4) << true;
    QTest::newRow("near the first outer point") << QPoint(155, 290) << true;
    QTest::newRow("top-left corner, where a title bar was") << QPoint(5, 5) << false;
    QTest::newRow("below the first inner corner") << QPoint(200, 235) << false;
    QTest::newRow("beside the top point") << QPoint(170, 10) << false;
    QTest::newRow("right of the star") << QPoint(420, 150) << false;
    QTest::newRow("bottom-right of the window") << QPoint(450, 340) << false;
}

void StarTest::regionHoldsTheStarOnly() {
    QFETCH(QPoint, point);
    QFETCH(bool, inside);
    QCOMPARE(creditsstar::region().contains(point), inside);
}

void StarTest::creditsWindowIsCutToTheStar() {
    test::ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    QWidget* credits = program.screens().create(FixedScreen::Credits);
    QVERIFY(credits);
    QCOMPARE(credits->windowTitle(), QStringLiteral("VMRA-Credits"));
    QVERIFY(credits->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(credits->mask(), creditsstar::region());
    QVERIFY(credits->property("vellumoraPlacesItself").toBool());
    // The star fits in the window.
    QVERIFY(credits->rect().contains(creditsstar::region().boundingRect()));
}

void StarTest::dedicationAndCloseSitInsideTheStar() {
    test::ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    QWidget* credits = program.screens().create(FixedScreen::Credits);
    const auto* dedication = credits->findChild<QLabel*>(QStringLiteral("Label1"));
    const auto* close = credits->findChild<QPushButton*>(QStringLiteral("cmdClose"));
    QVERIFY(dedication && close);
    for (const QWidget* child :
         {static_cast<const QWidget*>(dedication), static_cast<const QWidget*>(close)}) {
        const QRegion outside = QRegion(child->geometry()).subtracted(credits->mask());
        QVERIFY2(outside.isEmpty(), qPrintable(child->objectName()));
    }
    // The dedication's text fits its place.
    const QSize needed = dedication->sizeHint();
    QVERIFY(needed.width() <= dedication->width() && needed.height() <= dedication->height());
    QCOMPARE(dedication->font().pointSizeF(), 15.75);
    QVERIFY(!dedication->font().bold());
    QCOMPARE(dedication->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(credits->palette().color(QPalette::Window), QColor(0, 0, 128));
    QVERIFY(credits->autoFillBackground());
}

void StarTest::creditsWindowCentresTheStarOnTheAboutPage() {
    test::ScriptedDialogs dialogs;
    Program program(dialogs, [] {});
    QWidget* about = program.screens().show(FixedScreen::About);
    about->move(40, 60);
    QWidget* credits = program.screens().create(FixedScreen::Credits);
    QCOMPARE(credits->pos() + QPoint(200, 150), about->frameGeometry().center());
}

QTEST_MAIN(StarTest)
#include "test_info_star.moc"
