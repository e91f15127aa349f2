// SPDX-License-Identifier: Apache-2.0
// GET-NEXT by rows over the profile table's kept columns, taking an answer only where the
// column-by-column walk would store exactly the same.
#include "discovery/TableRowWalk.h"

#include "discovery/MibWalk.h"
#include "discovery/Spool.h"

#include <algorithm>
#include <memory>

namespace tlco {
namespace {

// The columns the spool keeps, in column order (column 6 holds nothing it reads).
const oid* const kColumnOids[] = {
    iOidIndexOnDevice, iOidSourceType, iOidProfileName, iOidFileName, iOidProfileClass, iOidProfileAvailability};

struct PduRelease {
    void operator()(netsnmp_pdu* pdu) const { snmp_free_pdu(pdu); }
};

bool inColumn(const netsnmp_variable_list& variable, const oid* column)
{
    return variable.name_length >= kColumnOidLength && std::equal(column, column + kColumnOidLength, variable.name);
}

// root.column.entry.row: the entry and row sub-identifiers are the same in both.
bool sameRow(const netsnmp_variable_list& a, const netsnmp_variable_list& b)
{
    return std::equal(a.name + kColumnOidLength, a.name + kRowOidLength, b.name + kColumnOidLength);
}

const netsnmp_variable_list* skip(const netsnmp_variable_list* variable, size_t count)
{
    for (; variable && count > 0; --count) variable = variable->next_variable;
    return variable;
}

size_t lengthOf(const netsnmp_variable_list* variable)
{
    size_t length = 0;
    for (; variable; variable = variable->next_variable) ++length;
    return length;
}

} // namespace

TableRowWalk::TableRowWalk(netsnmp_session& session, WalkDeadline& deadline) : session_(session), deadline_(deadline)
{
    static_assert(std::size(kColumnOids) == kColumns);
    for (size_t i = 0; i < kColumns; ++i) {
        std::copy(kColumnOids[i], kColumnOids[i] + kColumnOidLength, positions_[i].name);
        positions_[i].length = kColumnOidLength;
        asked_[i] = i;
    }
}

TableRowWalk::End TableRowWalk::run()
{
    for (;;)
        if (auto end = exchange()) return *end;
}

std::optional<TableRowWalk::End> TableRowWalk::exchange()
{
    if (!deadline_.fitNextRequest()) {
        transport_ = STAT_TIMEOUT;
        return End::Failed;
    }
    netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GETNEXT);
    if (!request) {
        transport_ = STAT_ERROR;
        return End::Failed;
    }
    // Once a column has reached the end of the MIB no row can follow.
    const size_t rows = ending_ ? 1 : rowsPerRequest_;
    addVariables(*request, rows);
    netsnmp_pdu* answer = nullptr;
    // The request belongs to the library from here on, sent or not.
    transport_ = snmp_synch_response(&session_, request, &answer);
    std::unique_ptr<netsnmp_pdu, PduRelease> response(answer);
    if (transport_ != STAT_SUCCESS || !response) {
        if (transport_ != STAT_TIMEOUT) snmp_sess_perror("snmpwalk", &session_);
        return End::Failed;
    }
    return answered(*response, rows);
}

// The columns' positions, then for each further row the cells that follow the guessed row
// root.column.entry.(last + n).
void TableRowWalk::addVariables(netsnmp_pdu& request, size_t rows) const
{
    for (size_t i = 0; i < askedCount_; ++i)
        snmp_add_null_var(&request, positions_[asked_[i]].name, positions_[asked_[i]].length);
    oid guessed[kRowOidLength];
    guessed[kColumnOidLength] = entry_;
    for (size_t row = 1; row < rows; ++row) {
        guessed[kRowOidLength - 1] = lastRow_.value_or(0) + row;
        for (size_t i = 0; i < askedCount_; ++i) {
            std::copy(kColumnOids[asked_[i]], kColumnOids[asked_[i]] + kColumnOidLength, guessed);
            snmp_add_null_var(&request, guessed, kRowOidLength);
        }
    }
}

