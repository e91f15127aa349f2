// Placeholder: profile menus and per-job profile selection arrive with the profile store.
#include "binding/PDECommon.h"

namespace tlco {

int32_t PDECommon::commonAddMenuFromProfilePlist(const PDEControlRecord*) { return -1; }
int32_t PDECommon::commonSetTicketAddedProfileFlag(const PDEControlRecord*, cf::Dictionary*, const char*) { return 0; }
cf::Ref PDECommon::commonGetTicketAddedProfileFlag(const PDEControlRecord*, const cf::Dictionary*) { return nullptr; }
int32_t PDECommon::commonSetTicketAddedProfile(const PDEControlRecord*, cf::Dictionary*, int16_t) { return -1; }
int32_t PDECommon::commonGetTicketAddedProfile(const PDEControlRecord*, const cf::Dictionary*) { return -1; }

} // namespace tlco
