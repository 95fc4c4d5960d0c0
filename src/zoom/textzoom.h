#pragma once

#include <QObject>
#include <QString>

namespace vellumora {

/**
 * How large a kind of text area shows its text, as a percentage, in the
 * steps a browser offers. It is remembered in the program's settings under
 * its own name, so the next run starts with it; it never changes the text's
 * own font sizes.
 */
class TextZoom : public QObject {
    Q_OBJECT

public:
    static constexpr int kNormal = 100;

    /// name is the settings key within the "zoom" group.
    explicit TextZoom(QString name, QObject* parent = nullptr);

    /// The remembered percentage, read on first use.
    int percent() const;
    qreal factor() const { return percent() / 100.0; }

    /// Moves by steps (negative for smaller), stopping at the smallest and
    /// largest.
    void step(int steps);
    void zoomIn() { step(1); }
    void zoomOut() { step(-1); }
    void reset();

signals:
    void changed(int percent);

private:
    void setPercent(int percent);

    QString key_;
    mutable int percent_ = 0;  ///< 0 until read from the settings
};

/// The two zooms the program keeps: the editor's and one for every answer box.
struct ViewZooms {
    TextZoom editor{QStringLiteral("editor")};
    TextZoom answers{QStringLiteral("answerBoxes")};
};

}  // namespace vellumora
