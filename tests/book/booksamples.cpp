// Writes the sample story's book in a few of its settings as PDF files, for
// a look by eye:
//   book_samples [folder]   (default /tmp/book-samples)

#include "book/typesetbook.h"
#include "booksample.h"

#include <QDir>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>

using namespace vellumora;

namespace {

void write(const QString& path, const QPageSize& paper, const book::BookOptions& options,
           const QTextDocument& story) {
    QPdfWriter writer(path);
    writer.setPageSize(paper);
    writer.setPageMargins(QMarginsF());
    writer.setResolution(600);
    book::TypesetBook book(story, writer, options);
    book.layOut();
    QPainter painter(&writer);
    book::paintBook(book, painter, writer);
    std::printf("%s: %d pages\n", qPrintable(path), book.pageCount());
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1])
                               : QStringLiteral("/tmp/book-samples"));
    QDir().mkpath(folder.path());
    QTextDocument story;
    test::fillSampleStory(story);
    test::dressSampleStory(story);
    book::BookOptions options{QStringLiteral("The Story of My Life"), QStringLiteral("Ruth Ames"),
                              true, true, QStringLiteral("For Emma, Jack and little Zoë")};
    options.twoSided = true;
    write(folder.filePath(QStringLiteral("six-by-nine-two-sided.pdf")),
          QPageSize(QSizeF(6, 9), QPageSize::Inch, QStringLiteral("6 x 9 in")), options, story);
    options.twoSided = false;
    options.largePrint = true;
    write(folder.filePath(QStringLiteral("a4-large-print.pdf")), QPageSize(QPageSize::A4), options,
          story);
    options.twoSided = true;
    write(folder.filePath(QStringLiteral("a5-large-print-two-sided.pdf")), QPageSize(QPageSize::A5),
          options, story);
    options.twoSided = false;
    options.largePrint = false;
    write(folder.filePath(QStringLiteral("letter.pdf")), QPageSize(QPageSize::Letter), options,
          story);
    // A4 with the questions she left unanswered, and paragraphs set as she
    // may set them: a centred poem, a long web address, a photo without a caption.
    for (const int position : {3, 25})
        test::addUncommonParagraphs(story, position);
    options.includeUnanswered = true;
    write(folder.filePath(QStringLiteral("a4-unanswered-too.pdf")), QPageSize(QPageSize::A4),
          options, story);
    return 0;
}
