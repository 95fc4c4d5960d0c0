#pragma once

#include "store/catalogue.h"

#include <QSize>
#include <span>

namespace vellumora::chapters {

/// A width and height in twips.
using Twips = QSize;

/**
 * One chapter menu. Its rows are the chapter's questions in catalogue order,
 * each opening the page the catalogue gives it; its caption comes from the
 * catalogue too. What is left is the window's own design.
 */
struct MenuDesign {
    catalogue::ChapterId chapter;
    Twips client;    ///< client area as designed
    int labelWidth;  ///< the rows' labels wrap at this width
    /// Other screens may open the chapter's second page through frm2().
    bool offersSecondPageOpener = false;
};

/// How a page places its questions.
enum class Arrangement {
    FiveQuestions,    ///< two columns of two, a bottom frame; Save over Return beside it
    FourQuestions,    ///< two columns of two; Save and Return on one line below
    ThreeQuestions,   ///< two columns of one, a bottom frame; Save over Return beside it
    LeftTwoRightOne,  ///< two questions left, one right; Save and Return below the right
};

/// The frame that holds a question.
enum class Frame { Left, Right, Bottom };

/// A question on a page, by its key within the page's chapter.
struct PageQuestion {
    const char* key;
    Frame frame;
};

/**
 * One question page: its questions in page and tab order with their frames,
 * the arrangement, the client area, and the few measures in which a page
 * departs from the common ones. Caption and the menu that Return shows come
 * from the catalogue.
 */
struct PageDesign {
    catalogue::PageId page;
    Arrangement arrangement;
    std::span<const PageQuestion> questions;
    Twips client;

    int rightColumnWidth = 3135;
    int bottomFrameWidth = 5055;
    Twips rightColumnBox = {2895, 975};
    Twips bottomBox = {2895, 975};
    /// The bottom label stands above a box that spans the frame, instead of
    /// beside it.
    bool bottomLabelAbove = false;
    /// Left edge of Return where Save and Return share one line.
    int returnLeft = 5400;
};

/// The twelve chapter menus in catalogue order.
std::span<const MenuDesign> menuDesigns();
/// The twenty question pages in catalogue order.
std::span<const PageDesign> pageDesigns();

}  // namespace vellumora::chapters
