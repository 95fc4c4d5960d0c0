#pragma once

#include "info/infopage.h"

namespace vellumora {

/**
 * The About page: the contact block, rewritten each time the page becomes
 * active, the link to the version history, and the program's picture, which
 * opens the credits window in the page's place.
 */
class AboutPage : public InfoPage {
    Q_OBJECT

public:
    explicit AboutPage(AppContext& context);

private:
    void buildPicture();
};

}  // namespace vellumora
