#include "files/userplaces.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using vellumora::files::Settings;

class UserPlacesTest : public QObject {
    Q_OBJECT

private slots:
    void settingsKeepTheBooksFileAndReadTheOlderZoom();
    void documentsFolderFallsBackToHome();
};

// Every remembered choice goes to the file the book's choices were always
// in; a zoom an earlier version kept in its own file is still read, until
// one is set.
void UserPlacesTest::settingsKeepTheBooksFileAndReadTheOlderZoom() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!config.isEmpty());
    QCOMPARE(Settings().fileName(), config + QStringLiteral("/Vellumora/Vellumora.conf"));

    QSettings older(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellumora"));
    older.setValue(QStringLiteral("zoom/editor"), 150);
    older.sync();
    QCOMPARE(Settings().value(QStringLiteral("zoom/editor")).toInt(), 150);

    Settings().setValue(QStringLiteral("zoom/editor"), 200);
    QCOMPARE(Settings().value(QStringLiteral("zoom/editor")).toInt(), 200);
    older.sync();
    QCOMPARE(older.value(QStringLiteral("zoom/editor")).toInt(), 150);
}

// A Documents folder not made yet is still where her documents go, to be
// made then; a dialog cannot start in it, and starts in her home instead.
void UserPlacesTest::documentsFolderFallsBackToHome() {
    using namespace vellumora::files;
    QTemporaryDir home;
    const QString documents = home.filePath(QStringLiteral("Documents"));
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const QStringList without{documentsFolder(), existingDocumentsFolder()};
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Documents")));
    const QStringList with{documentsFolder(), existingDocumentsFolder()};
    qputenv("HOME", savedHome);
    QCOMPARE(without, (QStringList{documents, home.path()}));
    QCOMPARE(with, (QStringList{documents, documents}));
}

QTEST_GUILESS_MAIN(UserPlacesTest)
#include "test_userplaces.moc"
