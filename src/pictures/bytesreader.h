#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace vellumora::pictures {

/// Reads a picture held in memory, turned upright as its orientation mark
/// says. The bytes are shared, not copied.
class BytesReader {
public:
    explicit BytesReader(const QByteArray& bytes, const char* format = nullptr) {
        buffer_.setData(bytes);
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
        if (format)
            reader_.setFormat(format);
        reader_.setAutoTransform(true);
    }
    BytesReader(const BytesReader&) = delete;
    BytesReader& operator=(const BytesReader&) = delete;

    QImageReader& reader() { return reader_; }

private:
    QBuffer buffer_;
    QImageReader reader_;
};

}  // namespace vellumora::pictures
