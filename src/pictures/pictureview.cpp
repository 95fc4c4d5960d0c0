#include "pictures/pictureview.h"

#include "pictures/picturestore.h"

#include <QAbstractTextDocumentLayout>
#include <QCache>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextObjectInterface>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace vellumora::pictures {

namespace {

// The unit of a picture's shown size: pixels of a 96 dpi screen.
constexpr qreal kFormatDpi = 96;
// Paper needs no more detail than this; a photo is decoded for it at most so finely.
constexpr qreal kPaperDpi = 300;
// Pictures decoded for the screen are kept for the next paint, up to this many bytes.
constexpr qsizetype kScreenCacheBytes = 96 * 1024 * 1024;
// A text area without pages gives its page a height of some billions.
constexpr qreal kEndlessPage = 1e7;
// A picture never takes all of a page's height, so the line that holds it fits too.
constexpr qreal kMostOfAPage = 0.95;

/// The dots per inch the layout measures text in: its device's, or the screen's.
qreal layoutDpi(const QTextDocument& document) {
    if (const QPaintDevice* device = document.documentLayout()->paintDevice())
        return device->logicalDpiY();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return std::round(screen->logicalDotsPerInchY());
    return kFormatDpi;
}

/// The width the text of the document's page has, in layout units.
qreal textWidth(const QTextDocument& document, qreal scale) {
    const QTextFrameFormat frame = document.rootFrame()->frameFormat();
    const qreal sides =
        frame.leftMargin() + frame.rightMargin() + 2 * (frame.padding() + frame.border());
    return document.textWidth() - sides * scale;
}

/// The height of the text of a page, in layout units; 0 where the layout has no pages.
qreal pageTextHeight(const QTextDocument& document, qreal scale) {
    const qreal page = document.pageSize().height();
    if (page <= 0 || page >= kEndlessPage)
        return 0;
    const QTextFrameFormat frame = document.rootFrame()->frameFormat();
    const qreal sides =
        frame.topMargin() + frame.bottomMargin() + 2 * (frame.padding() + frame.border());
    return page - sides * scale;
}

bool isPaper(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device &&
           (device->devType() == QInternal::Printer ||
            (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf));
}

class PictureObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit PictureObject(QObject* parent) : QObject(parent), screenImages_(kScreenCacheBytes) {}

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const qreal scale = layoutDpi(*document) / kFormatDpi;
        QSizeF size = shownSize(format.toImageFormat());
        if (size.isEmpty())
            size = QSizeF(kFormatDpi, kFormatDpi);
        size *= scale;
        if (const qreal width = textWidth(*document, scale); width > 0 && size.width() > width)
            size = size.scaled(width, size.height(), Qt::KeepAspectRatio);
        if (const qreal height = pageTextHeight(*document, scale) * kMostOfAPage;
            height > 0 && size.height() > height)
            size = size.scaled(size.width(), height, Qt::KeepAspectRatio);
        return size;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override {
        const QString name = format.toImageFormat().name();
        const PicturePtr picture = find(*document, name);
        const QImage image =
            picture && picture->mayBeDrawn() ? imageFor(*painter, rect, name, *picture) : QImage();
        if (image.isNull()) {
            drawPlaceholder(*painter, rect,
                            picture ? picture->encodingName() : QStringLiteral("Picture"));
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(rect, image, picture->sourceRect(image.size()));
        painter->restore();
    }

private:
    /// The picture decoded as finely as the painter shows it; null where it cannot be.
    QImage imageFor(const QPainter& painter, const QRectF& rect, const QString& name,
                    const Picture& picture) {
        const QPaintDevice* device = painter.device();
        const qreal ratio = device ? device->devicePixelRatioF() : 1;
        QSizeF fit = painter.transform().mapRect(rect).size() * ratio;
        if (isPaper(painter) && device)
            fit *= std::min<qreal>(1, kPaperDpi / device->logicalDpiY());
        const QSize wanted = fit.toSize().expandedTo(QSize(1, 1));
        if (isPaper(painter) || QThread::currentThread() != qApp->thread())
            return picture.image(wanted);  // printed once: not worth keeping
        const QString key =
            name + u'@' + QString::number(wanted.width()) + u'x' + QString::number(wanted.height());
        if (const QImage* kept = screenImages_.object(key))
            return *kept;
        QImage image = picture.image(wanted);
        if (!image.isNull())
            screenImages_.insert(key, new QImage(image),
                                 std::max<qsizetype>(1, image.sizeInBytes()));
        return image;
    }

    static void drawPlaceholder(QPainter& painter, const QRectF& rect, const QString& what) {
        painter.save();
        painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 0));
        painter.setBrush(QColor(0xF2, 0xF2, 0xF2));
        painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
        QFont font = painter.font();
        font.setItalic(true);
        painter.setFont(font);
        painter.setPen(QColor(0x55, 0x55, 0x55));
        const QFontMetricsF metrics(font, painter.device());
        if (metrics.height() < rect.height() && metrics.horizontalAdvance(what) < rect.width())
            painter.drawText(rect, Qt::AlignCenter, what);
        painter.restore();
    }

    QCache<QString, QImage> screenImages_;
};

PictureObject& pictureObject() {
    // One for the program: pictures are named alike in a document and its
    // copies, so they share what is decoded.
    static auto* object = new PictureObject(QCoreApplication::instance());
    return *object;
}

}  // namespace

void showPictures(QTextDocument& document) {
    document.documentLayout()->registerHandler(QTextFormat::ImageObject, &pictureObject());
}

}  // namespace vellumora::pictures

#include "pictureview.moc"
