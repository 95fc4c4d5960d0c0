#include "pictures/picturestore.h"

#include <QTextDocument>
#include <QUrl>

#include <atomic>

namespace vellumora::pictures {

namespace {

// A resource type of the program's own, beside Qt's images and style sheets.
constexpr int kPictureResource = QTextDocument::UserResource + 0x5649;  // "VI"

// Not a file path or web address, so that Qt never looks for the name on
// disk or the network when a picture is missing.
const QString kNamePrefix = QStringLiteral("vellumora-picture:");

}  // namespace

QString add(QTextDocument& document, PicturePtr picture) {
    static std::atomic<quint64> lastNumber{0};
    const QString name = kNamePrefix + QString::number(++lastNumber);
    addAs(document, name, std::move(picture));
    return name;
}

void addAs(QTextDocument& document, const QString& name, PicturePtr picture) {
    document.addResource(kPictureResource, QUrl(name), QVariant::fromValue(std::move(picture)));
}

PicturePtr find(const QTextDocument& document, const QString& name) {
    if (!name.startsWith(kNamePrefix))
        return {};
    const QVariant kept = document.resource(kPictureResource, QUrl(name));
    return kept.canConvert<PicturePtr>() ? kept.value<PicturePtr>() : PicturePtr();
}

QTextImageFormat imageFormat(const QString& name, QSizeF shown) {
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(shown.width());
    format.setHeight(shown.height());
    return format;
}

QSizeF shownSize(const QTextImageFormat& format) {
    return {format.width(), format.height()};
}

QTextCharFormat textFormatOf(QTextCharFormat format) {
    for (const int property :
         {int(QTextFormat::ObjectType), int(QTextFormat::ImageName), int(QTextFormat::ImageWidth),
          int(QTextFormat::ImageHeight), int(QTextFormat::ImageQuality)})
        format.clearProperty(property);
    return format;
}

}  // namespace vellumora::pictures
