#pragma once

#include "info/infopage.h"

namespace vellumora::infopages {

/// The specs of the information pages, one per screen.
const InfoPageSpec& instructions();
const InfoPageSpec& about();
const InfoPageSpec& versionHistory();
const InfoPageSpec& distribution();
const InfoPageSpec& warranty();
const InfoPageSpec& shareware();

}  // namespace vellumora::infopages
