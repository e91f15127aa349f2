// SPDX-License-Identifier: Apache-2.0
// Storing the variables of the printer's profile table into the spool, bounded against what the
// printer may send.
#include "discovery/Spool.h"

#include "cf/Utf8.h"

#include <algorithm>
#include <cstring>

namespace tlco {

const oid iOidIndexOnDevice[kColumnOidLength] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1, 1};
const oid iOidSourceType[kColumnOidLength] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1, 2};
const oid iOidProfileName[kColumnOidLength] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1, 3};
const oid iOidFileName[kColumnOidLength] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1, 4};
const oid iOidProfileClass[kColumnOidLength] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1, 5};
const oid iOidProfileAvailability[kColumnOidLength] = {1, 3, 6, 1, 4, 1, 51234, 1, 1, 1, 1, 6, 13, 1, 1, 7};

ProfileList PlistForSpool;

namespace {

enum class Field { IndexOnDevice, Location, ProfileName, FileName, ProfileClass, Driver };

struct Column {
    const oid* columnOid;
    u_char type;
    Field field;
};

const Column kColumns[] = {
    {iOidIndexOnDevice, ASN_INTEGER, Field::IndexOnDevice},
    {iOidSourceType, ASN_INTEGER, Field::Location},
    {iOidProfileName, ASN_OCTET_STR, Field::ProfileName},
    {iOidFileName, ASN_OCTET_STR, Field::FileName},
    {iOidProfileClass, ASN_INTEGER, Field::ProfileClass},
    {iOidProfileAvailability, ASN_INTEGER, Field::Driver},
};

int32_t lowBits(const netsnmp_variable_list& variable)
{
    return static_cast<int32_t>(static_cast<uint32_t>(*variable.val.integer));
}

// Up to the first zero byte, at most 31 bytes; a UTF-8 character split by the cut is dropped whole
// so that the name stays valid text for the profile list file.
void storeString(char (&field)[kProfileNameSize], const netsnmp_variable_list& variable)
{
    std::memset(field, 0, sizeof field);
    if (!variable.val.string) return;
    const auto* bytes = variable.val.string;
    size_t length = variable.val_len;
    if (const void* zero = std::memchr(bytes, 0, length))
        length = static_cast<size_t>(static_cast<const u_char*>(zero) - bytes);
    if (length >= sizeof field)
        length = cf::utf8::boundaryAtOrBefore(
            std::string_view(reinterpret_cast<const char*>(bytes), length), sizeof field - 1);
    std::memcpy(field, bytes, length);
}

} // namespace

void vSpoolPlist(const oid* name, size_t length, const netsnmp_variable_list* variable, uint8_t clear)
{
    if (clear == 1) {
        std::memset(&PlistForSpool, 0, sizeof PlistForSpool);
        return;
    }
    if (!name || !variable || length < kRowOidLength) return;

    const Column* column = nullptr;
    for (const Column& candidate : kColumns) {
        if (std::equal(name, name + kColumnOidLength, candidate.columnOid) && variable->type == candidate.type) {
            column = &candidate;
            break;
        }
    }
    if (!column) return;
    if (column->type == ASN_INTEGER && !variable->val.integer) return;

    const oid row = name[kRowOidLength - 1];
    if (row < 1 || row > static_cast<oid>(kProfileListCapacity)) return;
    ProfileItem& item = PlistForSpool.litem[row - 1];

    switch (column->field) {
    case Field::IndexOnDevice:
        item.iIndexOnDevice = lowBits(*variable);
        // Repeated rows must not count past the slots that the merge reads.
        if (PlistForSpool.iNum < kProfileListCapacity) ++PlistForSpool.iNum;
        break;
    case Field::Location:
        item.iLocation = lowBits(*variable);
        break;
    case Field::ProfileName:
        storeString(item.ProfileName, *variable);
        break;
    case Field::FileName:
        storeString(item.FileName, *variable);
        break;
    case Field::ProfileClass:
        item.iProfileClass = lowBits(*variable);
        break;
    case Field::Driver:
        item.iDriver = lowBits(*variable);
        break;
    }
}

} // namespace tlco