std::optional<TableRowWalk::End> TableRowWalk::answered(const netsnmp_pdu& response, size_t rows)
{
    if (response.errstat == SNMP_ERR_NOERROR) return takeRows(response.variables, rows);
    if (response.errstat == SNMP_ERR_NOSUCHNAME && response.errindex >= 1 &&
        static_cast<size_t>(response.errindex) <= rows * askedCount_) {
        const size_t failedRow = (static_cast<size_t>(response.errindex) - 1) / askedCount_;
        if (failedRow == 0) return endOfMib(static_cast<size_t>(response.errindex));
        // Nothing follows a guessed row: the rows before it are asked again.
        rowsPerRequest_ = failedRow;
        return std::nullopt;
    }
    if (rows == 1 || response.errstat == SNMP_ERR_NOSUCHNAME) return End::Unsuitable;
    rowsPerRequest_ = 1;
    return std::nullopt;
}

// An SNMPv1 agent names the first variable that has nothing after it. The columns after it have
// nothing either; those before it are asked again.
std::optional<TableRowWalk::End> TableRowWalk::endOfMib(size_t errorIndex)
{
    ending_ = true;
    askedCount_ = errorIndex - 1;
    if (askedCount_ == 0) return End::Done;
    return std::nullopt;
}

// Each guessed row's answers count only when the guess was right: they then follow the columns'
// true positions.
std::optional<TableRowWalk::End> TableRowWalk::takeRows(const netsnmp_variable_list* variables, size_t rows)
{
    if (lengthOf(variables) != rows * askedCount_) return End::Unsuitable;
    const oid before = lastRow_.value_or(0);
    const oid guessedEntry = entry_;
    for (size_t row = 0; row < rows; ++row, variables = skip(variables, askedCount_)) {
        if (row > 0 && (lastRow_ != before + row || entry_ != guessedEntry)) return std::nullopt;
        if (auto end = takeRow(variables)) return end;
    }
    return std::nullopt;
}

std::optional<TableRowWalk::End> TableRowWalk::takeRow(const netsnmp_variable_list* variables)
{
    size_t cells = 0;
    if (!linesUp(variables, &cells)) return End::Unsuitable;
    if (cells == 0) return End::Done;
    const oid row = variables->name[kRowOidLength - 1];
    const netsnmp_variable_list* variable = variables;
    for (size_t i = 0; i < askedCount_; ++i, variable = variable->next_variable) {
        ++taken_;
        vSpoolPlist(variable->name, variable->name_length, variable, 0);
        Position& position = positions_[asked_[i]];
        position.length = variable->name_length;
        std::copy(variable->name, variable->name + variable->name_length, position.name);
    }
    // The column walk leaves each column at its first row beyond the table.
    if (row > static_cast<oid>(kTableRows)) return End::Done;
    lastRow_ = row;
    entry_ = variables->name[kColumnOidLength];
    return std::nullopt;
}

// One variable for each column asked, each after the column's position, and either all of them
// cells of one row after the last one, or none of them in its column.
bool TableRowWalk::linesUp(const netsnmp_variable_list* variables, size_t* inColumnCount) const
{
    const bool firstIsCell = variables->name_length == kRowOidLength;
    const netsnmp_variable_list* variable = variables;
    for (size_t i = 0; i < askedCount_; ++i, variable = variable->next_variable) {
        if (isExceptionValue(variable->type)) return false;
        const Position& position = positions_[asked_[i]];
        if (snmp_oid_compare(position.name, position.length, variable->name, variable->name_length) >= 0) return false;
        if (!inColumn(*variable, kColumnOids[asked_[i]])) continue;
        ++*inColumnCount;
        if (!firstIsCell || variable->name_length != kRowOidLength || !sameRow(*variable, *variables)) return false;
    }
    if (*inColumnCount == 0) return true;
    if (*inColumnCount != askedCount_ || ending_) return false;
    return !lastRow_ || variables->name[kRowOidLength - 1] > *lastRow_;
}

} // namespace tlco
