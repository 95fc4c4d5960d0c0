#include "rtf/rtfreader.h"

#include "rtf/documentbuilder.h"
#include "rtf/notes.h"
#include "rtf/rtfcodepage.h"
#include "rtf/rtfparser.h"

#include <QStringConverter>
#include <QTextDocument>

#include <algorithm>

namespace vellumora::rtf {

namespace {

QString decodePlainText(QByteArrayView bytes) {
    const auto encoding = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    QString text = decoder.decode(bytes);
    if (!decoder.hasError()) {
        return text;
    }
    return CodePageDecoder().decode(kWindowsLatin1CodePage, bytes);
}

void readPlainText(QByteArrayView bytes, DocumentBuilder& builder,
                   const std::function<void(qsizetype)>& progress) {
    const QString text = decodePlainText(bytes);
    const CharStyle plain;
    constexpr qsizetype kCharactersBetweenReports = 1 << 18;
    qsizetype nextReport = kCharactersBetweenReports;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (progress && i >= nextReport) {
            nextReport = i + kCharactersBetweenReports;
            progress(bytes.size() * i / text.size());
        }
        if (c != u'\r' && c != u'\n') {
            continue;
        }
        builder.appendText(QStringView(text).sliced(lineStart, i - lineStart), plain);
        builder.endParagraph(plain);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
        lineStart = i + 1;
    }
    builder.appendText(QStringView(text).sliced(lineStart), plain);
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

bool looksLikeRtf(QByteArrayView bytes) {
    qsizetype pos = 0;
    const auto skipSpaces = [&] {
        while (pos < bytes.size() && isSpace(bytes[pos])) {
            ++pos;
        }
    };
    skipSpaces();
    if (pos >= bytes.size() || bytes[pos] != '{') {
        return false;
    }
    ++pos;
    skipSpaces();
    return bytes.sliced(pos).startsWith("\\rtf");
}

namespace {

NotKept build(QByteArrayView bytes, DocumentBuilder& builder,
              const std::function<void(qsizetype)>& progress) {
    if (looksLikeRtf(bytes)) {
        return readRtf(bytes, builder, progress);
    }
    readPlainText(bytes, builder, progress);
    builder.finish(false);
    return {};
}

ReadStatus checkBounds(const DocumentTally& tally, qsizetype fileBytes) {
    if (fileBytes - tally.pictureSourceBytes > kMaxInputBytes) {
        return ReadStatus::TooLarge;
    }
    if (tally.pictureBytes > kMaxPictureBytes) {
        return ReadStatus::PicturesTooLarge;
    }
    if (tally.paragraphs > kMaxParagraphs) {
        return ReadStatus::TooManyParagraphs;
    }
    if (tally.mostRunsInAParagraph > kMaxRunsInAParagraph) {
        return ReadStatus::ParagraphTooComplex;
    }
    if (tally.longestParagraph > kMaxParagraphLength) {
        return ReadStatus::ParagraphTooLong;
    }
    if (tally.longestWord > kMaxWordLength) {
        return ReadStatus::WordTooLong;
    }
    if (tally.runs > kMaxRuns) {
        return ReadStatus::TooManyRuns;
    }
    return ReadStatus::Loaded;
}

/// Turns bytes read in one pass into percent of the whole read.
std::function<void(qsizetype)> passProgress(const ReadProgress& progress, qsizetype total,
                                            int fromPercent, int toPercent) {
    if (!progress || total <= 0) {
        return {};
    }
    return [=](qsizetype done) {
        progress(fromPercent + int((toPercent - fromPercent) * std::min(done, total) / total));
    };
}

}  // namespace

ReadStatus readDocument(QByteArrayView bytes, QTextDocument& document, const ReadProgress& progress,
                        NotKept* notKept) {
    // Only RTF holds pictures; other text meets the bound of text alone.
    const qsizetype largest = looksLikeRtf(bytes) ? kMaxFileBytes : kMaxInputBytes;
    if (bytes.size() > largest) {
        return ReadStatus::TooLarge;
    }
    // The file is read once, into a recording of what it makes; the document
    // is built from that only when it is known to be within the bounds.
    constexpr int kReadingShare = 70;  // percent of the read
    DocumentBuilder recording{DocumentBuilder::Recording{kMaxRuns + kMaxParagraphs}};
    const NotKept lacking =
        build(bytes, recording, passProgress(progress, bytes.size(), 0, kReadingShare));
    if (const ReadStatus status = checkBounds(recording.tally(), bytes.size());
        status != ReadStatus::Loaded) {
        return status;
    }
    if (progress) {
        progress(kReadingShare);
    }
    DocumentBuilder builder(document);
    recording.replayInto(builder, Notes::replay);
    if (notKept) {
        *notKept = lacking;
    }
    if (progress) {
        progress(100);
    }
    return ReadStatus::Loaded;
}

}  // namespace vellumora::rtf
