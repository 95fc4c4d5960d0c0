#pragma once

class QTextDocument;

namespace vellumora::pictures {

/**
 * Lets the document's layout show its pictures: each at the size its format
 * gives, never wider than the text nor taller than a page, decoded only when
 * it is painted and only as large as it is shown (on paper, as large as the
 * printer can use). A picture Qt cannot draw shows as a framed box of its
 * size naming what it is. Call it again after the document gets a new layout.
 */
void showPictures(QTextDocument& document);

}  // namespace vellumora::pictures
