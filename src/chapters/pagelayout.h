#pragma once

#include "chapters/designs.h"

#include <QRect>
#include <QSize>
#include <array>
#include <functional>
#include <vector>

namespace vellumora::chapters {

/// Where everything on a question page stands, in twips.
struct PageGeometry {
    /// A question's label and box, relative to the frame that holds them.
    struct Question {
        QRect label;
        QRect box;
    };

    QSize client;
    /// Indexed by Frame; an empty rectangle for a frame the page lacks.
    std::array<QRect, 3> frames;
    std::vector<Question> questions;  ///< in page order
    QRect save;
    QRect returnButton;
};

/// The height in twips that the label of the page's question number i needs
/// when it wraps at the given width in twips.
using LabelHeight = std::function<int(std::size_t question, int widthTwips)>;

/**
 * Lays out a page. Frames, boxes and buttons follow the design; labels get
 * the height they need, and the column frames stretch so that the page fills
 * its designed client area. Only when the labels need more room than that
 * does the client area grow, so that no label is ever clipped.
 */
PageGeometry layOutPage(const PageDesign& design, const LabelHeight& labelHeight);

}  // namespace vellumora::chapters
