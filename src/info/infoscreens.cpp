#include "info/infoscreens.h"

#include "shell/appcontext.h"

namespace vellumora {

void registerInfoScreens(AppContext&) {}

}  // namespace vellumora
