#pragma once

#include <QString>

namespace vellumora {

/**
 * The little state that outlives a screen: the search text and the folder
 * of the last photo, which the editor keeps from one life to the next. One
 * instance for the whole run.
 */
struct Session {
    /// The text of the last Find; empty until then.
    QString searchText;
    /// The folder a photo was last inserted from; empty until then.
    QString pictureFolder;
};

}  // namespace vellumora
