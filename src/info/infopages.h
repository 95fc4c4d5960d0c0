#pragma once

#include "info/infopage.h"

namespace vellumora::infopages {

/// The design of each information page, one per screen.
const InfoPageDesign& instructions();
const InfoPageDesign& about();
const InfoPageDesign& versionHistory();
const InfoPageDesign& distribution();
const InfoPageDesign& warranty();
const InfoPageDesign& shareware();

}  // namespace vellumora::infopages
