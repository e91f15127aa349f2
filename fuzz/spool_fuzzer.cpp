// SPDX-License-Identifier: Apache-2.0
// Variables an SNMP agent sends: whatever their OID, type and value, the spool stays in bounds and
// its names stay NUL-terminated.
#include "discovery/Spool.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    oid name[MAX_OID_LEN] = {};
    size_t length = 0;
    // Mostly OIDs inside the table, so the column and row checks are reached.
    if (input.ConsumeBool()) {
        std::memcpy(name, tlco::kProfileTableRoot, sizeof tlco::kProfileTableRoot);
        length = tlco::kProfileTableRootLength;
    }
    size_t extra = input.ConsumeIntegralInRange<size_t>(0, MAX_OID_LEN - length);
    for (size_t i = 0; i < extra; ++i) name[length++] = input.ConsumeIntegralInRange<oid>(0, 600);

    netsnmp_variable_list variable{};
    variable.name = name;
    variable.name_length = length;
    variable.type = input.PickValueInArray<u_char>(
        {ASN_INTEGER, ASN_OCTET_STR, ASN_COUNTER, ASN_NULL, SNMP_ENDOFMIBVIEW, ASN_OBJECT_ID});
    long integer = input.ConsumeIntegral<long>();
    std::vector<u_char> bytes = input.ConsumeBytes<u_char>(input.ConsumeIntegralInRange<size_t>(0, 80));
    if (variable.type == ASN_INTEGER || variable.type == ASN_COUNTER) {
        variable.val.integer = &integer;
        variable.val_len = sizeof integer;
    } else {
        variable.val.string = bytes.data();
        variable.val_len = bytes.size();
    }
    tlco::vSpoolPlist(name, length, &variable, 0);

    for (const tlco::ProfileItem& item : tlco::PlistForSpool.litem)
        if (item.FileName[sizeof item.FileName - 1] || item.ProfileName[sizeof item.ProfileName - 1]) std::abort();
    if (tlco::PlistForSpool.iNum < 0 || tlco::PlistForSpool.iNum > tlco::kProfileListCapacity) std::abort();
    return 0;
}
