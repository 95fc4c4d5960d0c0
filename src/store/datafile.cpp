#include "store/datafile.h"

#include "store/answerstore.h"
#include "store/windows1252.h"

#include "files/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <array>
#include <optional>

namespace vellumora::datafile {

namespace {

constexpr char kQuote = '"';
constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF");

QString saveFailureMessage(const QString& path, const QString& reason) {
    return QStringLiteral("The data file \"%1\" could not be saved: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Writes one answer in quotation marks, an inner mark doubled, straight into
// the record: the record is sized once for the worst case and never grows.
char* writeQuoted(char* out, QStringView text, bool utf8) {
    *out++ = kQuote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u == 0) {
            // No keyboard types a NUL, and the reader takes a NUL byte for the
            // sign of a file this program did not write: it is left out.
            continue;
        }
        if (u < 0x80) {
            *out++ = char(u);
            if (u == kQuote)
                *out++ = kQuote;
        } else if (!utf8) {
            *out++ = *windows1252::encode(u);
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            const char32_t c = QChar::surrogateToUcs4(u, text[++i].unicode());
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else {
            // A lone surrogate cannot be written; U+FFFD marks where it stood.
            const char16_t c = QChar::isSurrogate(u) ? char16_t(0xFFFD) : u;
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        }
    }
    *out++ = kQuote;
    return out;
}

QByteArray buildRecord(const AnswerStore& store, bool utf8) {
    qsizetype worstCase = kUtf8ByteOrderMark.size() + 3 * catalogue::kQuestionCount + 2;
    for (int position = 1; position <= catalogue::kQuestionCount; ++position)
        worstCase += store.state(position).value_or(QString()).size() * (utf8 ? 3 : 2);
    QByteArray record(worstCase, Qt::Uninitialized);
    char* out = record.data();
    if (utf8)
        out = std::copy(kUtf8ByteOrderMark.begin(), kUtf8ByteOrderMark.end(), out);
    for (int position = 1; position <= catalogue::kQuestionCount; ++position) {
        if (position > 1)
            *out++ = ',';
        const std::optional<QString>& slot = store.state(position);
        if (slot)
            out = writeQuoted(out, *slot, utf8);  // unset: an empty field
    }
    *out++ = '\r';
    *out++ = '\n';
    record.truncate(out - record.data());
    return record;
}

bool fitsWindows1252(const AnswerStore& store) {
    for (int position = 1; position <= catalogue::kQuestionCount; ++position) {
        const std::optional<QString>& slot = store.state(position);
        if (!slot)
            continue;
        for (const QChar c : *slot)
            if (c.unicode() >= 0x80 && !windows1252::encode(c.unicode()))
                return false;
    }
    return true;
}

// Reads bytes from a device in blocks, for a parser that looks one byte ahead.
// Past a budget of bytes it reads no more and the data counts as ended.
class ByteSource {
public:
    ByteSource(QIODevice& device, qint64 budget) : device_(device), budget_(budget) {}

    /// True once the data went on beyond the budget.
    bool overran() const { return overran_; }

    std::optional<char> peek() {
        if (pos_ == buffer_.size() && !refill())
            return std::nullopt;
        return buffer_[pos_];
    }
    void skip() { ++pos_; }

    /// Appends the bytes before the first one that ends the run (a byte, or
    /// a predicate on bytes).
    template <typename EndsRun>
    void takeUntil(EndsRun endsRun, QByteArray& out) {
        for (;;) {
            if (pos_ == buffer_.size() && !refill())
                return;
            const qsizetype end = endOfRun(endsRun);
            out.append(QByteArrayView(buffer_).sliced(pos_, end - pos_));
            pos_ = end;
            if (end < buffer_.size())
                return;
        }
    }

    /// Skips the bytes before the first one that ends the run.
    template <typename EndsRun>
    void skipUntil(EndsRun endsRun) {
        while (pos_ < buffer_.size() || refill()) {
            pos_ = endOfRun(endsRun);
            if (pos_ < buffer_.size())
                return;
        }
    }

private:
    // The quotation mark, the common case, is found with memchr.
    template <typename EndsRun>
    qsizetype endOfRun(EndsRun endsRun) const {
        if constexpr (std::is_same_v<EndsRun, char>) {
            const qsizetype found = buffer_.indexOf(endsRun, pos_);
            return found < 0 ? buffer_.size() : found;
        } else {
            qsizetype end = pos_;
            while (end < buffer_.size() && !endsRun(buffer_[end]))
                ++end;
            return end;
        }
    }

    bool refill() {
        // A block of 64 KB at most, and no more than what is left of a file:
        // most data files are far smaller than one block.
        qint64 block = 64 * 1024;
        if (!device_.isSequential())
            block = std::clamp<qint64>(device_.size() - device_.pos(), 1, block);
        // One byte beyond the budget tells a device that goes on from one
        // that ends exactly there.
        block = std::min(block, budget_ + 1);
        buffer_ = device_.read(block);
        pos_ = 0;
        if (buffer_.size() > budget_) {
            overran_ = true;
            buffer_.clear();
        }
        budget_ -= buffer_.size();
        return !buffer_.isEmpty();
    }

    QIODevice& device_;
    qint64 budget_;
    bool overran_ = false;
    QByteArray buffer_;
    qsizetype pos_ = 0;
};

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool endsUnquoted(char c) {
    return c == ',' || isLineEnd(c);
}

// Consumes the separator after a field, if any: a comma, or a line end
// (CR LF counts once).
void consumeSeparator(ByteSource& in) {
    const std::optional<char> c = in.peek();
    if (!c)
        return;
    in.skip();
    if (*c == '\r' && in.peek() == '\n')
        in.skip();
}

/// A field as read: nullopt for an empty unquoted field.
using RawField = std::optional<QByteArray>;

/// How reading one field ended.
enum class FieldEnd {
    Read,       ///< the field is there
    DataEnded,  ///< the data ended before the field was complete
    Foreign,    ///< bytes the writer never writes: this is not a data file
};

// The writer writes every field quoted or empty and never a NUL byte. Text
// outside quotation marks or a NUL is what a document, a picture or a file
// in UTF-16 shows at once, and what no data file has ever held.
bool endsTheTail(char c) {
    return endsUnquoted(c) || c == '\0';
}

// A quoted field, the opening mark already consumed: it runs to the closing
// mark, and anything after that up to the separator is skipped (an older
// file wrote an inner mark undoubled).
FieldEnd readQuoted(ByteSource& in, RawField& field) {
    QByteArray text;
    for (;;) {
        in.takeUntil(kQuote, text);
        if (!in.peek())
            return FieldEnd::DataEnded;  // never closed
        in.skip();
        if (in.peek() != kQuote)
            break;
        text.append(kQuote);  // a doubled mark stands for one
        in.skip();
    }
    in.skipUntil(endsTheTail);
    if (text.contains('\0') || in.peek() == '\0')
        return FieldEnd::Foreign;
    consumeSeparator(in);
    field = std::move(text);
    return FieldEnd::Read;
}

// One field by the reader's rules. An empty unquoted field stands for an
// unset slot; one with text never comes from the writer.
FieldEnd readField(ByteSource& in, RawField& field) {
    while (in.peek() && isBlank(*in.peek()))
        in.skip();
    const std::optional<char> first = in.peek();
    if (!first)
        return FieldEnd::DataEnded;
    if (*first == kQuote) {
        in.skip();
        return readQuoted(in, field);
    }
    if (!endsUnquoted(*first))
        return FieldEnd::Foreign;
    consumeSeparator(in);
    field.reset();
    return FieldEnd::Read;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool isValidUtf8(QByteArrayView bytes) {
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const auto isContinuation = [&](qsizetype i) {
        return i < bytes.size() && (at(i) & 0xC0) == 0x80;
    };
    for (qsizetype i = 0; i < bytes.size();) {
        const unsigned char lead = at(i);
        int length = 0;
        unsigned char min2 = 0x80, max2 = 0xBF;  // bounds of the second byte
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                min2 = 0xA0;
            if (lead == 0xED)
                max2 = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                min2 = 0x90;
            if (lead == 0xF4)
                max2 = 0x8F;
        } else {
            return false;
        }
        if (length > 1 && (i + 1 >= bytes.size() || at(i + 1) < min2 || at(i + 1) > max2))
            return false;
        for (int k = 2; k < length; ++k)
            if (!isContinuation(i + k))
                return false;
        i += length;
    }
    return true;
}

// A U+FEFF at the start of an answer is part of the answer: the file's own
// byte-order mark was taken off before the fields were read.
QString decodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool isAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

QString dataFilePathFor(const QString& documentPath) {
    const qsizetype nameStart =
        std::max(documentPath.lastIndexOf(u'/'), documentPath.lastIndexOf(u'\\')) + 1;
    const qsizetype point = documentPath.lastIndexOf(u'.');
    if (point >= nameStart)
        return documentPath.left(point + 1) + QStringLiteral("dat");
    return documentPath + QStringLiteral(".dat");
}

QByteArray encode(const AnswerStore& store) {
    if (!fitsWindows1252(store))
        return buildRecord(store, true);
    // Windows-1252 bytes that happen to form valid UTF-8 ("\xC8\x8C" for
    // "ÈŒ") would be read back as UTF-8, so such a file is UTF-8 outright.
    QByteArray record = buildRecord(store, false);
    if (!isAscii(record) && isValidUtf8(record))
        record = buildRecord(store, true);
    return record;
}

bool saveDataFile(const QString& documentPath, const AnswerStore& store, QString* errorMessage) {
    const QString path = dataFilePathFor(documentPath);
    const QByteArray bytes = encode(store);
    QString reason;
    if (bytes.size() > kMaxFileBytes)
        reason = QStringLiteral("the answers are larger than %1 MB, more than a data file can hold")
                     .arg(kMaxFileBytes / (1024 * 1024));
    else if (files::replaceFile(path, bytes, &reason))
        return true;
    if (errorMessage)
        *errorMessage = saveFailureMessage(path, reason);
    return false;
}

ReadResult read(QIODevice& device, AnswerStore& store, qint64 maxBytes) {
    if (!device.isSequential() && device.size() - device.pos() > maxBytes)
        return ReadResult::TooLarge;

    // The code page is known only from the bytes: a byte-order mark or valid
    // UTF-8 beyond ASCII means UTF-8, anything else is Windows-1252.
    bool utf8 = device.peek(kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
    if (utf8)
        device.skip(kUtf8ByteOrderMark.size());

    ByteSource in(device, maxBytes - (utf8 ? kUtf8ByteOrderMark.size() : 0));
    std::array<RawField, catalogue::kQuestionCount> fields;
    int count = 0;
    FieldEnd end = FieldEnd::Read;
    for (; count < catalogue::kQuestionCount; ++count) {
        end = readField(in, fields[std::size_t(count)]);
        if (end != FieldEnd::Read)
            break;
    }
    // Fields are applied only now, so a device that runs on past the bound,
    // or a file that is no data file, changes nothing.
    if (in.overran())
        return ReadResult::TooLarge;
    if (end == FieldEnd::Foreign)
        return ReadResult::NotADataFile;

    if (!utf8) {
        bool anyHigh = false, allValid = true;
        for (int i = 0; i < count && allValid; ++i) {
            const RawField& field = fields[std::size_t(i)];
            if (!field || isAscii(*field))
                continue;
            anyHigh = true;
            allValid = isValidUtf8(*field);
        }
        utf8 = anyHigh && allValid;
    }

    for (int i = 0; i < count; ++i) {
        const RawField& field = fields[std::size_t(i)];
        if (!field)
            store.setUnset(i + 1);
        else
            store.store(i + 1, utf8 ? decodeUtf8(*field) : windows1252::decode(*field));
    }
    return count == catalogue::kQuestionCount ? ReadResult::Complete : ReadResult::Incomplete;
}

ReadResult readFile(const QString& path, AnswerStore& store, qint64 maxBytes) {
    // A pipe or a device may never end and a folder holds no data: only an
    // ordinary file is opened, so the load cannot wait for ever.
    if (!QFileInfo(path).isFile())
        return ReadResult::CannotOpen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::CannotOpen;
    return read(file, store, maxBytes);
}

}  // namespace vellumora::datafile
