// Placeholder until the rule table lands.
#include "panels/ColorConstraints.h"

namespace tlco {

void vColorPresetConstraints(PDEControlRecord*) {}
uint8_t bMatchCondition(int, PDEControlRecord*) { return 0; }
void vValueChange(int, PDEControlRecord*) {}
void vActOption(int, PDEControlRecord*) {}
void vActReverseOption(int, PDEControlRecord*) {}

} // namespace tlco
