#pragma once

#include <QString>

namespace vellumora {

/**
 * The little state that outlives a screen: the search text, which the
 * editor keeps from one life to the next. One instance for the whole run.
 */
struct Session {
    /// The text of the last Find; empty until then.
    QString searchText;
};

}  // namespace vellumora
