// SPDX-License-Identifier: Apache-2.0
// The profile table read by rows: one GET-NEXT asks for the next cell of every column the spool
// keeps, and for the cells after those on the guess that the rows are numbered one by one, so a
// table of n rows costs about n / 2 round trips instead of one per cell.
#pragma once

#include "discovery/WalkDeadline.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <array>
#include <cstddef>
#include <optional>

namespace tlco {

class TableRowWalk {
public:
    enum class End {
        // Every column has left its cells: the spool holds the table.
        Done,
        // No answer in time, or no request could be sent: the spool holds the rows read so far.
        Failed,
        // The column-by-column walk must read the table, because this walk's answer could differ
        // from its own: the agent refused several variables even for one row (tooBig, genErr or
        // any error status but the end of its MIB), or the columns do not line up row for row (a
        // column longer than another, a row missing a cell, cells that are no rows, OIDs that do
        // not increase, exception values). The spool then holds a part of the table.
        Unsuitable,
    };

    // Borrows the opened session and the walk's deadline for the walk's lifetime.
    TableRowWalk(netsnmp_session& session, WalkDeadline& deadline);

    End run();
    // Variables taken into the spool (or passed over as rows beyond the table).
    int taken() const { return taken_; }
    // The transport status of the last exchange (STAT_TIMEOUT when the deadline passed).
    int transport() const { return transport_; }

private:
    struct Position {
        oid name[MAX_OID_LEN];
        size_t length;
    };
    static constexpr size_t kColumns = 6;
    // Rows asked for in one request. Two rows of six cells with names of usual length fit in the
    // 484 bytes that every agent must take; an agent that refuses them is asked one row at a time.
    static constexpr size_t kRowsPerRequest = 2;

    std::optional<End> exchange();
    void addVariables(netsnmp_pdu& request, size_t rows) const;
    std::optional<End> answered(const netsnmp_pdu& response, size_t rows);
    std::optional<End> endOfMib(size_t errorIndex);
    std::optional<End> takeRows(const netsnmp_variable_list* variables, size_t rows);
    std::optional<End> takeRow(const netsnmp_variable_list* variables);
    bool linesUp(const netsnmp_variable_list* variables, size_t* inColumn) const;

    netsnmp_session& session_;
    WalkDeadline& deadline_;
    std::array<Position, kColumns> positions_;
    // The columns still asked for, by index into positions_, in column order.
    std::array<size_t, kColumns> asked_;
    size_t askedCount_ = kColumns;
    // Set once a column has reached the end of the agent's MIB: the others must end too.
    bool ending_ = false;
    size_t rowsPerRequest_ = kRowsPerRequest;
    // The last row taken and its entry sub-identifier (root.column.entry.row); entry 1 is guessed
    // before the first row.
    std::optional<oid> lastRow_;
    oid entry_ = 1;
    int taken_ = 0;
    int transport_ = STAT_SUCCESS;
};

} // namespace tlco
